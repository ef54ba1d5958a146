#pragma once

#include "gui/Modal.h"

/** A hidden-section dialog with one action button: the button lights while the pointer is over its
    area, and a press on it or the return key (while the dialog has the keyboard focus) runs the
    action. The dialog takes the keyboard focus when it is shown. Message thread. */
class SecretSingleButtonModal : public OV::Modal
{
public:
    /** hoverArea: where the button reacts, in dialog units, its right and bottom edges included. */
    SecretSingleButtonModal (OV::ModalBackdrop& backdrop, juce::Rectangle<int> hoverArea);

    void mouseMove (const juce::MouseEvent& event) override;
    void mouseExit (const juce::MouseEvent& event) override;
    void mouseDown (const juce::MouseEvent& event) override;
    bool keyPressed (const juce::KeyPress& key) override;
    void visibilityChanged() override;

    bool buttonHovered = false;

protected:
    /** The button's action; an action that was never installed does nothing. */
    virtual void runAction() = 0;

private:
    void setButtonHovered (bool hovered);

    const juce::Rectangle<int> hoverArea;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SecretSingleButtonModal)
};
