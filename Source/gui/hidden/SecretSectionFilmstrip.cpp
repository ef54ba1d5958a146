#include "gui/hidden/SecretSectionFilmstrip.h"

void SecretSectionFilmstrip::drawToggleButton (juce::Graphics& g, juce::ToggleButton& button, bool, bool)
{
    if (! image.isValid())
        return;

    const auto sourceY = button.getToggleState() ? (int) frameHeight : 0;
    g.drawImage (image, 0, 0, (int) frameWidth, (int) frameHeight, 0, sourceY, (int) frameWidth, (int) frameHeight);
}
