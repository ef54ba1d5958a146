#pragma once

#include "dsp/BackgroundMessageQueue.h"
#include "dsp/EngineBuilder.h"

#include <memory>

namespace Orvalen::dsp
{
/** The request side of a convolver: posts IR loads and engine disposals to the loader thread and holds
    the builder. Shared by the convolver (strong) and by queued commands (weak), so a command that runs
    after the convolver is gone does nothing.
*/
class ConvolutionEngineQueue : public std::enable_shared_from_this<ConvolutionEngineQueue>
{
public:
    ConvolutionEngineQueue (BackgroundMessageQueue& queue, int requestedLatency, int headLength, bool zeroLatency);

    /** One thread at a time (audio thread included); wait-free, never allocates. The bytes are not
        copied and must outlive the request. Bytes that no format can read leave the current IR in place. */
    void loadFromMemory (
        const void* data, size_t numBytes, bool stereo, bool trim, size_t maxLength, bool normalise) noexcept;

    /** One thread at a time (audio thread included); wait-free, never allocates: the buffer is moved
        into the request. A replaced, never-sent request is freed on the calling thread. */
    void loadFromBuffer (
        juce::AudioBuffer<float>&& buffer, double sampleRate, bool stereo, bool trim, bool normalise) noexcept;

    /** Audio thread; wait-free: offers the waiting request to the ring again. */
    void resend() noexcept;

    /** Audio or preparation thread; wait-free. Hands the set to the loader thread for destruction, or
        destroys it here when the ring is full. */
    void dispose (std::unique_ptr<EngineSet> engine) noexcept;

    /** Preparation thread; blocks while the loader builds. */
    void applySpec (const juce::dsp::ProcessSpec& spec) { builder.applySpec (spec); }

    /** Audio thread; wait-free. */
    std::unique_ptr<EngineSet> takeEngine() noexcept { return builder.takeEngine(); }

    /** Loader or preparation thread: decodes the bytes and stores the IR they hold. */
    void loadEncodedNow (const void* data, size_t numBytes, bool stereo, bool trim, size_t maxLength, bool normalise);

    bool hasWaitingRequest() const noexcept { return !waitingRequest.isEmpty(); }

private:
    void post (LoaderCommand&& command) noexcept;

    BackgroundMessageQueue& messageQueue;
    EngineBuilder builder;
    LoaderCommand waitingRequest;
};
} // namespace Orvalen::dsp
