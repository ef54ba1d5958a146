#include "engine/EmbeddedWav.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <cstring>

bool EmbeddedWav::extractFormatAndSamples (const void* data, size_t numBytes, juce::MemoryBlock& plainWav)
{
    const auto* bytes = static_cast<const char*> (data);
    constexpr size_t riffHeaderBytes = 12, chunkHeaderBytes = 8;

    if (data == nullptr || numBytes < riffHeaderBytes || numBytes > (size_t) std::numeric_limits<int>::max()
        || std::memcmp (bytes, "RIFF", 4) != 0 || std::memcmp (bytes + 8, "WAVE", 4) != 0)
        return false;

    const char *format = nullptr, *samples = nullptr;
    size_t formatBytes = 0, sampleBytes = 0;

    for (size_t position = riffHeaderBytes; position + chunkHeaderBytes <= numBytes;)
    {
        const auto* chunk = bytes + position;
        const auto length = (size_t) juce::ByteOrder::littleEndianInt (chunk + 4);
        const auto remaining = numBytes - position - chunkHeaderBytes;
        const bool isSamples = std::memcmp (chunk, "data", 4) == 0;

        // The samples may run short (the decoder pads them); nothing else may claim more than is there.
        if (length > remaining && ! isSamples)
            return false;

        if (isSamples && samples == nullptr)
        {
            samples = chunk + chunkHeaderBytes;
            sampleBytes = juce::jmin (length, remaining);
        }
        else if (std::memcmp (chunk, "fmt ", 4) == 0 && format == nullptr)
        {
            format = chunk + chunkHeaderBytes;
            formatBytes = length;
        }

        if (length > remaining)
            break;

        position += chunkHeaderBytes + length + (length & 1);
    }

    if (format == nullptr || samples == nullptr)
        return false;

    juce::MemoryOutputStream out (plainWav, false);
    out.write ("RIFF", 4);
    out.writeInt ((int) (4 + chunkHeaderBytes + formatBytes + (formatBytes & 1) + chunkHeaderBytes + sampleBytes));
    out.write ("WAVE", 4);
    out.write ("fmt ", 4);
    out.writeInt ((int) formatBytes);
    out.write (format, formatBytes);

    if ((formatBytes & 1) != 0)
        out.writeByte (0);

    out.write ("data", 4);
    out.writeInt ((int) sampleBytes);
    out.write (samples, sampleBytes);
    return true;
}

void EmbeddedWav::read (juce::AudioBuffer<float>& target, const void* data, size_t numBytes)
{
    target.clear();

    // Only the format and the samples reach the reader: it allocates metadata chunks at the size their
    // headers claim (gigabytes from a few bytes) and parses some as text and XML, which malformed
    // bytes take past their end.
    juce::MemoryBlock plainWav;

    if (! extractFormatAndSamples (data, numBytes, plainWav))
        return;

    juce::WavAudioFormat format;
    std::unique_ptr<juce::AudioFormatReader> reader (
        format.createReaderFor (new juce::MemoryInputStream (plainWav, false), true));

    // Only the plain layouts a recording is stored in. The reader also accepts thousands of channels,
    // or frames so large that it would step through them zero frames at a time and never finish.
    if (reader == nullptr || reader->numChannels < 1 || reader->numChannels > (unsigned int) maximumChannels
        || ! (reader->bitsPerSample == 8 || reader->bitsPerSample == 16 || reader->bitsPerSample == 24
              || reader->bitsPerSample == 32))
        return;

    const auto channels = (int) reader->numChannels;
    const auto length = (int) juce::jmin (reader->lengthInSamples, (juce::int64) std::numeric_limits<int>::max());

    if (channels != target.getNumChannels() || length != target.getNumSamples())
        target.setSize (channels, length, false, true);

    reader->read (&target, 0, length, 0, true, true);
}
