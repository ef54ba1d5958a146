#include "gui/AboutModal.h"

#include "gui/ImageStore.h"

namespace OV
{
AboutModal::AboutModal (ModalBackdrop& b)
    : Modal (b)
    , logo (ImageStore::get ("logoImage"))
    , emblem (ImageStore::get ("brandEmblem"))
{
    setTitle ("About");
}

void AboutModal::paint (juce::Graphics& g)
{
    Modal::paint (g);
    g.setColour (textColour);

    const auto w = (float) getWidth();
    const auto drawFitted = [&g] (const juce::Image& image, juce::Rectangle<float> area)
    {
        if (image.isValid())
            g.drawImage (image, area, juce::RectanglePlacement::centred);
    };
    drawFitted (logo, { 0.0f, 22.0f, w, 28.0f });
    drawFitted (emblem, { 0.0f, 56.0f, w, 64.0f });

    g.setFont (juce::Font (9.0f));
    g.drawText (titleText, juce::Rectangle<float> (0.0f, 144.0f, w, 9.0f), juce::Justification::centred, true);
    g.drawText (creditText, juce::Rectangle<float> (0.0f, 184.0f, w, 9.0f), juce::Justification::centred, true);
}
} // namespace OV
