#include "gui/hidden/SecretPresetBlockedModal.h"

#include "gui/ImageStore.h"
#include "gui/hidden/SecretDialogStyle.h"

SecretPresetBlockedModal::SecretPresetBlockedModal (OV::ModalBackdrop& b)
    : SecretSingleButtonModal (b, juce::Rectangle<int>::leftTopRightBottom (136, 129, 230, 147))
    , messageFont (SecretDialogStyle::mediumFont (14.0f))
    , disguiseIcon (ImageStore::get ("disguiseIcon"))
{
}

void SecretPresetBlockedModal::paint (juce::Graphics& g)
{
    OV::Modal::paint (g);
    const juce::Colour white (SecretDialogStyle::white);

    SecretDialogStyle::drawIcon (g, disguiseIcon, { 0.0f, 16.0f, (float) getWidth(), 48.0f }, white, true);

    g.setColour (white);
    g.setFont (messageFont);
    g.drawMultiLineText (messageText, 0, 92, getWidth(), juce::Justification::centred);

    const juce::Rectangle<int> button (135, 128, 96, 20);
    SecretDialogStyle::drawButtonFrame (g, button.toFloat(), 9.0f, buttonHovered);
    g.setColour (white);
    g.setFont (SecretDialogStyle::mediumFont (12.0f));
    g.drawText ("HINTS", button, juce::Justification::centred, true);
}

void SecretPresetBlockedModal::runAction()
{
    if (onHints)
        onHints();
}
