#pragma once

#include "gui/Filmstrip.h"
#include "gui/InvertedFilmstrip.h"
#include "gui/LevelMeter.h"
#include "gui/PluginEditorSection.h"
#include "gui/labelLookAndFeel.h"

#include <juce_audio_processors/juce_audio_processors.h>

class VantorraCoilvoxAudioProcessor;

/** The front panel of the unit: three channel strips with lamp switches and faders, the reverb amount
    and drive faders, the input and output trim wheels with their read-outs, and the input level lamp.
    Every control is attached to its parameter, so the panel holds no state of its own.
    Message thread. */
class PluginBodySimple : public OV::PluginEditorSection
{
public:
    explicit PluginBodySimple (VantorraCoilvoxAudioProcessor& processor);
    ~PluginBodySimple() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** The trim wheels' read-out: the value rounded half to even with "dB", or "-inf dB" at -69 and
        below. */
    static juce::String trimReadoutText (double valueDb);

    static constexpr double width = 3000.0;
    static constexpr double height = 1337.0;

    const float layoutScale = 0.75f;
    juce::Label inputReadout, outputReadout;
    labelLookAndFeel readoutLookAndFeel;

    juce::Image simpleBackground, channelALamp, channelBLamp, channelCLamp, channelFaderStrip, channelFaderMask,
        inputTrimStrip, outputTrimStrip, reverbFaderStrip, reverbFaderMask, meterStrip;

    Filmstrip faderLookAndFeel;
    InvertedFilmstrip inputTrimLookAndFeel, outputTrimLookAndFeel;
    Filmstrip reverbAmountLookAndFeel, reverbDriveLookAndFeel, lampALookAndFeel, lampBLookAndFeel, lampCLookAndFeel;

    LevelMeter levelMeter;

    juce::Slider faderA, faderB, faderC, reverbAmountFader, reverbDriveFader, inputTrim, outputTrim;
    juce::ToggleButton channelAButton, channelBButton, channelCButton;

private:
    using SliderAttachment = juce::AudioProcessorValueTreeState::SliderAttachment;
    using ButtonAttachment = juce::AudioProcessorValueTreeState::ButtonAttachment;

    void setUpSlider (juce::Slider& slider,
                      juce::Slider::SliderStyle style,
                      juce::LookAndFeel& lookAndFeel,
                      const char* parameterId,
                      int dragForFullRange);
    void setUpLamp (juce::ToggleButton& button, juce::LookAndFeel& lookAndFeel, const char* parameterId);
    void setUpTrim (juce::Slider& trim, juce::Label& readout);

    VantorraCoilvoxAudioProcessor& processor;
    std::vector<std::unique_ptr<SliderAttachment>> sliderAttachments;
    std::vector<std::unique_ptr<ButtonAttachment>> buttonAttachments;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginBodySimple)
};
