#include "plugin/ProcessorFixture.h"
#include "plugin/StateChunk.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

namespace
{
class StateTest : public ::testing::Test, public ProcessorFixture
{
protected:
    juce::MemoryBlock saveState()
    {
        juce::MemoryBlock block;
        processor.getStateInformation (block);
        return block;
    }

    /** A chunk in the framework's layout around arbitrary XML text. */
    static juce::MemoryBlock chunkFor (const juce::String& xml)
    {
        juce::MemoryOutputStream out;
        out.write ("VC2!", 4);
        out.writeInt ((int) xml.getNumBytesAsUTF8());
        out << xml;
        out.writeByte (0);
        return out.getMemoryBlock();
    }

    std::vector<float> allValues()
    {
        std::vector<float> values;

        for (auto* p : processor.getParameters())
            values.push_back (plain (static_cast<juce::RangedAudioParameter*> (p)->getParameterID().toRawUTF8()));

        return values;
    }

    void restore (const juce::MemoryBlock& block)
    {
        processor.setStateInformation (block.getData(), (int) block.getSize());
    }
};
} // namespace

TEST_F (StateTest, ChunkIsOneLineOfXmlBehindTheMagicAndLength)
{
    processor.guiState = 2;
    const auto block = saveState();
    const auto* bytes = static_cast<const char*> (block.getData());

    ASSERT_GT (block.getSize(), 9u);
    EXPECT_EQ (juce::String (bytes, 4), "VC2!");
    EXPECT_EQ ((juce::uint32) juce::ByteOrder::littleEndianInt (bytes + 4), block.getSize() - 9);
    EXPECT_EQ (bytes[block.getSize() - 1], 0);

    const juce::String xml (juce::CharPointer_UTF8 (bytes + 8), block.getSize() - 9);
    EXPECT_TRUE (xml.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?> <params "));
    EXPECT_FALSE (xml.containsAnyOf ("\r\n"));
    EXPECT_TRUE (xml.contains ("GUI_STATE=\"2\""));
    EXPECT_TRUE (xml.contains ("<PARAM id=\"TANK\" value=\"3.0\"/>"));

    // the live tree is not changed by saving
    EXPECT_FALSE (processor.parameters.state.hasProperty ("GUI_STATE"));
}

TEST_F (StateTest, RoundTripIntoAFreshInstanceReproducesEverything)
{
    juce::Random random (11);

    for (auto* p : processor.getParameters())
        p->setValueNotifyingHost (random.nextFloat());

    processor.guiState = 3;
    juce::ValueTree info ("previousPresetInfo");
    info.setProperty ("PRES_FILE_PATH", "/tmp/My Preset.preset", nullptr);
    info.setProperty ("PRES_CHANGED", true, nullptr);
    processor.parameters.state.appendChild (info, nullptr);

    const auto block = saveState();
    const auto expected = allValues();

    VantorraCoilvoxAudioProcessor fresh;
    fresh.setStateInformation (block.getData(), (int) block.getSize());

    for (int i = 0; i < 29; ++i)
    {
        const auto id = static_cast<juce::RangedAudioParameter*> (fresh.getParameters()[i])->getParameterID();
        EXPECT_FLOAT_EQ (fresh.parameters.getRawParameterValue (id)->load(), expected[(size_t) i]) << id;
    }

    EXPECT_EQ (fresh.guiState, 3);
    EXPECT_EQ (fresh.presetFilePath, "/tmp/My Preset.preset");
    EXPECT_TRUE (fresh.presetChanged);

    juce::MemoryBlock again;
    fresh.getStateInformation (again);
    EXPECT_EQ (again, block);
}

TEST_F (StateTest, RestoredValuesReachTheEngine)
{
    prepare (48000.0, 128);
    setPlain ("DECAY", 10.0f);
    const auto block = saveState();

    VantorraCoilvoxAudioProcessor fresh;
    fresh.setStateInformation (block.getData(), (int) block.getSize());
    EXPECT_DOUBLE_EQ (fresh.getEngine().getNormalisedDecay(), 1.0);
    fresh.parameters.getParameter ("DECAY")->setValueNotifyingHost (0.0f);
    EXPECT_DOUBLE_EQ (fresh.getEngine().getNormalisedDecay(), 0.0);
}

TEST_F (StateTest, RootNameIsComparedWithoutLetterCase)
{
    restore (chunkFor ("<PARAMS GUI_STATE=\"1\"><PARAM id=\"WIDTH\" value=\"150\"/></PARAMS>"));
    EXPECT_EQ (plain ("WIDTH"), 150.0f);
    EXPECT_EQ (processor.guiState, 1);

    // and the tree keeps its own type for the next save
    EXPECT_EQ (processor.parameters.state.getType().toString(), "params");

    restore (chunkFor ("<other><PARAM id=\"WIDTH\" value=\"10\"/></other>"));
    EXPECT_EQ (plain ("WIDTH"), 150.0f);
}

TEST_F (StateTest, MissingPartsKeepWhatWasThere)
{
    setPlain ("TANK", 1.0f);
    processor.guiState = 2;
    processor.presetFilePath = "/presets/Keep.preset";
    processor.presetChanged = true;

    restore (chunkFor ("<params><PARAM id=\"MIX\" value=\"40\"/><PARAM id=\"NOT_OURS\" value=\"1\"/></params>"));

    EXPECT_EQ (plain ("MIX"), 40.0f);
    EXPECT_EQ (plain ("TANK"), 1.0f);
    EXPECT_EQ (processor.guiState, 2);
    EXPECT_EQ (processor.presetFilePath, "/presets/Keep.preset");
    EXPECT_TRUE (processor.presetChanged);
}

TEST_F (StateTest, AValueThatIsNotANumberKeepsTheParameterAndTheAudioFinite)
{
    setPlain ("WIDTH", 33.0f);
    setPlain ("TANK", 2.0f);
    setPlain ("IN", -6.0f);
    prepare (48000.0, 256);

    restore (chunkFor ("<params><PARAM id=\"WIDTH\" value=\"nan\"/><PARAM id=\"TANK\" value=\"NaN\"/>"
                       "<PARAM id=\"IN\" value=\"-nan\"/><PARAM id=\"MIX\" value=\"40\"/></params>"));

    EXPECT_EQ (plain ("WIDTH"), 33.0f);
    EXPECT_EQ (plain ("TANK"), 2.0f);
    EXPECT_EQ (plain ("IN"), -6.0f);
    EXPECT_EQ (plain ("MIX"), 40.0f);

    juce::AudioBuffer<float> buffer (2, 4096);
    testsupport::fillNoise (buffer, 0.5f, 4);
    processInBlocks (buffer, 256);
    EXPECT_TRUE (testsupport::allFinite (buffer));
}

TEST_F (StateTest, AnAttributeGivenTwiceKeepsItsFirstValueOnEveryRestore)
{
    // found by the state fuzz target: the second value came back on the next restore
    restore (chunkFor ("<params><PARAM id=\"OSMenu\" value=\"1\"value=\"4\"/><PARAM id=\"WIDTH\" Value=\"7\" "
                       "value=\"120\"/></params>"));
    EXPECT_EQ (plain ("OSMenu"), 1.0f);
    EXPECT_EQ (plain ("WIDTH"), 120.0f);

    for (int i = 0; i < 2; ++i)
    {
        restore (saveState());
        EXPECT_EQ (plain ("OSMenu"), 1.0f);
        EXPECT_EQ (plain ("WIDTH"), 120.0f);
    }
}

TEST_F (StateTest, BrokenChunksChangeNoParameter)
{
    setPlain ("WIDTH", 33.0f);
    const auto before = allValues();
    const auto good = chunkFor ("<params><PARAM id=\"WIDTH\" value=\"150\"/></params>");

    auto wrongMagic = good;
    static_cast<char*> (wrongMagic.getData())[0] = 'X';
    auto zeroLength = good;
    std::memset (static_cast<char*> (zeroLength.getData()) + 4, 0, 4);
    auto truncatedXml = good;
    truncatedXml.setSize (30);

    const juce::MemoryBlock cases[] = {
        juce::MemoryBlock(),
        juce::MemoryBlock ("VC2!\x05\0\0\0", 8),
        wrongMagic,
        zeroLength,
        truncatedXml,
        chunkFor ("<params><PARAM id=\"WIDTH\" value="),
        chunkFor ("not xml at all"),
    };

    for (const auto& block : cases)
    {
        restore (block);
        EXPECT_EQ (allValues(), before);
    }

    processor.setStateInformation (nullptr, 0);
    EXPECT_EQ (allValues(), before);
}

TEST_F (StateTest, AStoredLengthBeyondTheDataIsCutToTheData)
{
    auto block = chunkFor ("<params><PARAM id=\"WIDTH\" value=\"120\"/></params>");
    const juce::uint32 huge = 1u << 30;
    std::memcpy (static_cast<char*> (block.getData()) + 4, &huge, 4);

    restore (block);
    EXPECT_EQ (plain ("WIDTH"), 120.0f);
}

TEST_F (StateTest, DeepOrDeclaredDocumentsAreRefusedBeforeTheReaderRecursesIntoThem)
{
    setPlain ("WIDTH", 33.0f);
    const auto before = allValues();
    const juce::String param ("<PARAM id=\"WIDTH\" value=\"150\"/>");

    const juce::String cases[] = {
        // the reader would call itself once per level: far more levels than a host's stack holds
        juce::String::repeatedString ("<params>", 300000) + param,
        "<params>" + juce::String::repeatedString ("<a>", StateChunk::maximumDepth) + "</params>",
        "<!DOCTYPE params [<!ENTITY p \"<params>\">]><params>" + param + "</params>",
        "<params>" + param + "<?pi?></params>",
        "<params>" + param,
    };

    for (const auto& xml : cases)
    {
        restore (chunkFor (xml));
        EXPECT_EQ (allValues(), before) << xml.substring (0, 80);
    }

    // Malformed UTF-8 (a lead byte without its continuation): the framework's reader stepped past the
    // end of the text on it (found by the preset fuzz target).
    const char text[] = "<params><PARAM id=\"WIDTH\" value=\"150\"/></params>\xe1";
    juce::MemoryOutputStream malformed;
    malformed.write ("VC2!", 4);
    malformed.writeInt ((int) sizeof (text) - 1);
    malformed.write (text, sizeof (text) - 1);
    restore (malformed.getMemoryBlock());
    EXPECT_EQ (allValues(), before);
}

TEST_F (StateTest, HeaderCommentsAndQuotedMarkupAroundTheParametersStillRead)
{
    restore (chunkFor ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- saved --><params a='x</params>'>"
                       "<!-- <params> --><PARAM id=\"WIDTH\" value=\"150\"></PARAM></params>"));
    EXPECT_EQ (plain ("WIDTH"), 150.0f);

    EXPECT_EQ (StateChunk::elementDepth ("<a><b/><c><d></d></c></a>"), 3);
    EXPECT_EQ (StateChunk::elementDepth ("<a><![CDATA[</a><b>]]></a>"), 1);
    EXPECT_EQ (StateChunk::elementDepth ("<a x=\"<b>\"><b>"), -1);
    EXPECT_EQ (StateChunk::elementDepth ("< a></a>"), -1);
}
