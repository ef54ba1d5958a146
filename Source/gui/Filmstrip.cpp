#include "gui/Filmstrip.h"

#include <cmath>

Filmstrip::Placement
Filmstrip::placementFor (double value, double minimum, double maximum, juce::Slider::SliderStyle style) const
{
    // An empty range has no proportion; treat it as the bottom instead of dividing by zero.
    const auto span = maximum - minimum;
    const auto proportion = span > 0.0 ? juce::jlimit (0.0, 1.0, (value - minimum) / span) : 0.0;
    const auto skewed = std::pow (proportion, (double) skew);

    Placement placement;
    placement.frame = juce::jlimit (0, juce::jmax (0, numFrames - 1), (int) std::ceil ((numFrames - 1) * skewed));
    placement.x = drawX;
    placement.y = drawY;

    if (style == juce::Slider::LinearVertical)
    {
        placement.x = 0.0f;
        placement.y = (float) (numFrames - placement.frame) * offsetStep;
    }
    else if (style == juce::Slider::LinearHorizontal)
    {
        placement.y = 0.0f;
        // A single picture slides continuously instead of stepping from frame to frame.
        placement.x =
            numFrames == 1 ? (float) (proportion * frameWidth * offsetStep) : (float) placement.frame * offsetStep;
    }

    return placement;
}

void Filmstrip::drawSliderFrame (juce::Graphics& g, juce::Slider& slider, bool inverted)
{
    if (! image.isValid())
        return;

    const auto placement =
        placementFor (slider.getValue(), slider.getMinimum(), slider.getMaximum(), slider.getSliderStyle());
    drawX = placement.x;
    drawY = placement.y;

    if (maskImage.isValid())
        g.reduceClipRegion (maskImage, juce::AffineTransform::translation (drawX, drawY));

    const auto sourceFrame = inverted ? numFrames - 1 - placement.frame : placement.frame;
    g.drawImage (image,
                 (int) drawX,
                 (int) drawY,
                 (int) frameWidth,
                 (int) frameHeight,
                 0,
                 (int) ((float) sourceFrame * frameHeight),
                 (int) frameWidth,
                 (int) frameHeight);

    if (overlayOpacity > 0.0f)
    {
        g.beginTransparencyLayer (overlayOpacity);
        g.setColour (juce::Colours::white);
        g.fillRect (drawX, drawY, frameWidth, frameHeight);
        g.endTransparencyLayer();
    }
}

void Filmstrip::drawLinearSlider (
    juce::Graphics& g, int, int, int, int, float, float, float, juce::Slider::SliderStyle, juce::Slider& slider)
{
    drawSliderFrame (g, slider, false);
}

void Filmstrip::drawToggleButton (juce::Graphics& g, juce::ToggleButton& button, bool, bool)
{
    if (! image.isValid())
        return;

    // Frame 0 is the lit switch, frame 1 the dark one; a one-frame strip leaves the panel's own lamp.
    const auto sourceY = button.getToggleState() ? 0 : (int) frameHeight;
    g.drawImage (image, 0, 0, (int) frameWidth, (int) frameHeight, 0, sourceY, (int) frameWidth, (int) frameHeight);
}

void Filmstrip::drawRotarySlider (juce::Graphics& g, int, int, int, int, float, float, float, juce::Slider& slider)
{
    // No control turns; a rotary slider steps through the strip in place like a vertical one.
    const auto savedX = drawX, savedY = drawY;
    drawSliderFrame (g, slider, false);
    drawX = savedX;
    drawY = savedY;
}
