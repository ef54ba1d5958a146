#include "gui/PluginBodySimple.h"

#include "gui/FilmstripSlider.h"

#include "gui/BoldFont.h"
#include "gui/ImageStore.h"
#include "plugin/ParameterIds.h"
#include "plugin/VantorraCoilvoxAudioProcessor.h"

#include <cmath>

namespace
{
void configure (Filmstrip& strip,
                const juce::Image& image,
                float frameWidth,
                float frameHeight,
                int numFrames,
                float offsetStep,
                const juce::Image& mask = {})
{
    strip.image = image;
    strip.frameWidth = frameWidth;
    strip.frameHeight = frameHeight;
    strip.numFrames = numFrames;
    strip.offsetStep = offsetStep;
    strip.maskImage = mask;
}
} // namespace

PluginBodySimple::PluginBodySimple (VantorraCoilvoxAudioProcessor& p)
    : OV::PluginEditorSection (width, height)
    , simpleBackground (ImageStore::get ("simpleBackground"))
    , channelALamp (ImageStore::get ("channelALamp"))
    , channelBLamp (ImageStore::get ("channelBLamp"))
    , channelCLamp (ImageStore::get ("channelCLamp"))
    , channelFaderStrip (ImageStore::get ("channelFaderStrip"))
    , channelFaderMask (ImageStore::get ("channelFaderMask"))
    , inputTrimStrip (ImageStore::get ("inputTrimStrip"))
    , outputTrimStrip (ImageStore::get ("outputTrimStrip"))
    , reverbFaderStrip (ImageStore::get ("reverbFaderStrip"))
    , reverbFaderMask (ImageStore::get ("reverbFaderMask"))
    , meterStrip (ImageStore::get ("meterStrip"))
    , levelMeter ([&p] { return p.getEngine().getInputLevelDb(); })
    , processor (p)
{
    levelMeter.strip = meterStrip;
    levelMeter.frameWidth = 116;
    levelMeter.frameHeight = 53;

    configure (faderLookAndFeel, channelFaderStrip, layoutScale * 360.0f, 243.0f, 100, 4.5f, channelFaderMask);
    setUpSlider (faderA, juce::Slider::LinearVertical, faderLookAndFeel, ParameterIds::channelAGain, 625);
    setUpSlider (faderB, juce::Slider::LinearVertical, faderLookAndFeel, ParameterIds::channelBGain, 625);
    setUpSlider (faderC, juce::Slider::LinearVertical, faderLookAndFeel, ParameterIds::channelCGain, 625);

    configure (lampALookAndFeel, channelALamp, 175.0f, 154.0f, 1, 0.0f);
    setUpLamp (channelAButton, lampALookAndFeel, ParameterIds::channelA);
    configure (lampBLookAndFeel, channelBLamp, 175.0f, 154.0f, 1, 0.0f);
    setUpLamp (channelBButton, lampBLookAndFeel, ParameterIds::channelB);
    configure (lampCLookAndFeel, channelCLamp, 175.0f, 154.0f, 1, 0.0f);
    setUpLamp (channelCButton, lampCLookAndFeel, ParameterIds::channelC);

    configure (inputTrimLookAndFeel, inputTrimStrip, 131.0f, 55.0f, 100, 0.0f);
    inputTrimLookAndFeel.skew = 5.2f;
    setUpSlider (inputTrim, juce::Slider::LinearVertical, inputTrimLookAndFeel, ParameterIds::in, 350);
    setUpTrim (inputTrim, inputReadout);

    configure (outputTrimLookAndFeel, outputTrimStrip, 131.0f, 55.0f, 100, 0.0f);
    outputTrimLookAndFeel.skew = 8.2f;
    setUpSlider (outputTrim, juce::Slider::LinearVertical, outputTrimLookAndFeel, ParameterIds::out, 350);
    setUpTrim (outputTrim, outputReadout);

    readoutLookAndFeel.setColour (juce::Label::backgroundColourId, juce::Colour (0xcc222222));
    readoutLookAndFeel.setColour (juce::Label::textColourId, juce::Colour (0xfffaf3e3));
    readoutLookAndFeel.setColour (juce::Label::outlineColourId, juce::Colour (0x00000000));

    for (auto* readout : { &inputReadout, &outputReadout })
    {
        readout->setLookAndFeel (&readoutLookAndFeel);
        readout->setFont (makeBoldFont (35.0f));
        readout->setJustificationType (juce::Justification::centred);
    }

    configure (reverbAmountLookAndFeel, reverbFaderStrip, 303.0f, 150.0f, 100, 4.5f, reverbFaderMask);
    reverbAmountLookAndFeel.overlayOpacity = 0.02f;
    setUpSlider (reverbAmountFader,
                 juce::Slider::LinearHorizontal,
                 reverbAmountLookAndFeel,
                 ParameterIds::reverbAmount,
                 635);

    configure (reverbDriveLookAndFeel, reverbFaderStrip, 303.0f, 150.0f, 100, 4.5f, reverbFaderMask);
    reverbDriveLookAndFeel.overlayOpacity = 0.03f;
    setUpSlider (reverbDriveFader,
                 juce::Slider::LinearHorizontal,
                 reverbDriveLookAndFeel,
                 ParameterIds::reverbDrive,
                 635);

    addAndMakeVisible (levelMeter);

    // Laid out once in base units; the editor only scales the section.
    setSize ((int) width, (int) height);
}

PluginBodySimple::~PluginBodySimple()
{
    inputReadout.setLookAndFeel (nullptr);
    outputReadout.setLookAndFeel (nullptr);

    while (! buttonAttachments.empty())
        buttonAttachments.pop_back();

    while (! sliderAttachments.empty())
        sliderAttachments.pop_back();

    for (auto* slider : { &faderA, &faderB, &faderC, &reverbAmountFader, &reverbDriveFader, &inputTrim, &outputTrim })
        slider->setLookAndFeel (nullptr);

    for (auto* button : { &channelAButton, &channelBButton, &channelCButton })
        button->setLookAndFeel (nullptr);
}

void PluginBodySimple::setUpSlider (juce::Slider& slider,
                                    juce::Slider::SliderStyle style,
                                    juce::LookAndFeel& lookAndFeel,
                                    const char* parameterId,
                                    int dragForFullRange)
{
    sliderAttachments.push_back (
        FilmstripSlider::setUp (slider, style, lookAndFeel, processor.parameters, parameterId, dragForFullRange));
    addAndMakeVisible (slider);
}

void PluginBodySimple::setUpLamp (juce::ToggleButton& button, juce::LookAndFeel& lookAndFeel, const char* parameterId)
{
    button.setLookAndFeel (&lookAndFeel);
    button.setTitle (processor.parameters.getParameter (parameterId)->getName (64));
    buttonAttachments.push_back (std::make_unique<ButtonAttachment> (processor.parameters, parameterId, button));

    // Shift-click lights this channel alone: the other lit ones are clicked off.
    button.onClick = [this, &button]
    {
        if (! button.getToggleState() || ! juce::ModifierKeys::currentModifiers.isShiftDown())
            return;

        for (auto* other : { &channelAButton, &channelBButton, &channelCButton })
            if (other != &button && other->getToggleState())
                other->triggerClick();
    };

    addAndMakeVisible (button);
}

void PluginBodySimple::setUpTrim (juce::Slider& trim, juce::Label& readout)
{
    addAndMakeVisible (readout);
    readout.setVisible (false);

    trim.onDragStart = [&trim, &readout]
    {
        trim.setMouseCursor (juce::MouseCursor::NoCursor);
        trim.onValueChange = [&trim, &readout]
        {
            readout.setText (trimReadoutText (trim.getValue()), juce::dontSendNotification);
            readout.setVisible (true);
        };
    };

    trim.onDragEnd = [&trim, &readout]
    {
        readout.setVisible (false);
        readout.setText ({}, juce::dontSendNotification);
        trim.setMouseCursor (juce::MouseCursor::ParentCursor);
        trim.onValueChange = [] {};
    };
}

juce::String PluginBodySimple::trimReadoutText (double valueDb)
{
    if (! (valueDb > -69.0))
        return "-inf dB";

    // std::nearbyint rounds halves to even in the default rounding mode.
    return juce::String ((int) std::nearbyint (valueDb)) + "dB";
}

void PluginBodySimple::paint (juce::Graphics& g)
{
    if (simpleBackground.isValid())
        g.drawImage (simpleBackground, getLocalBounds().toFloat(), juce::RectanglePlacement::stretchToFit);
}

void PluginBodySimple::resized()
{
    const auto scaled = [this] (int design) { return (int) (layoutScale * (float) design); };

    faderA.setBounds (scaled (709), scaled (366), scaled (360), 700);
    faderB.setBounds (scaled (1820), scaled (366), scaled (360), 700);
    faderC.setBounds (scaled (2932), scaled (366), scaled (360), 700);
    channelAButton.setBounds (281, 274, 175, 154);
    channelBButton.setBounds (1115, 274, 175, 154);
    channelCButton.setBounds (1948, 274, 175, 154);
    inputTrim.setBounds (275, 23, 131, 55);
    outputTrim.setBounds (2594, 23, 131, 55);
    reverbAmountFader.setBounds (1135, 1058, 750, 150);
    reverbDriveFader.setBounds (1970, 1058, 750, 150);
    inputReadout.setBounds ((int) (275 + 1.3 * 131), 23, 150, 60);
    outputReadout.setBounds ((int) (2594 + 1.3 * 131), 23, 150, 60);
    levelMeter.setBounds (116, 25, 116, 53);
}
