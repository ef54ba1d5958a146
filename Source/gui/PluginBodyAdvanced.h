#pragma once

#include "gui/Filmstrip.h"
#include "gui/InvertedFilmstrip.h"
#include "gui/PluginEditorSection.h"
#include "gui/labelLookAndFeel.h"

#include <juce_audio_processors/juce_audio_processors.h>

class VantorraCoilvoxAudioProcessor;

/** The panel the ADVANCED button unfolds: pre-delay and width knobs, the spring-tank lever with the
    decay slider, and the tone and mix faders. Message thread. */
class PluginBodyAdvanced : public OV::PluginEditorSection
{
public:
    explicit PluginBodyAdvanced (VantorraCoilvoxAudioProcessor& processor);
    ~PluginBodyAdvanced() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void parentHierarchyChanged() override;

    /** Decodes the panel's pictures; done when the panel is first shown, since most sessions stay in
        the simple view and the strips take tens of megabytes decoded. */
    void loadImages();
    bool areImagesLoaded() const { return imagesLoaded; }

    /** The pre-delay read-out: the value in plain decimal form followed by "ms". */
    static juce::String preDelayReadoutText (double valueMs);

    static constexpr double width = 3000.0;
    static constexpr double height = 719.0;

    const float layoutScale = 0.75f;
    juce::Label preDelayReadout;
    labelLookAndFeel readoutLookAndFeel;

    juce::Image advancedBackground, decayCapImage, smallKnobStrip, smallKnobMask, tankSelectorStrip, tankSelectorMask,
        toneFaderStrip, mixFaderStrip, mixFaderMask, toneFaderMask;

    Filmstrip decayLookAndFeel, mixLookAndFeel, preDelayLookAndFeel;
    InvertedFilmstrip tankLookAndFeel;
    Filmstrip toneLookAndFeel, widthLookAndFeel;

    juce::Slider decaySlider, preDelayKnob, widthKnob, toneFader, tankSelector, mixFader;

private:
    using SliderAttachment = juce::AudioProcessorValueTreeState::SliderAttachment;

    void setUpSlider (juce::Slider& slider,
                      juce::Slider::SliderStyle style,
                      juce::LookAndFeel& lookAndFeel,
                      const char* parameterId,
                      int dragForFullRange);
    bool isMono() const;

    VantorraCoilvoxAudioProcessor& processor;
    std::vector<std::unique_ptr<SliderAttachment>> attachments;
    bool imagesLoaded = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginBodyAdvanced)
};
