#include "gui/PluginEditorHeader.h"

#include "gui/ImageStore.h"
#include "plugin/VantorraCoilvoxAudioProcessor.h"

namespace OV
{
namespace
{
    /** Width over height of a loaded picture; the nominal one when it is missing. */
    double aspectOf (const juce::Image& image, double fallback)
    {
        return image.isValid() ? (double) image.getWidth() / (double) image.getHeight() : fallback;
    }
} // namespace

PluginEditorHeader::PluginEditorHeader (VantorraCoilvoxAudioProcessor& p,
                                        const juce::File& settingsFolder,
                                        juce::ActionListener* presetListener)
    : PluginEditorSection (width, height)
    , presetManager (p, settingsFolder, presetListener)
    , processor (p)
{
    const auto logo = ImageStore::get ("logoImage");
    logoButton.setFadeImages (logo, logo, logo, 0.6f, 0.8f, 0.8f);
    logoButton.setAlpha (0.6f);
    logoButton.button.setTitle ("Menu");
    addAndMakeVisible (logoButton);

    const auto update = ImageStore::get ("updateIcon");
    updateBadge.setFadeImages (update, update, update, 0.8f, 0.8f, 0.8f);
    updateBadge.setAlpha (0.8f);
    updateBadge.button.setTitle ("Update available");
    addChildComponent (updateBadge);

    const auto viewOff = ImageStore::get ("viewOffImage");
    viewButton.setFadeImages (viewOff, viewOff, ImageStore::get ("viewOnImage"), 1.0f, 1.0f, 1.0f);
    viewButton.button.setClickingTogglesState (true);
    viewButton.button.setTitle ("Advanced view");
    addChildComponent (viewButton);

    const auto secret = ImageStore::get ("secretIcon");
    secretButton.setFadeImages (secret, secret, secret, 0.6f, 0.8f, 0.8f);
    secretButton.setAlpha (0.6f);
    secretButton.button.setTitle ("Hidden section");
    addChildComponent (secretButton);

    addAndMakeVisible (presetManager);

    viewButton.button.setToggleState (processor.guiState == 1, juce::dontSendNotification);
    secretButton.button.setToggleState (processor.guiState == 2 || processor.guiState == 3, juce::dontSendNotification);
}

void PluginEditorHeader::paint (juce::Graphics& g) { g.fillAll (juce::Colour (backgroundColour)); }

void PluginEditorHeader::resized()
{
    const int w = getWidth();
    const int h = getHeight();
    int free = juce::jmax (0, w - 96);
    const int rowH = juce::jmax (0, h - 48);

    // The preset bar is centred in the band whatever the buttons beside it do.
    const auto barAspect = aspectOf (ImageStore::get ("presetBarBackground"), 750.0 / 74.0);
    const int barW = (int) (barAspect * rowH);
    presetManager.presetCentre = { free / 2 + 48, rowH / 2 + 24 };
    presetManager.presetRowHeight = rowH;
    presetManager.setBounds (free / 2 + 48 - barW / 2, 24, barW, rowH);

    const int lw = juce::jmin (free, (int) ((rowH + 4) * aspectOf (ImageStore::get ("logoImage"), 323.0 / 75.0)));
    logoButton.setBounds (48, 26, lw, rowH + 4);
    int x = 48 + lw;
    free -= lw;

    if (updateBadge.isVisible())
    {
        const int gap = juce::jmin (free, 32);
        x += gap;
        free -= gap;
        const int bw = juce::jmin (free, (int) (aspectOf (ImageStore::get ("updateIcon"), 96.0 / 75.0) * rowH * 0.6));
        updateBadge.setBounds (x, 20, bw, rowH);
        x += bw;
        free -= bw;
    }

    if (viewButton.isVisible())
    {
        const int vw = juce::jmin (free, (int) (aspectOf (ImageStore::get ("viewOffImage"), 366.0 / 75.0) * rowH));
        viewButton.setBounds (x + free - vw, 24, vw, rowH);
        free -= vw;
    }

    if (viewButton.isVisible() && secretButton.isVisible())
        free -= juce::jmin (free, 64);

    if (secretButton.isVisible())
    {
        const int sw = juce::jmin (free, (int) (aspectOf (ImageStore::get ("secretIcon"), 70.0 / 73.0) * rowH));
        secretButton.setBounds (x + free - sw + 4, 28, sw - 8, rowH - 8);
    }
}
} // namespace OV
