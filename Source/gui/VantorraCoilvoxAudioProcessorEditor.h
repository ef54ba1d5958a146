#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

class VantorraCoilvoxAudioProcessor;

/** The plug-in's editor window. Until the unit's own front panel is in place it lists every
    parameter with the framework's generic controls. */
class VantorraCoilvoxAudioProcessorEditor : public juce::AudioProcessorEditor
{
public:
    explicit VantorraCoilvoxAudioProcessorEditor (VantorraCoilvoxAudioProcessor& processor);
    ~VantorraCoilvoxAudioProcessorEditor() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    juce::GenericAudioProcessorEditor generic;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VantorraCoilvoxAudioProcessorEditor)
};
