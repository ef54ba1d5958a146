#pragma once

#include "gui/Filmstrip.h"
#include "gui/PluginEditorSection.h"
#include "gui/hidden/SecretSectionFilmstrip.h"
#include "gui/labelLookAndFeel.h"

#include <juce_audio_processors/juce_audio_processors.h>

class VantorraCoilvoxAudioProcessor;

/** The hidden body: an amplifier head with the amplifier, cabinet, tremolo and tone controls, each
    attached to its parameter, and a pilot lamp that follows the amp switch. The free and the
    tempo-synced speed knob share one place; the sync switch decides which one shows. The amplifier's
    logo plate is a button back to the cover scene (the editor installs that action).
    Message thread. */
class PluginBodySecret : public OV::PluginEditorSection, private juce::Button::Listener
{
public:
    explicit PluginBodySecret (VantorraCoilvoxAudioProcessor& processor);
    ~PluginBodySecret() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void parentHierarchyChanged() override;

    /** Decodes the pictures; done when the body is first shown, since most sessions never show it and
        its strips take over a hundred megabytes decoded. */
    void loadImages();
    bool areImagesLoaded() const { return imagesLoaded; }

    /** The note value a synced speed stands for ("1/2" for 0 up to "1/24" for 5); empty for any
        other value. */
    static juce::String divisionText (double syncRate);

    /** Where the pilot lamp is drawn, in body units. */
    static juce::Rectangle<int> lampBounds() { return { 728, 788, 105, 131 }; }

    static constexpr double width = 3000.0;
    static constexpr double height = 2056.0;

    juce::Label divisionLabel;
    labelLookAndFeel divisionLookAndFeel;

    // The controls' strips live in their look-and-feels; these are drawn by the section itself.
    juce::Image background, lampStrip, returnHighlight;

    SecretSectionFilmstrip ampSwitchLookAndFeel, cabinetSwitchLookAndFeel, syncSwitchLookAndFeel,
        tremoloSwitchLookAndFeel;
    Filmstrip gainLookAndFeel, masterLookAndFeel, speedLookAndFeel, depthLookAndFeel, lowLookAndFeel, midLookAndFeel,
        topLookAndFeel;

    juce::ToggleButton ampSwitch, cabinetSwitch, syncSwitch, tremoloSwitch;
    juce::Slider gainKnob, masterKnob, freeSpeedKnob, syncedSpeedKnob, depthKnob, lowKnob, midKnob, topKnob;
    juce::ImageButton returnButton;

private:
    using SliderAttachment = juce::AudioProcessorValueTreeState::SliderAttachment;
    using ButtonAttachment = juce::AudioProcessorValueTreeState::ButtonAttachment;

    void setUpSwitch (juce::ToggleButton& button, SecretSectionFilmstrip& lookAndFeel, const char* parameterId);
    void setUpKnob (juce::Slider& knob, Filmstrip& lookAndFeel, const char* parameterId);
    void setUpDivisionReadout();

    /** The switches mirror their parameters on the message thread whoever changed them (host,
        preset, mouse), so following the switches is how the lamp and the speed knobs follow "AMP"
        and "SYNC", without any repaint loop. */
    void buttonClicked (juce::Button* button) override;
    void showSpeedKnobForSync();

    VantorraCoilvoxAudioProcessor& processor;
    std::vector<std::unique_ptr<SliderAttachment>> sliderAttachments;
    std::vector<std::unique_ptr<ButtonAttachment>> buttonAttachments;
    bool imagesLoaded = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginBodySecret)
};
