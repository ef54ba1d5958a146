#pragma once

#include "gui/Modal.h"

/** The pass-phrase dialog of the hidden section: a masked answer field and a round submit button.
    The answer counts in any letter case and with spaces around it; a wrong one shows a red notice
    and keeps the typed text. A right one runs onCorrect. Message thread. */
class SecretUnlockModal : public OV::Modal
{
public:
    /** Runs the dialog's check when return is pressed in the answer field; nothing else. */
    class EnterKeyListener : public juce::TextEditor::Listener
    {
    public:
        explicit EnterKeyListener (SecretUnlockModal& dialog);
        void textEditorReturnKeyPressed (juce::TextEditor& editor) override;

    private:
        SecretUnlockModal& dialog;
    };

    SecretUnlockModal (OV::ModalBackdrop& backdrop, const juce::String& passPhrase);
    ~SecretUnlockModal() override;

    double getBaseWidth() const override { return 366.0; }
    double getBaseHeight() const override { return 135.0; }

    /** Compares the typed answer with the pass phrase; see the class comment. */
    void checkAnswer();

    /** Whether a point (dialog units) is on the submit button: within its ring. */
    static bool isOnSubmitButton (juce::Point<float> position);

    void paint (juce::Graphics& g) override;
    void resized() override;
    void mouseMove (const juce::MouseEvent& event) override;
    void mouseExit (const juce::MouseEvent& event) override;
    void mouseDown (const juce::MouseEvent& event) override;
    void visibilityChanged() override;

    static constexpr const char* wrongAnswerText = "Wrong answer, try again.";

    juce::Font titleFont;
    juce::Image secretIcon, chevronImage;
    juce::TextEditor answerBox;
    EnterKeyListener returnKeyListener{ *this };
    std::function<void()> onCorrect;
    bool submitHovered = false;
    bool wrongAnswer = false;

private:
    void setSubmitHovered (bool hovered);

    const juce::String passPhrase;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SecretUnlockModal)
};
