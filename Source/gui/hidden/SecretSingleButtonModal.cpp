#include "gui/hidden/SecretSingleButtonModal.h"

#include "gui/hidden/SecretDialogStyle.h"

SecretSingleButtonModal::SecretSingleButtonModal (OV::ModalBackdrop& b, juce::Rectangle<int> area)
    : OV::Modal (b)
    , hoverArea (area)
{
    setWantsKeyboardFocus (true);
}

void SecretSingleButtonModal::setButtonHovered (bool hovered)
{
    if (hovered == buttonHovered)
        return;

    buttonHovered = hovered;
    repaint();
}

void SecretSingleButtonModal::mouseMove (const juce::MouseEvent& event)
{
    setButtonHovered (SecretDialogStyle::isWithin (event.getPosition(), hoverArea));
}

void SecretSingleButtonModal::mouseExit (const juce::MouseEvent&) { setButtonHovered (false); }

void SecretSingleButtonModal::mouseDown (const juce::MouseEvent& event)
{
    // The press decides by where it lands, so a press with no move before it (a touch) works too.
    setButtonHovered (SecretDialogStyle::isWithin (event.getPosition(), hoverArea));

    if (buttonHovered)
        runAction();
}

bool SecretSingleButtonModal::keyPressed (const juce::KeyPress& key)
{
    if (key.getKeyCode() != juce::KeyPress::returnKey)
        return false;

    runAction();
    return true;
}

void SecretSingleButtonModal::visibilityChanged()
{
    if (isShowing())
        grabKeyboardFocus();
}
