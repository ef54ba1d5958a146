#include "EditorFixture.h"

namespace
{
Filmstrip::Placement placementOf (juce::Slider& slider)
{
    auto& strip = dynamic_cast<Filmstrip&> (slider.getLookAndFeel());
    return strip.placementFor (slider.getValue(), slider.getMinimum(), slider.getMaximum(), slider.getSliderStyle());
}

/** Records a parameter's value changes and gestures, in order. */
struct ParameterRecorder : public juce::AudioProcessorParameter::Listener
{
    explicit ParameterRecorder (juce::AudioProcessorParameter& p)
        : parameter (p)
    {
        parameter.addListener (this);
    }

    ~ParameterRecorder() override { parameter.removeListener (this); }

    void parameterValueChanged (int, float) override { events.add ("value"); }
    void parameterGestureChanged (int, bool starting) override { events.add (starting ? "begin" : "end"); }

    juce::AudioProcessorParameter& parameter;
    juce::StringArray events;
};
} // namespace

TEST_F (EditorFixture, FreshInstancePlacesEveryControlAtItsDefault)
{
    processor.guiState = 1;
    auto& e = openEditor();
    auto& s = *e.simpleBody;
    auto& a = *e.advancedBody;

    EXPECT_FLOAT_EQ (placementOf (s.faderA).y, 4.5f);
    EXPECT_FLOAT_EQ (placementOf (s.faderB).y, 450.0f);
    EXPECT_FLOAT_EQ (placementOf (s.faderC).y, 450.0f);
    EXPECT_TRUE (s.channelAButton.getToggleState());
    EXPECT_TRUE (s.channelBButton.getToggleState());
    EXPECT_FALSE (s.channelCButton.getToggleState());
    EXPECT_EQ (placementOf (s.reverbAmountFader).frame, 23);
    EXPECT_FLOAT_EQ (placementOf (s.reverbAmountFader).x, 103.5f);
    EXPECT_FLOAT_EQ (placementOf (s.reverbDriveFader).x, 211.5f);

    EXPECT_FLOAT_EQ (placementOf (a.decaySlider).x, 97.6f);
    EXPECT_EQ (placementOf (a.tankSelector).frame, 2); // drawn from the strip's top frame
    EXPECT_EQ (a.preDelayKnob.getValue(), 20.0);
    EXPECT_EQ (a.widthKnob.getValue(), 100.0);
    EXPECT_FLOAT_EQ (placementOf (a.toneFader).x, 225.0f);
    EXPECT_FLOAT_EQ (placementOf (a.mixFader).x, 445.5f);
}

TEST_F (EditorFixture, BodyControlsSitWhereThePanelShowsThem)
{
    auto& e = openEditor();
    auto& s = *e.simpleBody;
    auto& a = *e.advancedBody;
    using R = juce::Rectangle<int>;
    const std::pair<juce::Component*, R> cases[] = {
        { &s.faderA, R (531, 274, 270, 700) },
        { &s.faderB, R (1365, 274, 270, 700) },
        { &s.faderC, R (2199, 274, 270, 700) },
        { &s.channelAButton, R (281, 274, 175, 154) },
        { &s.channelBButton, R (1115, 274, 175, 154) },
        { &s.channelCButton, R (1948, 274, 175, 154) },
        { &s.inputTrim, R (275, 23, 131, 55) },
        { &s.outputTrim, R (2594, 23, 131, 55) },
        { &s.reverbAmountFader, R (1135, 1058, 750, 150) },
        { &s.reverbDriveFader, R (1970, 1058, 750, 150) },
        { &s.inputReadout, R (445, 23, 150, 60) },
        { &s.outputReadout, R (2764, 23, 150, 60) },
        { &s.levelMeter, R (116, 25, 116, 53) },
        { &a.decaySlider, R (795, 418, 300, 94) },
        { &a.tankSelector, R (937, 195, 290, 204) },
        { &a.toneFader, R (1276, 259, 750, 165) },
        { &a.mixFader, R (2000, 259, 750, 165) },
        { &a.preDelayKnob, R (351, 187, 110, 100) },
        { &a.widthKnob, R (351, 379, 110, 100) },
        { &a.preDelayReadout, R (467, 169, 150, 60) },
    };

    for (const auto& [component, expected] : cases)
        EXPECT_EQ (component->getBounds(), expected) << component->getTitle();

    // The meter is the topmost child.
    EXPECT_EQ (s.getChildren().getLast(), &s.levelMeter);
}

TEST (ReadoutText, TrimWheelsRoundHalvesToEvenAndShowInfinityAtTheBottom)
{
    const std::pair<double, const char*> cases[] = { { -70.0, "-inf dB" }, { -69.5, "-inf dB" }, { -69.0, "-inf dB" },
                                                     { -68.6, "-69dB" },   { -12.0, "-12dB" },   { 0.5, "0dB" },
                                                     { 1.5, "2dB" },       { 2.5, "2dB" },       { -0.5, "0dB" },
                                                     { 10.0, "10dB" } };

    for (const auto& [value, text] : cases)
        EXPECT_EQ (PluginBodySimple::trimReadoutText (value), text) << value;

    EXPECT_EQ (PluginBodyAdvanced::preDelayReadoutText (20.0), "20ms");
    EXPECT_EQ (PluginBodyAdvanced::preDelayReadoutText (0.0), "0ms");
}

TEST_F (EditorFixture, TrimReadoutShowsOnlyWhileDragging)
{
    auto& s = *openEditor().simpleBody;

    // Host automation moves the wheel but shows nothing.
    setPlain (ParameterIds::in, -12.0f);
    pumpMessages();
    EXPECT_FALSE (s.inputReadout.isVisible());

    dragBy (s.inputTrim, { 60.0f, 30.0f }, { 0.0f, -40.0f }, false);
    EXPECT_TRUE (s.inputReadout.isVisible());
    EXPECT_EQ (s.inputReadout.getText(), PluginBodySimple::trimReadoutText (s.inputTrim.getValue()));
    EXPECT_GT (s.inputTrim.getValue(), -12.0);
    EXPECT_EQ (s.inputTrim.getMouseCursor(), juce::MouseCursor::NoCursor);

    s.inputTrim.mouseUp (mouseAt (s.inputTrim, { 60.0f, -10.0f }, { 60.0f, 30.0f }, {}));
    EXPECT_FALSE (s.inputReadout.isVisible());
    EXPECT_TRUE (s.inputReadout.getText().isEmpty());

    setPlain (ParameterIds::in, -20.0f);
    pumpMessages();
    EXPECT_FALSE (s.inputReadout.isVisible());
}

TEST_F (EditorFixture, DragsCoverTheRangeInBodyUnitsWhateverTheWindowSize)
{
    auto& e = openEditor();
    resizeOn (ampleDisplay, 2000);
    auto& s = *e.simpleBody;

    // 625 units upwards take channel B from 0 % to 100 %; half of it to 50 %.
    dragBy (s.faderB, { 135.0f, 600.0f }, { 0.0f, -312.5f });
    EXPECT_NEAR (plain (ParameterIds::channelBGain), 50.0f, 0.5f);
    dragBy (s.faderB, { 135.0f, 600.0f }, { 0.0f, -312.5f });
    EXPECT_FLOAT_EQ (plain (ParameterIds::channelBGain), 100.0f);

    // The tank lever covers 1..3 in 125 units and snaps to whole steps.
    auto& a = *e.advancedBody;
    setPlain (ParameterIds::tank, 1.0f);
    pumpMessages();
    dragBy (a.tankSelector, { 100.0f, 150.0f }, { 0.0f, -70.0f });
    EXPECT_FLOAT_EQ (plain (ParameterIds::tank), 2.0f);
    EXPECT_EQ (placementOf (a.tankSelector).frame, 1);
}

TEST_F (EditorFixture, ShiftClickLightsAChannelAlone)
{
    auto& s = *openEditor().simpleBody;
    const auto lamps = [this]
    {
        return juce::String (plain (ParameterIds::channelA)) + juce::String (plain (ParameterIds::channelB))
               + juce::String (plain (ParameterIds::channelC));
    };
    const auto click = [] (juce::Button& button, bool shift)
    {
        juce::ModifierKeys::currentModifiers = shift ? juce::ModifierKeys::shiftModifier : juce::ModifierKeys();
        button.triggerClick();
        pumpMessages();
        juce::ModifierKeys::currentModifiers = {};
        pumpMessages();
    };

    ASSERT_EQ (lamps(), "110");
    click (s.channelCButton, false);
    EXPECT_EQ (lamps(), "111");
    click (s.channelCButton, false);
    EXPECT_EQ (lamps(), "110");

    click (s.channelCButton, true);
    EXPECT_EQ (lamps(), "001");

    // Shift on a lit lamp only turns it off.
    click (s.channelBButton, false);
    click (s.channelBButton, true);
    EXPECT_EQ (lamps(), "001");
}

TEST_F (EditorFixture, DecaySliderSendsOneChangeAfterRelease)
{
    auto& a = *openEditor().advancedBody;
    ParameterRecorder recorder (*processor.parameters.getParameter (ParameterIds::decay));

    // 300 units cover -10..10: 105 units move -2 to +5.
    dragBy (a.decaySlider, { 100.0f, 40.0f }, { 105.0f, 0.0f });
    EXPECT_FLOAT_EQ (plain (ParameterIds::decay), -2.0f);
    EXPECT_FLOAT_EQ (placementOf (a.decaySlider).x, 183.0f); // the cap follows the mouse meanwhile
    pumpMessages();
    EXPECT_FLOAT_EQ (plain (ParameterIds::decay), 5.0f);
    EXPECT_EQ (recorder.events.joinIntoString (","), "begin,end,value");

    // Back and forth to the same place: no change at all.
    recorder.events.clear();
    a.decaySlider.mouseDown (mouseAt (a.decaySlider, { 100.0f, 40.0f }, { 100.0f, 40.0f }));
    a.decaySlider.mouseDrag (mouseAt (a.decaySlider, { 160.0f, 40.0f }, { 100.0f, 40.0f }));
    a.decaySlider.mouseDrag (mouseAt (a.decaySlider, { 100.0f, 40.0f }, { 100.0f, 40.0f }));
    a.decaySlider.mouseUp (mouseAt (a.decaySlider, { 100.0f, 40.0f }, { 100.0f, 40.0f }, {}));
    pumpMessages();
    EXPECT_FLOAT_EQ (plain (ParameterIds::decay), 5.0f);
    EXPECT_FALSE (recorder.events.contains ("value"));
}

TEST_F (EditorFixture, PreDelayReadoutFollowsTheKnob)
{
    auto& a = *openEditor().advancedBody;
    // 450 units cover 0..200 ms: 2.25 units a millisecond.
    dragBy (a.preDelayKnob, { 50.0f, 50.0f }, { 0.0f, -2.5f }, false);
    EXPECT_TRUE (a.preDelayReadout.isVisible());
    EXPECT_EQ (a.preDelayReadout.getText(), "21ms");
    a.preDelayKnob.mouseUp (mouseAt (a.preDelayKnob, { 50.0f, 47.5f }, { 50.0f, 50.0f }, {}));
    EXPECT_FALSE (a.preDelayReadout.isVisible());
}

TEST_F (EditorFixture, StereoWidthKnobIsFree)
{
    auto& a = *openEditor().advancedBody;
    EXPECT_FLOAT_EQ (plain (ParameterIds::width), 100.0f);
    dragBy (a.widthKnob, { 50.0f, 50.0f }, { 0.0f, -45.0f });
    EXPECT_FLOAT_EQ (plain (ParameterIds::width), 120.0f);
    EXPECT_EQ (a.widthKnob.getValue(), 120.0);
}

TEST_F (EditorFixture, MonoWidthKnobRestsAtZero)
{
    auto layout = processor.getBusesLayout();
    layout.inputBuses.getReference (0) = juce::AudioChannelSet::mono();
    layout.outputBuses.getReference (0) = juce::AudioChannelSet::mono();
    ASSERT_TRUE (processor.setBusesLayout (layout));
    ASSERT_EQ (processor.getTotalNumOutputChannels(), 1);

    ParameterRecorder recorder (*processor.parameters.getParameter (ParameterIds::width));
    auto& a = *openEditor().advancedBody;
    EXPECT_FLOAT_EQ (plain (ParameterIds::width), 0.0f);
    EXPECT_EQ (recorder.events.joinIntoString (","), "begin,value,end");
    EXPECT_EQ (a.widthKnob.getValue(), 0.0);

    dragBy (a.widthKnob, { 50.0f, 50.0f }, { 0.0f, -45.0f });
    EXPECT_EQ (a.widthKnob.getValue(), 0.0);
    EXPECT_FLOAT_EQ (plain (ParameterIds::width), 20.0f);
}

TEST_F (EditorFixture, ControlsAnnounceTheirParameter)
{
    auto& e = openEditor();
    auto& fader = e.simpleBody->faderA;
    // A screen reader reads the title and the slider's value text.
    EXPECT_EQ (fader.getTitle(), "Channel A Gain");
    EXPECT_EQ (fader.getTextFromValue (fader.getValue()),
               processor.parameters.getParameter (ParameterIds::channelAGain)->getCurrentValueAsText());
    EXPECT_EQ (e.simpleBody->channelCButton.getTitle(), "Channel C Toggle");
    EXPECT_EQ (e.footer->oversamplingBox.getTitle(), "Oversampling");
}
