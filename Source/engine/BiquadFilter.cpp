#include "engine/BiquadFilter.h"

#include <cmath>

void BiquadFilter::processBlock (juce::AudioBuffer<float>& buffer) noexcept
{
    // The state holds two channels; further channels of a wider buffer are not ours to filter.
    const int channels = juce::jmin (2, buffer.getNumChannels());

    for (int c = 0; c < channels; ++c)
    {
        auto* data = buffer.getWritePointer (c);

        for (int i = 0; i < buffer.getNumSamples(); ++i)
            processSample (data[i], c);
    }

    buffer.setNotClear();
}

void BiquadFilter::setCoefficients (float nb0, float nb1, float nb2, float na0, float na1, float na2) noexcept
{
    b0 = nb0 / na0;
    b1 = nb1 / na0;
    b2 = nb2 / na0;
    a0 = na0 / na0;
    a1 = na1 / na0;
    a2 = na2 / na0;
}

BiquadFilter::Angle
BiquadFilter::storeSettings (float frequencyHz, float qValue, float gain, bool doubledAngle) noexcept
{
    frequency = frequencyHz;
    q = qValue;
    gainDb = gain;

    // At low host rates some fixed settings (the 20 kHz tone low-pass, the 6.5 kHz shelf that acts at
    // twice its frequency) would sit above the Nyquist limit, where the filter becomes unstable: keep
    // the angle just below it, which leaves such a filter as open as the rate allows.
    const float limitHz = (doubledAngle ? 0.245f : 0.49f) * sampleRate;
    const float effectiveHz = juce::jlimit (1.0f, std::max (1.0f, limitHz), frequency);
    const float effectiveQ = std::max (q, 0.01f);

    const float w0 =
        doubledAngle ? (float) (2.0 * juce::MathConstants<double>::twoPi * (double) effectiveHz / (double) sampleRate)
                     : juce::MathConstants<float>::twoPi * (effectiveHz / sampleRate);

    return { std::cos (w0), std::sin (w0) / (2.0f * effectiveQ) };
}
