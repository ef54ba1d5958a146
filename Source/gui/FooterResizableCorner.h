#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

class VantorraCoilvoxAudioProcessor;

namespace OV
{
/** The handle in the editor's bottom-right corner: the only way to resize the window. Drags are
    measured in screen coordinates, so the handle's own scaling does not feed back into the drag. On
    release the width is remembered in the processor and the user settings ("sizeRatio").
    Message thread. */
class FooterResizableCorner : public juce::Component
{
public:
    FooterResizableCorner (juce::AudioProcessorEditor& editor,
                           juce::ComponentBoundsConstrainer* constrainer,
                           VantorraCoilvoxAudioProcessor& processor);

    bool hitTest (int x, int y) override;
    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& event) override;
    void mouseDrag (const juce::MouseEvent& event) override;
    void mouseUp (const juce::MouseEvent& event) override;

    /** Records the width the window ended at, in the processor and in the user settings. */
    void storeWidth (int width);

    static constexpr const char* settingsKey = "sizeRatio";

private:
    juce::Component::SafePointer<juce::AudioProcessorEditor> editor;
    juce::ComponentBoundsConstrainer* constrainer = nullptr;
    juce::Rectangle<int> originalBounds;
    juce::Point<int> lastDragPosition;
    VantorraCoilvoxAudioProcessor& processor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FooterResizableCorner)
};
} // namespace OV
