#include "gui/hidden/SecretUnlockModalOnCorrect.h"

#include "gui/ImageStore.h"
#include "gui/hidden/SecretDialogStyle.h"

SecretUnlockModalOnCorrect::SecretUnlockModalOnCorrect (OV::ModalBackdrop& b)
    : SecretSingleButtonModal (b, juce::Rectangle<int>::leftTopRightBottom (127, 73, 237, 99))
    , titleFont (SecretDialogStyle::mediumFont (16.0f))
    , openLockIcon (ImageStore::get ("openLockIcon"))
{
}

void SecretUnlockModalOnCorrect::paint (juce::Graphics& g)
{
    OV::Modal::paint (g);
    const juce::Colour white (SecretDialogStyle::white);

    g.setColour (white);
    g.setFont (titleFont);
    g.drawText (titleText, juce::Rectangle<int> (0, 32, getWidth(), 16), juce::Justification::centred, true);

    SecretDialogStyle::drawButtonFrame (g, { 126.0f, 72.0f, 112.0f, 28.0f }, 14.0f, buttonHovered);
    g.setColour (white);
    g.setFont (titleFont);
    g.drawText ("UNLOCK", juce::Rectangle<int> (126, 72, 84, 28), juce::Justification::centred, true);
    SecretDialogStyle::drawIcon (g, openLockIcon, { 210.0f, 80.0f, 12.0f, 12.0f }, white, true);
}

void SecretUnlockModalOnCorrect::runAction()
{
    if (onUnlock)
        onUnlock();
}
