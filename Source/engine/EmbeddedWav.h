#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

/** Decodes an embedded WAV file into a float buffer (integer PCM scaled to ±1, float data unchanged).
    Only the format and the samples are read: metadata chunks are skipped unread. A file that is not
    RIFF/WAVE, has no format or samples, has a chunk other than the samples that claims more bytes
    than follow it, has more than maximumChannels channels or another sample size than 8, 16, 24 or
    32 bits, or that the reader refuses, leaves the buffer cleared at its former size. Samples that
    run short of what their header claims give the frames there. Any thread but the audio thread. */
struct EmbeddedWav
{
    static constexpr int maximumChannels = 8;

    static void read (juce::AudioBuffer<float>& target, const void* data, size_t numBytes);

    /** Copies the file's format chunk and samples, and nothing else, into a plain WAV file; false when
        the data is not RIFF/WAVE, lacks either, or a chunk other than the samples claims more bytes
        than follow it. */
    static bool extractFormatAndSamples (const void* data, size_t numBytes, juce::MemoryBlock& plainWav);
};
