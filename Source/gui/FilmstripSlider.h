#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

/** Sets up a body's picture-drawn slider the one way both bodies want it: no text box, relative
    dragging at the given sensitivity, the parameter's name as its accessible title, the pointer
    hidden while dragging, attached to its parameter. Message thread. */
struct FilmstripSlider
{
    static std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment>
    setUp (juce::Slider& slider,
           juce::Slider::SliderStyle style,
           juce::LookAndFeel& lookAndFeel,
           juce::AudioProcessorValueTreeState& parameters,
           const char* parameterId,
           int dragForFullRange);
};
