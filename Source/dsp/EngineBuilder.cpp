#include "dsp/EngineBuilder.h"

#include <cfloat>
#include <cmath>

namespace Orvalen::dsp
{
namespace
{
    bool ratesMatch (double a, double b)
    {
        if (!std::isfinite (a) || !std::isfinite (b))
            return false;

        const double difference = std::abs (a - b);
        return difference <= DBL_MIN || difference <= DBL_EPSILON * std::max (std::abs (a), std::abs (b));
    }

    size_t nextPowerOfTwo (size_t n)
    {
        size_t p = 1;
        while (p < n)
            p <<= 1;
        return p;
    }

    juce::AudioBuffer<float> unitImpulse()
    {
        juce::AudioBuffer<float> unit (1, 1);
        unit.setSample (0, 0, 1.0f);
        return unit;
    }

    // Removes the leading and trailing samples below the threshold that every channel shares.
    juce::AudioBuffer<float> trimSilence (const juce::AudioBuffer<float>& ir, float threshold)
    {
        const int length = ir.getNumSamples(), channels = ir.getNumChannels();
        int leading = length, trailing = length;

        for (int channel = 0; channel < channels; ++channel)
        {
            const float* x = ir.getReadPointer (channel);
            int lead = 0, trail = 0;

            while (lead < length && std::abs (x[lead]) < threshold)
                ++lead;
            while (trail < length && std::abs (x[length - 1 - trail]) < threshold)
                ++trail;

            leading = std::min (leading, lead);
            trailing = std::min (trailing, trail);
        }

        if (leading == length)
        {
            juce::AudioBuffer<float> silent (channels, 1);
            silent.clear();
            return silent;
        }

        const int kept = std::max (1, length - (leading + trailing));
        juce::AudioBuffer<float> trimmed (channels, kept);

        for (int channel = 0; channel < channels; ++channel)
            trimmed.copyFrom (channel, 0, ir, channel, leading, kept);

        return trimmed;
    }

    juce::AudioBuffer<float> resample (juce::AudioBuffer<float> ir, double fromRate, double toRate)
    {
        const double ratio = fromRate / toRate;
        const int outLength = (int) std::nearbyint (std::max (1.0, ir.getNumSamples() / ratio));
        const int channels = ir.getNumChannels();

        juce::MemoryAudioSource source (ir, false);
        juce::ResamplingAudioSource resampler (&source, false, channels);
        resampler.setResamplingRatio (ratio);
        resampler.prepareToPlay (outLength, fromRate);

        juce::AudioBuffer<float> out (channels, outLength);
        out.clear();
        resampler.getNextAudioBlock (juce::AudioSourceChannelInfo (&out, 0, outLength));
        return out;
    }
} // namespace

//==============================================================================
EngineBuilder::EngineBuilder (int latency, int head, bool isZeroLatency)
    : storedIR (unitImpulse())
    , requestedLatency (latency)
    , headLength (head)
    , zeroLatency (isZeroLatency)
{
}

void EngineBuilder::applySpec (const juce::dsp::ProcessSpec& newSpec)
{
    const std::lock_guard<std::mutex> lock (mutex);
    spec = newSpec;
    slot.place (build());
}

void EngineBuilder::storeIR (
    juce::AudioBuffer<float>&& impulse, double sampleRate, bool stereo, bool trim, bool normalise)
{
    const std::lock_guard<std::mutex> lock (mutex);
    normaliseLevel = normalise;
    irSampleRate = sampleRate;

    const int channels = std::min (stereo ? 2 : 1, impulse.getNumChannels());
    juce::AudioBuffer<float> kept;

    if (channels <= 0 || impulse.getNumSamples() <= 0)
    {
        kept = unitImpulse();
    }
    else
    {
        kept.setSize (channels, impulse.getNumSamples());
        for (int channel = 0; channel < channels; ++channel)
            kept.copyFrom (channel, 0, impulse, channel, 0, impulse.getNumSamples());
    }

    storedIR = trim ? trimSilence (kept, trimThreshold) : std::move (kept);
    slot.place (build());
}

std::unique_ptr<EngineSet> EngineBuilder::build() const
{
    juce::AudioBuffer<float> ir (storedIR);

    if (!ratesMatch (irSampleRate, spec.sampleRate))
        ir = resample (std::move (ir), irSampleRate, spec.sampleRate);

    if (normaliseLevel)
    {
        double loudest = 0.0;

        for (int channel = 0; channel < ir.getNumChannels(); ++channel)
        {
            double energy = 0.0;
            const float* x = ir.getReadPointer (channel);
            for (int i = 0; i < ir.getNumSamples(); ++i)
                energy += (double) x[i] * x[i];
            loudest = std::max (loudest, energy);
        }

        ir.applyGain (loudest < 1.0e-8 ? 1.0f : (float) (0.125 / std::sqrt (loudest)));
    }
    else
    {
        // A higher running rate gives the IR more samples; scaling by the rate ratio keeps its level.
        ir.applyGain ((float) (irSampleRate / spec.sampleRate));
    }

    const size_t maxBufferSize =
        zeroLatency ? (size_t) spec.maximumBlockSize
                    : nextPowerOfTwo (std::max ((size_t) spec.maximumBlockSize, (size_t) requestedLatency));
    const size_t length = (size_t) ir.getNumSamples();
    EngineSet::Convolvers heads, tails;

    for (int channel = 0; channel < 2; ++channel)
    {
        const float* x = ir.getReadPointer (std::min (channel, ir.getNumChannels() - 1));

        if (headLength <= 0)
        {
            heads.push_back (std::make_unique<UniformConvolver> (x, length, maxBufferSize));
            continue;
        }

        // The tail's delay equals its offset into the IR, so head and tail join without a gap.
        const size_t headSize = std::min (length, (size_t) headLength);
        heads.push_back (std::make_unique<UniformConvolver> (x, headSize, maxBufferSize));

        if (headSize < length)
            tails.push_back (
                std::make_unique<UniformConvolver> (x + headSize,
                                                    length - headSize,
                                                    (size_t) headLength + (zeroLatency ? 0 : maxBufferSize)));
    }

    return std::make_unique<EngineSet> (std::move (heads),
                                        std::move (tails),
                                        (size_t) spec.maximumBlockSize,
                                        zeroLatency);
}
} // namespace Orvalen::dsp
