#include "presets/PresetManagerAudioProcessorListener.h"

namespace OV
{
PresetManagerAudioProcessorListener::PresetManagerAudioProcessorListener (std::function<void (bool)> onChanged)
    : updater (std::move (onChanged))
{
}

void PresetManagerAudioProcessorListener::audioProcessorParameterChanged (juce::AudioProcessor*, int, float)
{
    if (notified.exchange (true))
        return;

    updater.flag = true;
    updater.triggerAsyncUpdate();
}

void PresetManagerAudioProcessorListener::rearm()
{
    updater.cancelPendingUpdate();
    notified = false;
}
} // namespace OV
