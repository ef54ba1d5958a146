#pragma once

#include "dsp/UniformConvolver.h"

#include <juce_dsp/juce_dsp.h>

#include <memory>
#include <vector>

namespace Orvalen::dsp
{
/** A ready-to-run convolution of up to two channels: one head convolver per channel and, when the IR
    is split, one tail convolver per channel whose delay equals its offset into the IR.

    Built on the loader thread; run by the audio thread; destroyed on the loader thread.
*/
class EngineSet
{
public:
    using Convolvers = std::vector<std::unique_ptr<UniformConvolver>>;

    EngineSet (Convolvers heads, Convolvers tails, size_t maximumBlockSize, bool zeroLatency);

    /** Audio thread; never allocates. Writes min (2, channels) convolved channels and copies channel 0
        into any further output channels. Input and output may be the same block. */
    void process (const juce::dsp::AudioBlock<const float>& input, const juce::dsp::AudioBlock<float>& output) noexcept;

    /** Audio or preparation thread; clears every convolver's state without allocating. */
    void reset() noexcept;

    bool hasTails() const noexcept { return !tails.empty(); }
    const Convolvers& getHeads() const noexcept { return heads; }
    const Convolvers& getTails() const noexcept { return tails; }

private:
    Convolvers heads, tails;
    juce::AudioBuffer<float> tailScratch;
    bool zeroLatency;
};
} // namespace Orvalen::dsp
