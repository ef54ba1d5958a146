#pragma once

#include "gui/FadeImageButton.h"
#include "gui/PluginEditorSection.h"
#include "presets/PresetManager.h"

class VantorraCoilvoxAudioProcessor;

namespace OV
{
/** The top band: logo (opens the menu), update badge, preset bar, ADVANCED and the hidden-section
    button. What the buttons do is installed by the editor. Message thread. */
class PluginEditorHeader : public PluginEditorSection
{
public:
    PluginEditorHeader (VantorraCoilvoxAudioProcessor& processor,
                        const juce::File& settingsFolder,
                        juce::ActionListener* presetListener);

    void paint (juce::Graphics& g) override;
    void resized() override;

    static constexpr double width = 4000.0;
    static constexpr double height = 156.0;
    static constexpr juce::uint32 backgroundColour = 0xff222222;

    FadeImageButton logoButton, updateBadge, viewButton, secretButton;
    PresetManager presetManager;

private:
    VantorraCoilvoxAudioProcessor& processor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginEditorHeader)
};
} // namespace OV
