#include "engine/EmbeddedWav.h"

#include <juce_audio_formats/juce_audio_formats.h>

void EmbeddedWav::read (juce::AudioBuffer<float>& target, const void* data, size_t numBytes)
{
    juce::WavAudioFormat format;
    std::unique_ptr<juce::AudioFormatReader> reader (
        format.createReaderFor (new juce::MemoryInputStream (data, numBytes, false), true));

    target.clear();

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
