#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

/** Decodes an embedded WAV file into a float buffer (integer PCM scaled to ±1, float data unchanged).
    A file the reader refuses leaves the buffer cleared at its former size. Any thread but the audio thread. */
struct EmbeddedWav
{
    static void read (juce::AudioBuffer<float>& target, const void* data, size_t numBytes);
};
