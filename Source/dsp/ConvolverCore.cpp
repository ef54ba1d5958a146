#include "dsp/ConvolverCore.h"

namespace Orvalen::dsp
{
ConvolverCore::ConvolverCore (int latency, int head, bool zeroLatency)
    : loadQueue (std::make_shared<ConvolutionEngineQueue> (messageQueue.getQueue(), latency, head, zeroLatency))
{
}

// Engine sets go first, then the request queue (commands still queued then find it gone), then the
// loader thread, which is stopped and joined without a time limit.
ConvolverCore::~ConvolverCore()
{
    activeEngine.reset();
    fadingEngine.reset();
    loadQueue.reset();
}

void ConvolverCore::prepare (const juce::dsp::ProcessSpec& spec)
{
    messageQueue.drainAll();
    crossfader.prepare (spec);
    loadQueue->applySpec (spec);

    if (auto engine = loadQueue->takeEngine())
        activeEngine = std::move (engine);

    fadingEngine.reset();
    maximumBlockSize = std::max<size_t> (1, spec.maximumBlockSize);
}

void ConvolverCore::reset() noexcept
{
    crossfader.reset();

    if (activeEngine != nullptr)
        activeEngine->reset();

    loadQueue->dispose (std::move (fadingEngine));
}

void ConvolverCore::process (const juce::dsp::AudioBlock<const float>& input,
                             const juce::dsp::AudioBlock<float>& output) noexcept
{
    // Hosts may exceed the block size they announced; the buffers are sized for it, so split.
    const size_t numSamples = std::min (input.getNumSamples(), output.getNumSamples());

    for (size_t done = 0; done < numSamples;)
    {
        const size_t chunk = std::min (numSamples - done, maximumBlockSize);
        processChunk (input.getSubBlock (done, chunk), output.getSubBlock (done, chunk));
        done += chunk;
    }
}

void ConvolverCore::processChunk (const juce::dsp::AudioBlock<const float>& input,
                                  const juce::dsp::AudioBlock<float>& output) noexcept
{
    loadQueue->resend();

    // A new set is only collected between crossfades; until then it waits in the slot.
    if (fadingEngine == nullptr)
    {
        if (auto incoming = loadQueue->takeEngine())
        {
            fadingEngine = std::move (activeEngine);
            activeEngine = std::move (incoming);
            crossfader.start();
        }
    }

    if (activeEngine == nullptr)
        return;

    if (crossfader.isRunning())
    {
        crossfader.process (input, output, fadingEngine.get(), *activeEngine);

        if (!crossfader.isRunning())
            loadQueue->dispose (std::move (fadingEngine));
    }
    else
    {
        activeEngine->process (input, output);
    }
}
} // namespace Orvalen::dsp
