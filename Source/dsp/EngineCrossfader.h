#pragma once

#include "dsp/EngineSet.h"

#include <juce_dsp/juce_dsp.h>

namespace Orvalen::dsp
{
/** Linear 50 ms crossfade from an outgoing EngineSet to an incoming one; the two gains sum to 1 at
    every sample. */
class EngineCrossfader
{
public:
    static constexpr double rampSeconds = 0.05;

    /** Preparation thread; allocates the ramp and fade buffers. */
    void prepare (const juce::dsp::ProcessSpec& spec);

    /** Audio or preparation thread: back to the resting state (no ramp). */
    void reset() noexcept;

    /** Audio thread: starts fading the outgoing engine out from full level. */
    void start() noexcept;

    bool isRunning() const noexcept { return countdown > 0; }
    int getStepsPerRamp() const noexcept { return stepsPerRamp; }

    /** Audio thread; never allocates. Blocks must not exceed the prepared maximum block size. */
    void process (const juce::dsp::AudioBlock<const float>& input,
                  const juce::dsp::AudioBlock<float>& output,
                  EngineSet* fading,
                  EngineSet& active) noexcept;

private:
    float getNextValue() noexcept;

    float currentValue = 1.0f, target = 1.0f, stepSize = 0.0f;
    int countdown = 0, stepsPerRamp = 0;
    juce::AudioBuffer<float> rampBuffer, fadeBuffer;
};
} // namespace Orvalen::dsp
