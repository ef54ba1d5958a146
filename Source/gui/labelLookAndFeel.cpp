#include "gui/labelLookAndFeel.h"

void labelLookAndFeel::drawLabel (juce::Graphics& g, juce::Label& label)
{
    g.setColour (label.findColour (juce::Label::backgroundColourId));
    g.fillRoundedRectangle (g.getClipBounds().toFloat(), cornerSize);

    const auto font = label.getFont();
    const auto alpha = label.isEnabled() ? 1.0f : 0.5f;
    g.setColour (label.findColour (juce::Label::textColourId).withMultipliedAlpha (alpha));
    g.setFont (font);

    const auto textArea = label.getBorderSize().subtractedFrom (label.getLocalBounds());
    g.drawFittedText (label.getText(),
                      textArea,
                      label.getJustificationType(),
                      juce::jmax (1, (int) ((float) textArea.getHeight() / font.getHeight())),
                      label.getMinimumHorizontalScale());

    // The outline is never dimmed.
    g.setColour (label.findColour (juce::Label::outlineColourId));
    g.drawRoundedRectangle (label.getLocalBounds().toFloat(), cornerSize, 1.0f);
}
