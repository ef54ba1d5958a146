#include "gui/Modal.h"

#include "gui/ImageStore.h"

namespace OV
{
Modal::Modal (ModalBackdrop& b)
    : backdrop (b)
{
    shadow.setShadowProperties (juce::DropShadow (juce::Colour (0x90000000), 4, {}));
    setComponentEffect (&shadow);

    const auto icon = ImageStore::get ("closeIcon");
    closeButton.setImages (false, true, true, icon, 1.0f, {}, icon, 1.0f, {}, icon, 1.0f, {}, 0.0f);
    closeButton.setTitle ("Close");
    closeButton.onClick = [this] { close(); };
    addAndMakeVisible (closeButton);
}

Modal::~Modal() { setComponentEffect (nullptr); }

void Modal::paint (juce::Graphics& g)
{
    g.setColour (backgroundColour.withAlpha ((juce::uint8) 0xcc));
    g.fillRoundedRectangle (getLocalBounds().toFloat(), 12.0f);
}

void Modal::resized()
{
    const double m = 0.03 * juce::jmax (getWidth(), getHeight());
    closeButton.setBounds ((int) (getWidth() - 2 * m), (int) m, (int) m, (int) m);
}

void Modal::close()
{
    backdrop.setVisible (false);
    setVisible (false);
}
} // namespace OV
