#include "presets/PresetManagerFixture.h"

#include "plugin/ParameterIds.h"
#include "presets/PresetSource.h"

namespace
{
/** The readable preset sources: from the environment under ctest, else found above the executable. */
juce::File presetSourceFolder()
{
    if (const auto root = juce::SystemStats::getEnvironmentVariable ("COILVOX_SOURCE_DIR", {}); root.isNotEmpty())
        return juce::File (root).getChildFile ("presets");

    for (auto folder = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory();
         folder != folder.getParentDirectory();
         folder = folder.getParentDirectory())
        if (folder.getChildFile ("presets/Factory").isDirectory() && folder.getChildFile ("Source").isDirectory())
            return folder.getChildFile ("presets");

    return {};
}
} // namespace

TEST_F (PresetManagerFixture, EveryFactoryPresetLoadsAndRoundTrips)
{
    const auto sources = presetSourceFolder();
    ASSERT_TRUE (sources.isDirectory());

    const std::pair<const char*, int> folders[] = { { "Factory", 16 }, { "Talents", 6 } };
    VantorraCoilvoxAudioProcessor generator;

    for (const auto& [folderName, minimumCount] : folders)
    {
        const auto files = sources.getChildFile (folderName).findChildFiles (juce::File::findFiles, false, "*.json");
        EXPECT_GE (files.size(), minimumCount) << folderName;

        for (const auto& source : files)
        {
            SCOPED_TRACE (source.getFileName().toStdString());
            juce::String name;
            juce::MemoryBlock chunk;
            ASSERT_TRUE (PresetSource::render (source, generator, name, chunk).wasOk());

            const auto file = presets (juce::String (folderName) + "/" + name + ".preset");
            ASSERT_TRUE (file.getParentDirectory().createDirectory());
            ASSERT_TRUE (file.replaceWithData (chunk.getData(), chunk.getSize()));

            // Load into a processor that starts somewhere else, with the amplifier section unlocked.
            setPlain (ParameterIds::decay, 9.0f);
            setPlain (ParameterIds::width, 7.0f);
            auto& bar = createManager();
            bar.hiddenSectionUnlocked = true;
            bar.loadPreset (file);
            EXPECT_TRUE (shownMessages.empty());
            EXPECT_EQ (bar.getLabelText(), name);
            EXPECT_TRUE (bar.readOnlyPreset);

            juce::String ignoredName;
            juce::NamedValueSet values;
            ASSERT_TRUE (PresetSource::parse (source.loadFileAsString(), processor, ignoredName, values).wasOk());

            for (auto* p : processor.getParameters())
            {
                auto* parameter = static_cast<juce::RangedAudioParameter*> (p);
                const auto id = parameter->getParameterID();
                const auto expected = values.contains (id)
                                          ? parameter->convertFrom0to1 (parameter->convertTo0to1 ((float) values[id]))
                                          : parameter->convertFrom0to1 (parameter->getDefaultValue());
                EXPECT_NEAR (plain (id.toRawUTF8()), expected, 1.0e-4f) << id;
            }

            juce::MemoryBlock saved;
            processor.getStateInformation (saved);
            EXPECT_EQ (saved, chunk);
        }
    }
}

TEST (PresetSource, RejectsUnknownIdsValuesOutOfRangeAndMissingNames)
{
    VantorraCoilvoxAudioProcessor processor;
    juce::String name;
    juce::NamedValueSet values;

    const std::pair<const char*, bool> cases[] = {
        { R"({"name": "Fine", "parameters": {"DECAY": -3, "TANK": 2, "AMP": true}})", true },
        { R"({"name": "Fine", "parameters": {"DECAYS": 1}})", false },
        { R"({"name": "Fine", "parameters": {"DECAY": 11}})", false },
        { R"({"name": "Fine", "parameters": {"DECAY": "loud"}})", false },
        { R"({"name": "Fine"})", false },
        { R"({"name": "", "parameters": {}})", false },
        { R"({"name": "a/b", "parameters": {}})", false },
        { "not json", false },
    };

    for (const auto& [text, ok] : cases)
        EXPECT_EQ (PresetSource::parse (text, processor, name, values).wasOk(), ok) << text;
}
