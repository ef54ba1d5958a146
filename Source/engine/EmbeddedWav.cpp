#include "engine/EmbeddedWav.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <cstring>

bool EmbeddedWav::chunksFitTheData (const void* data, size_t numBytes)
{
    const auto* bytes = static_cast<const char*> (data);
    constexpr size_t riffHeaderBytes = 12, chunkHeaderBytes = 8;

    if (numBytes < riffHeaderBytes || std::memcmp (bytes, "RIFF", 4) != 0 || std::memcmp (bytes + 8, "WAVE", 4) != 0)
        return false;

    for (size_t position = riffHeaderBytes; position + chunkHeaderBytes <= numBytes;)
    {
        const auto length = (size_t) juce::ByteOrder::littleEndianInt (bytes + position + 4);
        const auto remaining = numBytes - position - chunkHeaderBytes;

        // The samples may run short (the decoder pads them); nothing else may claim more than is there.
        if (length > remaining)
            return std::memcmp (bytes + position, "data", 4) == 0;

        position += chunkHeaderBytes + length + (length & 1);
    }

    return true;
}

void EmbeddedWav::read (juce::AudioBuffer<float>& target, const void* data, size_t numBytes)
{
    target.clear();

    // The reader allocates every metadata chunk at the size its header claims before reading it, so
    // a few bytes could ask for gigabytes: the chunk sizes are checked against the data first.
    if (data == nullptr || ! chunksFitTheData (data, numBytes))
        return;

    juce::WavAudioFormat format;
    std::unique_ptr<juce::AudioFormatReader> reader (
        format.createReaderFor (new juce::MemoryInputStream (data, numBytes, false), true));

    // Only the plain layouts a recording is stored in. The reader also accepts thousands of channels,
    // or frames so large that it would step through them zero frames at a time and never finish.
    if (reader == nullptr || reader->numChannels < 1 || reader->numChannels > (unsigned int) maximumChannels
        || ! (reader->bitsPerSample == 8 || reader->bitsPerSample == 16 || reader->bitsPerSample == 24
              || reader->bitsPerSample == 32))
        return;

    // A header may claim more samples than the data holds (the reader believes it and pads with
    // silence): size the buffer by what the bytes could carry, never by the claim.
    const auto bytesPerFrame = (juce::int64) (reader->numChannels * reader->bitsPerSample / 8);
    const auto framesPresent = (juce::int64) numBytes / bytesPerFrame;
    const auto channels = (int) reader->numChannels;
    const auto length = (int) juce::jlimit ((juce::int64) 0,
                                            (juce::int64) std::numeric_limits<int>::max(),
                                            juce::jmin (reader->lengthInSamples, framesPresent));

    if (channels != target.getNumChannels() || length != target.getNumSamples())
        target.setSize (channels, length, false, true);

    reader->read (&target, 0, length, 0, true, true);
}
