#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

/** A short, guitar-like test phrase: plucked strings (Karplus-Strong) playing a few notes and a
    chord, with a fixed seed so every render of it is the same. Stereo, peak about −6 dBFS. */
class TestPhrase
{
public:
    static juce::AudioBuffer<float> make (double sampleRate, double seconds = 4.0);
};
