#include "plugin/ParameterInfo.h"
#include "plugin/VantorraCoilvoxAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
struct ExpectedParameter
{
    const char* id;
    const char* name;
    float minimum, maximum, step, skew, defaultValue;
    const char* label;
};

// The host contract, written out independently of the table it checks.
const ExpectedParameter expectedParameters[] = {
    { "IN", "Input Level", -70, 10, 0.1f, 5.2f, 0, "dB" },
    { "OUT", "Output Level", -70, 6, 0.1f, 8.2f, 0, "dB" },
    { "CH_A_GAIN", "Channel A Gain", 0, 100, 0.5f, 1, 100, "%" },
    { "CH_B_GAIN", "Channel B Gain", 0, 100, 0.5f, 1, 0, "%" },
    { "CH_C_GAIN", "Channel C Gain", 0, 100, 0.5f, 1, 0, "%" },
    { "DRY_REV_SEND", "Reverb Amount", 0, 100, 0.5f, 1, 23, "%" },
    { "REV_CHARACTER", "Reverb Drive", 0, 100, 0.5f, 1, 47, "%" },
    { "DECAY", "Reverb Decay", -10, 10, 1, 1, -2, "" },
    { "WIDTH", "Reverb Width", 0, 200, 1, 1, 100, "%" },
    { "TONE", "Tone", -100, 100, 0.5f, 1, 0, "%" },
    { "MIX", "Global Mix", 0, 100, 0.5f, 1, 100, "%" },
    { "AMP_MASTER", "Amp Master", -70, 6, 0.1f, 4, -6.5f, "dB" },
    { "AMP_DRIVE", "Amp Gain", 0, 10, 0.1f, 1, 0, "" },
    { "RATE", "Tremolo Speed", 1, 10, 0.1f, 1.5f, 1, "Hz" },
    { "DEPTH", "Tremolo Depth", 0, 100, 1, 1, 100, "%" },
    { "BASS", "Low", -12, 12, 0.1f, 1, 0, "dB" },
    { "MID", "Mid", -12, 12, 0.1f, 1, 0, "dB" },
    { "TREBLE", "High", -12, 12, 0.1f, 1, 0, "dB" },
    { "TANK", "Spring Tank", 1, 3, 1, 1, 3, "" },
    { "SYNC_RATE", "Sync Speed", 0, 5, 1, 1, 1, "" },
    { "PREDEL", "Pre-Delay", 0, 200, 1, 1, 20, "ms" },
    { "OSMenu", "Oversampling", 1, 4, 1, 1, 3, "" },
    { "CHANNEL_A", "Channel A Toggle", 0, 1, 1, 1, 1, "" },
    { "CHANNEL_B", "Channel B Toggle", 0, 1, 1, 1, 1, "" },
    { "CHANNEL_C", "Channel C Toggle", 0, 1, 1, 1, 0, "" },
    { "AMP", "Amp Toggle", 0, 1, 1, 1, 0, "" },
    { "CAB", "Cabinet Toggle", 0, 1, 1, 1, 1, "" },
    { "SYNC", "Tremolo Sync", 0, 1, 1, 1, 1, "" },
    { "CHORUS", "Tremolo Toggle", 0, 1, 1, 1, 0, "" },
};

class ParameterTest : public ::testing::Test
{
protected:
    juce::RangedAudioParameter& parameter (const char* id) { return *processor.parameters.getParameter (id); }

    /** Sets a plain value the way a host or the editor does. */
    void setPlain (const char* id, float value)
    {
        auto& p = parameter (id);
        p.setValueNotifyingHost (p.convertTo0to1 (value));
    }

    juce::String textOf (const char* id) { return parameter (id).getCurrentValueAsText(); }

    VantorraCoilvoxAudioProcessor processor;
};
} // namespace

TEST_F (ParameterTest, HostSeesTheTwentyNineParametersInTableOrderWithTheirRangesAndDefaults)
{
    const auto& hostParameters = processor.getParameters();
    ASSERT_EQ (hostParameters.size(), 29);

    for (int i = 0; i < 29; ++i)
    {
        const auto& expected = expectedParameters[i];
        SCOPED_TRACE (expected.id);

        auto* p = dynamic_cast<juce::RangedAudioParameter*> (hostParameters[i]);
        ASSERT_NE (p, nullptr);
        EXPECT_EQ (p->getParameterID(), expected.id);
        EXPECT_EQ (p->getVersionHint(), 1);
        EXPECT_EQ (p->getName (100), expected.name);
        EXPECT_EQ (p->getLabel(), expected.label);

        const auto& range = p->getNormalisableRange();
        EXPECT_FLOAT_EQ (range.start, expected.minimum);
        EXPECT_FLOAT_EQ (range.end, expected.maximum);
        EXPECT_FLOAT_EQ (range.interval, expected.step);
        EXPECT_EQ (range.skew, expected.skew);
        EXPECT_FALSE (range.symmetricSkew);
        EXPECT_NEAR (range.convertFrom0to1 (p->getDefaultValue()), expected.defaultValue, 1.0e-4f);
        EXPECT_NEAR (processor.parameters.getRawParameterValue (expected.id)->load(), expected.defaultValue, 1.0e-4f);
    }

    EXPECT_NE (dynamic_cast<juce::AudioParameterInt*> (hostParameters[18]), nullptr);
    EXPECT_NE (dynamic_cast<juce::AudioParameterBool*> (hostParameters[22]), nullptr);
    EXPECT_EQ (hostParameters[18]->getCurrentValueAsText(), "Coilvox");
}

TEST_F (ParameterTest, SkewsAreTheSinglePrecisionConstantsAndCentreWhereTheKnobsExpectThem)
{
    EXPECT_EQ ((double) parameter ("IN").getNormalisableRange().skew, 5.19999980926513671875);
    EXPECT_EQ ((double) parameter ("OUT").getNormalisableRange().skew, 8.19999980926513671875);

    const auto centreOf = [this] (const char* id)
    {
        auto range = parameter (id).getNormalisableRange();
        range.interval = 0.0f;
        return range.convertFrom0to1 (0.5f);
    };

    EXPECT_NEAR (centreOf ("IN"), 0.02f, 0.01f);
    EXPECT_NEAR (centreOf ("OUT"), -0.16f, 0.01f);
    EXPECT_NEAR (centreOf ("AMP_MASTER"), -6.1f, 0.05f);
    EXPECT_NEAR (centreOf ("RATE"), 6.67f, 0.01f);
}

TEST_F (ParameterTest, ValuesReadAsTheUnitShowsThem)
{
    struct Case
    {
        const char* id;
        float value;
        const char* text;
    };

    const Case cases[] = {
        { "IN", -70.0f, "-inf" },        { "IN", -69.9f, "-69.9" },       { "IN", 0.0f, "0.0" },
        { "IN", 10.0f, "10.0" },         { "AMP_MASTER", -6.5f, "-6.5" }, { "OUT", -70.0f, "-inf" },
        { "CH_A_GAIN", 37.25f, "37.5" }, { "DECAY", -2.0f, "-2" },        { "WIDTH", 150.0f, "150" },
        { "RATE", 2.5f, "2.5" },         { "TANK", 1.0f, "Accutronics" }, { "TANK", 2.0f, "Belton" },
        { "TANK", 3.0f, "Coilvox" },     { "SYNC_RATE", 3.0f, "1/12" },   { "SYNC_RATE", 5.0f, "1/24" },
        { "OSMenu", 1.0f, "16X" },       { "OSMenu", 3.0f, "4X" },        { "OSMenu", 4.0f, "OFF" },
        { "PREDEL", 120.0f, "120" },     { "AMP", 1.0f, "On" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.id) + " " + juce::String (c.value));
        setPlain (c.id, c.value);
        EXPECT_EQ (textOf (c.id), c.text);
    }
}

TEST_F (ParameterTest, TextTablesFallToTheirCatchAllEntryOutsideTheRange)
{
    const auto text = [] (const char* id, int value)
    {
        const auto& info = parameterInfos()[(size_t) parameterIndexOf (id)];
        return std::get<IntParameterInfo> (info).toText (value, 0);
    };

    EXPECT_EQ (text ("TANK", 0), juce::String ("Accutronics"));
    EXPECT_EQ (text ("TANK", 7), juce::String ("Accutronics"));
    EXPECT_EQ (text ("SYNC_RATE", 9), juce::String ("1/24"));
    EXPECT_EQ (text ("OSMenu", 0), juce::String ("OFF"));
}

TEST_F (ParameterTest, TypedTextParsesWithTheFrameworkRules)
{
    const auto typeInto = [this] (const char* id, const char* text)
    {
        auto& p = parameter (id);
        p.setValueNotifyingHost (p.getValueForText (text));
        return processor.parameters.getRawParameterValue (id)->load();
    };

    EXPECT_EQ (typeInto ("OSMenu", "8X"), 4.0f); // names are not parsed back: 8 is clamped to 4
    EXPECT_EQ (textOf ("OSMenu"), "OFF");
    EXPECT_EQ (typeInto ("DECAY", "3.4"), 3.0f);
    EXPECT_EQ (typeInto ("CH_A_GAIN", "37.25"), 37.5f);
    EXPECT_EQ (typeInto ("PREDEL", "999"), 200.0f);
    EXPECT_EQ (typeInto ("AMP", "On"), 1.0f);
    EXPECT_EQ (typeInto ("AMP", "Off"), 0.0f);
}

TEST (ParameterTable, SettersAndIndicesAreDerivedFromTheTable)
{
    EXPECT_EQ (parameterSetters().size(), 29u);
    EXPECT_EQ (parameterIndexOf ("DECAY"), 7);
    EXPECT_EQ (parameterIndexOf ("CHORUS"), 28);
    EXPECT_EQ (parameterIndexOf ("NOPE"), -1);
    EXPECT_EQ (decibelText (-70.0f, 2), "-inf");
    EXPECT_EQ (decibelText (-6.54f, 2), "-6.5");
}
