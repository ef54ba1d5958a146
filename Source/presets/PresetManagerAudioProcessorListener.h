#pragma once

#include "presets/PMAPLAsyncUpdater.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace OV
{
/** Turns the first parameter change after a preset was set into one "changed" notification on the
    message thread; later changes are ignored until the next preset re-arms it. */
class PresetManagerAudioProcessorListener : public juce::AudioProcessorListener
{
public:
    explicit PresetManagerAudioProcessorListener (std::function<void (bool)> onChanged);

    /** Any thread, including the audio thread: touches only atomics and triggers the update. */
    void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override;
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

    /** Message thread: drops a pending notification and listens for the next first change. */
    void rearm();

    PMAPLAsyncUpdater updater;
    std::atomic<bool> notified{ false };
};
} // namespace OV
