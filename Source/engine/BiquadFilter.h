#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

/** A second-order filter in direct form I with the state of two channels.

    Coefficients are stored already divided by a0. Until the first setParameters call all
    coefficients are zero, so the filter outputs silence. Not thread-safe: the engine calls it
    on the audio thread, or on the preparing thread while audio is stopped.
*/
class BiquadFilter
{
public:
    BiquadFilter() = default;
    virtual ~BiquadFilter() = default;

    /** Stores the settings and recomputes the coefficients for the current sampleRate. */
    virtual void setParameters (float frequencyHz, float q, float gainDb) = 0;

    /** Filters one sample of channel 0 or 1 in place. */
    void processSample (float& sample, int channel) noexcept
    {
        const float y = b0 * sample + b1 * x1[channel] + b2 * x2[channel] - a1 * y1[channel] - a2 * y2[channel];
        x2[channel] = x1[channel];
        x1[channel] = sample;
        y2[channel] = y1[channel];
        y1[channel] = y;
        sample = y;
    }

    /** Filters the first two channels of the buffer in place and marks it as not silent. */
    void processBlock (juce::AudioBuffer<float>& buffer) noexcept;

    float sampleRate = 44100.0f;
    float frequency = 0.0f;
    float q = 0.0f;
    float gainDb = 0.0f;

    /** The normalised coefficients b0, b1, b2, a0 (always 1 once set), a1, a2. */
    std::array<float, 6> getCoefficients() const noexcept { return { b0, b1, b2, a0, a1, a2 }; }

protected:
    struct Angle
    {
        float cosW0, alpha;
    };

    /** Stores the settings and returns cos w0 and alpha. The low- and high-pass kinds use w0 = 2π·f/fs
        from the single-precision quotient; the peak and shelf kinds (doubledAngle) use 4π·f/fs formed in
        double precision, which the unit's voicing was tuned against. */
    Angle storeSettings (float frequencyHz, float qValue, float gain, bool doubledAngle) noexcept;

    /** Normalises by a0 and stores. */
    void setCoefficients (float nb0, float nb1, float nb2, float na0, float na1, float na2) noexcept;

private:
    float b0 = 0.0f, b1 = 0.0f, b2 = 0.0f, a0 = 0.0f, a1 = 0.0f, a2 = 0.0f;
    float x1[2] = {}, x2[2] = {}, y1[2] = {}, y2[2] = {};
};
