#include "engine/EmbeddedWav.h"

#include <juce_audio_formats/juce_audio_formats.h>

void EmbeddedWav::read (juce::AudioBuffer<float>& target, const void* data, size_t numBytes)
{
    juce::WavAudioFormat format;
    std::unique_ptr<juce::AudioFormatReader> reader (
        format.createReaderFor (new juce::MemoryInputStream (data, numBytes, false), true));

    target.clear();

    if (reader == nullptr)
        return;

    const auto channels = (int) reader->numChannels;
    const auto length = (int) reader->lengthInSamples;

    if (channels != target.getNumChannels() || length != target.getNumSamples())
        target.setSize (channels, length, false, true);

    reader->read (&target, 0, length, 0, true, true);
}
