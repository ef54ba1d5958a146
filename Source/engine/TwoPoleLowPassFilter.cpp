#include "engine/TwoPoleLowPassFilter.h"

#include <cmath>

/** Low-pass of the Audio EQ Cookbook; the gain is not used. */
void TwoPoleLowPassFilter::setParameters (float frequencyHz, float qValue, float gain)
{
    frequency = frequencyHz;
    q = qValue;
    gainDb = gain;

    const float w0 = juce::MathConstants<float>::twoPi * (frequency / sampleRate);
    const float cosW0 = std::cos (w0);
    const float alpha = std::sin (w0) / (2.0f * q);

    setCoefficients ((1.0f - cosW0) / 2.0f,
                     1.0f - cosW0,
                     (1.0f - cosW0) / 2.0f,
                     1.0f + alpha,
                     -2.0f * cosW0,
                     1.0f - alpha);
}
