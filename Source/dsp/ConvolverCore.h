#pragma once

#include "dsp/ConvolutionEngineQueue.h"
#include "dsp/ConvolutionMessageQueue.h"
#include "dsp/EngineCrossfader.h"

namespace Orvalen::dsp
{
/** The convolver's working parts: its own loader thread, the shared request queue, the running and the
    outgoing engine sets, and the crossfade between them. */
class ConvolverCore
{
public:
    ConvolverCore (int requestedLatency, int headLength, bool zeroLatency);
    ~ConvolverCore();

    /** Preparation thread; runs every queued load now and builds for the spec. May block and allocate. */
    void prepare (const juce::dsp::ProcessSpec& spec);

    /** Audio thread; never allocates, locks (try-lock only) or waits. */
    void process (const juce::dsp::AudioBlock<const float>& input, const juce::dsp::AudioBlock<float>& output) noexcept;

    /** Audio or preparation thread; never allocates or waits. */
    void reset() noexcept;

    ConvolutionEngineQueue& getLoadQueue() noexcept { return *loadQueue; }
    bool isCrossfading() const noexcept { return crossfader.isRunning(); }

private:
    void processChunk (const juce::dsp::AudioBlock<const float>& input,
                       const juce::dsp::AudioBlock<float>& output) noexcept;

    ConvolutionMessageQueue messageQueue;
    std::shared_ptr<ConvolutionEngineQueue> loadQueue;
    std::unique_ptr<EngineSet> fadingEngine, activeEngine;
    EngineCrossfader crossfader;
    size_t maximumBlockSize = 0;
};
} // namespace Orvalen::dsp
