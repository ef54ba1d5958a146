#include "support/TestSignals.h"

#include <cmath>

namespace testsupport
{
void fillSine (juce::AudioBuffer<float>& buffer, double sampleRate, double frequencyHz, float peak, int startSample)
{
    for (int c = 0; c < buffer.getNumChannels(); ++c)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            buffer.setSample (c,
                              i,
                              peak
                                  * (float) std::sin (juce::MathConstants<double>::twoPi * frequencyHz
                                                      * (double) (i + startSample) / sampleRate));
}

void fillNoise (juce::AudioBuffer<float>& buffer, float peak, juce::int64 seed)
{
    juce::Random random (seed);

    for (int c = 0; c < buffer.getNumChannels(); ++c)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            buffer.setSample (c, i, peak * (2.0f * random.nextFloat() - 1.0f));
}

float peakOf (const juce::AudioBuffer<float>& buffer)
{
    float peak = 0.0f;

    for (int c = 0; c < buffer.getNumChannels(); ++c)
        peak = std::max (peak, buffer.getMagnitude (c, 0, buffer.getNumSamples()));

    return peak;
}

float rmsOf (const juce::AudioBuffer<float>& buffer, int channel)
{
    return buffer.getRMSLevel (channel, 0, buffer.getNumSamples());
}

bool allFinite (const juce::AudioBuffer<float>& buffer)
{
    for (int c = 0; c < buffer.getNumChannels(); ++c)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            if (!std::isfinite (buffer.getSample (c, i)))
                return false;

    return true;
}

int firstSampleAbove (const juce::AudioBuffer<float>& buffer, int channel, float threshold)
{
    for (int i = 0; i < buffer.getNumSamples(); ++i)
        if (std::abs (buffer.getSample (channel, i)) > threshold)
            return i;

    return -1;
}
} // namespace testsupport
