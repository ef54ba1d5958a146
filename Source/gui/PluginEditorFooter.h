#pragma once

#include "gui/BoxLookAndFeel.h"
#include "gui/PluginEditorSection.h"

#include <juce_audio_processors/juce_audio_processors.h>

class VantorraCoilvoxAudioProcessor;

namespace OV
{
/** The bottom band: the maker's mark, the status line and the oversampling box. The box offers only
    "8X" and "4X"; a hidden model box holds all four settings of "OSMenu" and shows the other two as
    placeholder text. Message thread. */
class PluginEditorFooter : public PluginEditorSection, private juce::ComboBox::Listener
{
public:
    explicit PluginEditorFooter (VantorraCoilvoxAudioProcessor& processor);
    ~PluginEditorFooter() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void parentHierarchyChanged() override { resized(); }

    /** Shows the model's setting in the visible box. */
    void syncOversamplingBox();

    static constexpr double width = 4000.0;
    static constexpr double height = 108.0;

    BoxLookAndFeel boxLookAndFeel;
    juce::ImageComponent footerMark;
    juce::Label statusLabel;
    juce::ComboBox oversamplingModel;
    juce::ComboBox oversamplingBox;

private:
    void comboBoxChanged (juce::ComboBox* box) override;

    std::unique_ptr<juce::ComboBoxParameterAttachment> oversamplingAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginEditorFooter)
};
} // namespace OV
