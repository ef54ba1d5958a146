#include "dsp/ConvolutionEngineQueue.h"

#include <juce_audio_formats/juce_audio_formats.h>

namespace Orvalen::dsp
{
ConvolutionEngineQueue::ConvolutionEngineQueue (BackgroundMessageQueue& queue, int latency, int head, bool zeroLatency)
    : messageQueue (queue)
    , builder (latency, head, zeroLatency)
{
}

void ConvolutionEngineQueue::post (LoaderCommand&& command) noexcept
{
    // Only the newest unsent request matters: it replaces one still waiting for room in the ring.
    waitingRequest = std::move (command);
    resend();
}

void ConvolutionEngineQueue::resend() noexcept
{
    if (!waitingRequest.isEmpty())
        messageQueue.tryPush (waitingRequest);
}

void ConvolutionEngineQueue::loadFromMemory (
    const void* data, size_t numBytes, bool stereo, bool trim, size_t maxLength, bool normalise) noexcept
{
    post (
        [weak = weak_from_this(), data, numBytes, stereo, trim, maxLength, normalise]
        {
            if (auto queue = weak.lock())
                queue->loadEncodedNow (data, numBytes, stereo, trim, maxLength, normalise);
        });
}

void ConvolutionEngineQueue::loadFromBuffer (
    juce::AudioBuffer<float>&& buffer, double sampleRate, bool stereo, bool trim, bool normalise) noexcept
{
    post (
        [weak = weak_from_this(), ir = std::move (buffer), sampleRate, stereo, trim, normalise]() mutable
        {
            // Resampling from a rate that is not a positive number has no meaning: keep the current IR.
            if (!(sampleRate > 0.0) || !std::isfinite (sampleRate))
                return;

            if (auto queue = weak.lock())
                queue->builder.storeIR (std::move (ir), sampleRate, stereo, trim, normalise);
        });
}

void ConvolutionEngineQueue::loadEncodedNow (
    const void* data, size_t numBytes, bool stereo, bool trim, size_t maxLength, bool normalise)
{
    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    std::unique_ptr<juce::AudioFormatReader> reader (
        formats.createReaderFor (std::make_unique<juce::MemoryInputStream> (data, numBytes, false)));

    // Bytes no format can read change nothing: the current IR stays in place.
    if (reader == nullptr || !(reader->sampleRate > 0.0))
        return;

    const auto fileLength = (size_t) std::max<juce::int64> (0, reader->lengthInSamples);
    const auto length = (int) (maxLength > 0 ? std::min (maxLength, fileLength) : fileLength);
    const int channels = reader->numChannels < 2 ? 1 : 2;

    juce::AudioBuffer<float> ir (channels, length);
    reader->read (&ir, 0, length, 0, true, channels > 1);
    builder.storeIR (std::move (ir), reader->sampleRate, stereo, trim, normalise);
}

void ConvolutionEngineQueue::dispose (std::unique_ptr<EngineSet> engine) noexcept
{
    if (engine == nullptr)
        return;

    LoaderCommand command ([set = std::move (engine)]() mutable { set.reset(); });

    // When the ring is full the command, and the set with it, is destroyed right here.
    messageQueue.tryPush (command);
}
} // namespace Orvalen::dsp
