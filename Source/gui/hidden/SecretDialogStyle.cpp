#include "gui/hidden/SecretDialogStyle.h"

#include "gui/BoldFont.h"

juce::Font SecretDialogStyle::mediumFont (float height)
{
    if (auto typeface = embeddedTypeface ("InterMedium_otf"))
        return juce::Font (typeface).withHeight (height);

    return juce::Font (height);
}

void SecretDialogStyle::drawIcon (
    juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> area, juce::Colour colour, bool tint)
{
    if (! image.isValid())
        return;

    g.setColour (colour);
    g.drawImage (image, area, juce::RectanglePlacement::centred, tint);
}

void SecretDialogStyle::drawButtonFrame (juce::Graphics& g,
                                         juce::Rectangle<float> area,
                                         float cornerRadius,
                                         bool hovered)
{
    if (hovered)
    {
        g.setColour (juce::Colour (hoverGrey));
        g.fillRoundedRectangle (area, cornerRadius);
    }

    g.setColour (juce::Colour (grey));
    g.drawRoundedRectangle (area, cornerRadius, 1.0f);
}

bool SecretDialogStyle::isWithin (juce::Point<int> position, juce::Rectangle<int> inclusiveArea)
{
    return position.x >= inclusiveArea.getX() && position.x <= inclusiveArea.getRight()
           && position.y >= inclusiveArea.getY() && position.y <= inclusiveArea.getBottom();
}
