#include "gui/InvertedFilmstrip.h"

void InvertedFilmstrip::drawLinearSlider (
    juce::Graphics& g, int, int, int, int, float, float, float, juce::Slider::SliderStyle, juce::Slider& slider)
{
    drawSliderFrame (g, slider, true);
}
