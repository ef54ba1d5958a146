#pragma once

#include "gui/Filmstrip.h"

/** A filmstrip whose first frame shows the top of the range (the trim wheels and the tank lever are
    drawn that way up). Offsets follow the frame index as in Filmstrip. Message thread. */
class InvertedFilmstrip : public Filmstrip
{
public:
    void drawLinearSlider (juce::Graphics& g,
                           int x,
                           int y,
                           int width,
                           int height,
                           float sliderPos,
                           float minSliderPos,
                           float maxSliderPos,
                           juce::Slider::SliderStyle style,
                           juce::Slider& slider) override;
};
