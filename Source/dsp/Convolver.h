#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <memory>

namespace Orvalen::dsp
{
class ConvolverCore;

/** Zero-latency (or fixed-latency) partitioned FFT convolution of up to two channels with an impulse
    response, optionally split into a head that runs at the host block size and a long tail that runs
    in large partitions.

    New impulse responses are prepared on the convolver's own loader thread and crossfaded in over
    50 ms; the audio thread never waits for them.
*/
class Convolver
{
public:
    /** latency 0 gives zero added latency; a head length of 0 keeps the whole IR in one uniform
        convolver. Other values are rounded up to a power of two of at least 64. Starts the loader thread. */
    explicit Convolver (int latencySamples = 0, int headLengthSamples = 0);

    /** Stops and joins the loader thread. */
    ~Convolver();

    /** Preparation thread; loads every request queued so far and builds for the spec. Blocks and allocates. */
    void prepare (const juce::dsp::ProcessSpec& spec);
    void prepare (double sampleRate, int maximumBlockSize, int numChannels);

    /** Audio thread; wait-free and allocation-free. Writes only the convolved signal; input and output
        may be the same block. Does nothing before the first prepare. */
    void process (const juce::dsp::AudioBlock<const float>& input, const juce::dsp::AudioBlock<float>& output) noexcept;

    /** Audio thread, in place on every channel of the buffer. */
    void process (juce::AudioBuffer<float>& buffer) noexcept;

    /** Audio or preparation thread; clears all convolution state without allocating or waiting. */
    void reset() noexcept;

    /** One thread at a time (audio thread included); wait-free. Queues a load of encoded audio (any basic
        format); the bytes are not copied and must outlive the request. maxLength 0 reads the whole file.
        Bytes that no format can read change nothing. */
    void loadFromMemory (
        const void* data, size_t numBytes, bool stereo, bool trim, size_t maxLength, bool normalise) noexcept;

    /** One thread at a time (audio thread included); wait-free: the buffer is moved into the request. */
    void loadFromBuffer (
        juce::AudioBuffer<float>&& buffer, double sampleRate, bool stereo, bool trim, bool normalise) noexcept;

    /** Audio thread: true while a new impulse response is being crossfaded in. */
    bool isCrossfading() const noexcept;

private:
    std::unique_ptr<ConvolverCore> core;
    bool prepared = false;
};
} // namespace Orvalen::dsp
