#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

/** Decodes an embedded WAV file into a float buffer (integer PCM scaled to ±1, float data unchanged).
    A file the reader refuses, one that is not RIFF/WAVE or has a chunk other than the samples that
    claims more bytes than follow it, or one of more than maximumChannels channels or of another sample
    size than 8, 16, 24 or 32 bits, leaves the buffer cleared at its former size. A header that claims more
    samples than the data holds gives no more frames than the data's bytes could carry, the missing
    ones silent. Any thread but the audio thread. */
struct EmbeddedWav
{
    static constexpr int maximumChannels = 8;

    static void read (juce::AudioBuffer<float>& target, const void* data, size_t numBytes);

    /** True for a RIFF/WAVE file whose chunks, the sample data excepted, fit in the bytes given. */
    static bool chunksFitTheData (const void* data, size_t numBytes);
};
