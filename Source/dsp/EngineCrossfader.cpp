#include "dsp/EngineCrossfader.h"

#include <cmath>

namespace Orvalen::dsp
{
void EngineCrossfader::prepare (const juce::dsp::ProcessSpec& spec)
{
    stepsPerRamp = (int) std::floor (rampSeconds * spec.sampleRate);
    rampBuffer.setSize (1, (int) spec.maximumBlockSize);
    fadeBuffer.setSize ((int) spec.numChannels, (int) spec.maximumBlockSize);
    reset();
}

void EngineCrossfader::reset() noexcept
{
    currentValue = target = 1.0f;
    countdown = 0;
}

void EngineCrossfader::start() noexcept
{
    currentValue = 1.0f;
    target = 0.0f;

    if (stepsPerRamp <= 0)
    {
        currentValue = target;
        countdown = 0;
        return;
    }

    countdown = stepsPerRamp;
    stepSize = (target - currentValue) / (float) stepsPerRamp;
}

float EngineCrossfader::getNextValue() noexcept
{
    if (countdown <= 0)
        return target;

    --countdown;
    currentValue = countdown > 0 ? currentValue + stepSize : target;
    return currentValue;
}

void EngineCrossfader::process (const juce::dsp::AudioBlock<const float>& input,
                                const juce::dsp::AudioBlock<float>& output,
                                EngineSet* fading,
                                EngineSet& active) noexcept
{
    const size_t numSamples =
        std::min ({ input.getNumSamples(), output.getNumSamples(), (size_t) rampBuffer.getNumSamples() });
    const size_t channels = std::min (output.getNumChannels(), (size_t) fadeBuffer.getNumChannels());
    float* ramp = rampBuffer.getWritePointer (0);

    for (size_t i = 0; i < numSamples; ++i)
        ramp[i] = getNextValue();

    juce::dsp::AudioBlock<float> fade (fadeBuffer.getArrayOfWritePointers(), channels, numSamples);
    fade.clear();

    // The outgoing engine runs first so that an in-place block is still intact for the incoming one.
    if (fading != nullptr)
        fading->process (input.getSubBlock (0, numSamples), fade);
    else
        fade.copyFrom (
            input.getSubsetChannelBlock (0, std::min (channels, input.getNumChannels())).getSubBlock (0, numSamples));

    for (size_t channel = 0; channel < channels; ++channel)
        juce::FloatVectorOperations::multiply (fade.getChannelPointer (channel), ramp, (int) numSamples);

    // 1 - ramp: the incoming engine's gain.
    juce::FloatVectorOperations::negate (ramp, ramp, (int) numSamples);
    juce::FloatVectorOperations::add (ramp, 1.0f, (int) numSamples);

    const auto out = output.getSubBlock (0, numSamples);
    active.process (input.getSubBlock (0, numSamples), out);

    for (size_t channel = 0; channel < channels; ++channel)
    {
        float* y = out.getChannelPointer (channel);
        juce::FloatVectorOperations::multiply (y, ramp, (int) numSamples);
        juce::FloatVectorOperations::add (y, fade.getChannelPointer (channel), (int) numSamples);
    }
}
} // namespace Orvalen::dsp
