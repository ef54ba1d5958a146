#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

namespace testsupport
{
/** Fills every channel with a sine of the given frequency and peak level. */
void fillSine (
    juce::AudioBuffer<float>& buffer, double sampleRate, double frequencyHz, float peak, int startSample = 0);

/** Fills every channel with uniform noise in [-peak, peak] from a fixed seed. */
void fillNoise (juce::AudioBuffer<float>& buffer, float peak, juce::int64 seed);

float peakOf (const juce::AudioBuffer<float>& buffer);
float rmsOf (const juce::AudioBuffer<float>& buffer, int channel);
bool allFinite (const juce::AudioBuffer<float>& buffer);

/** Index of the first sample whose magnitude exceeds the threshold in a channel, or -1. */
int firstSampleAbove (const juce::AudioBuffer<float>& buffer, int channel, float threshold);
} // namespace testsupport
