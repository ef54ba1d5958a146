#include "gui/hidden/SecretUnlockModal.h"

#include "gui/ImageStore.h"
#include "gui/hidden/SecretDialogStyle.h"

namespace
{
const juce::Point<float> submitCentre{ 256.0f, 78.0f };
constexpr float submitRadius = 14.0f;
constexpr juce::juce_wchar bullet = 0x2022;
} // namespace

SecretUnlockModal::EnterKeyListener::EnterKeyListener (SecretUnlockModal& d)
    : dialog (d)
{
}

void SecretUnlockModal::EnterKeyListener::textEditorReturnKeyPressed (juce::TextEditor&) { dialog.checkAnswer(); }

//==============================================================================
SecretUnlockModal::SecretUnlockModal (OV::ModalBackdrop& b, const juce::String& phrase)
    : OV::Modal (b)
    , titleFont (SecretDialogStyle::mediumFont (16.0f))
    , secretIcon (ImageStore::get ("secretIcon"))
    , chevronImage (ImageStore::get ("chevronImage"))
    , passPhrase (phrase)
{
    const juce::Colour cream (SecretDialogStyle::cream), clear (0x00000000);
    answerBox.setPasswordCharacter (bullet);
    answerBox.setColour (juce::TextEditor::textColourId, cream);
    answerBox.setColour (juce::TextEditor::highlightedTextColourId, cream);
    answerBox.setColour (juce::CaretComponent::caretColourId, cream);

    for (const auto id : { juce::TextEditor::backgroundColourId,
                           juce::TextEditor::highlightColourId,
                           juce::TextEditor::outlineColourId,
                           juce::TextEditor::focusedOutlineColourId,
                           juce::TextEditor::shadowColourId })
        answerBox.setColour (id, clear);

    answerBox.setTitle ("Answer");
    answerBox.addListener (&returnKeyListener);
    addAndMakeVisible (answerBox);
}

SecretUnlockModal::~SecretUnlockModal() { answerBox.removeListener (&returnKeyListener); }

void SecretUnlockModal::checkAnswer()
{
    const auto answer = answerBox.getText().trim().toLowerCase();
    wrongAnswer = answer != passPhrase;
    repaint();

    if (! wrongAnswer && onCorrect)
        onCorrect();
}

bool SecretUnlockModal::isOnSubmitButton (juce::Point<float> position)
{
    return position.getDistanceFrom (submitCentre) < submitRadius;
}

void SecretUnlockModal::paint (juce::Graphics& g)
{
    OV::Modal::paint (g);

    g.setColour (juce::Colour (SecretDialogStyle::white));
    g.setFont (titleFont);
    g.drawText ("Say my name", juce::Rectangle<int> (113, 16, 113, 28), juce::Justification::centred, true);
    SecretDialogStyle::drawIcon (g, secretIcon, { 226.0f, 16.0f, 28.0f, 28.0f }, juce::Colour (0x80ffffff), false);

    // The answer field's frame; the text box itself draws nothing but its text.
    g.setColour (juce::Colour (SecretDialogStyle::grey));
    g.drawRoundedRectangle ({ 90.0f, 64.0f, 138.0f, 28.0f }, 14.0f, 1.0f);

    if (submitHovered)
    {
        g.setColour (juce::Colour (SecretDialogStyle::hoverGrey));
        g.fillEllipse (242.0f, 64.0f, 28.0f, 28.0f);
    }

    juce::Path ring;
    ring.addEllipse (241.5f, 63.5f, 29.0f, 29.0f);
    ring.addEllipse (242.5f, 64.5f, 27.0f, 27.0f);
    ring.setUsingNonZeroWinding (false);
    g.setColour (juce::Colour (SecretDialogStyle::grey));
    g.fillPath (ring);
    SecretDialogStyle::drawIcon (g,
                                 chevronImage,
                                 { 251.0f, 72.0f, 12.0f, 12.0f },
                                 juce::Colour (SecretDialogStyle::white),
                                 true);

    if (wrongAnswer)
    {
        g.setColour (juce::Colour (SecretDialogStyle::errorRed));
        g.setFont (SecretDialogStyle::mediumFont (12.0f));
        g.drawText (wrongAnswerText, juce::Rectangle<int> (90, 96, 138, 16), juce::Justification::centred, true);
    }
}

void SecretUnlockModal::resized()
{
    OV::Modal::resized();
    answerBox.setBounds (98, 66, 121, 24);
}

void SecretUnlockModal::setSubmitHovered (bool hovered)
{
    if (hovered == submitHovered)
        return;

    submitHovered = hovered;
    repaint();
}

void SecretUnlockModal::mouseMove (const juce::MouseEvent& event)
{
    setSubmitHovered (isOnSubmitButton (event.position));
}

void SecretUnlockModal::mouseExit (const juce::MouseEvent&) { setSubmitHovered (false); }

void SecretUnlockModal::mouseDown (const juce::MouseEvent& event)
{
    // The press decides by where it lands, so a press with no move before it (a touch) works too.
    setSubmitHovered (isOnSubmitButton (event.position));

    if (submitHovered)
        checkAnswer();
}

void SecretUnlockModal::visibilityChanged()
{
    if (isShowing())
        answerBox.grabKeyboardFocus();
}
