#include "update/TemporaryFolder.h"

#include "update/BoundedJson.h"
#include "update/SafeFileWriter.h"
#include "update/StateFiles.h"

#include <gtest/gtest.h>

using OV::StateFiles;

TEST (StateFiles, FirstWriteCreatesTheFolderChainAndReadsBack)
{
    TemporaryFolder temp;
    const auto settings = temp / "Application Support/Orvalen/VantorraCoilvox";

    EXPECT_TRUE (StateFiles::readStateFlag (StateFiles::sectionFile, StateFiles::sectionKey, settings).isVoid());
    EXPECT_TRUE (StateFiles::writeStateFile (StateFiles::sectionFile, StateFiles::sectionKey, "quintaloop", settings));

    EXPECT_EQ (StateFiles::readStateFlag (StateFiles::sectionFile, StateFiles::sectionKey, settings).toString(),
               "quintaloop");
    // One key only, in the framework's multi-line layout.
    EXPECT_EQ (settings.getChildFile ("Section.ov").loadFileAsString(), "{\r\n  \"password\": \"quintaloop\"\r\n}");
}

TEST (StateFiles, AnythingButAnObjectWithTheKeyReadsAsNothing)
{
    TemporaryFolder temp;
    const auto file = temp / StateFiles::notificationFile;

    const std::pair<const char*, bool> cases[] = {
        { "[true]", false },
        { "true", false },
        { "not json at all", false },
        { "", false },
        { "{\"other\": true}", false },
        { "{\"notification_menu_show\": true", false },
        { "{\"notification_menu_show\": true}", true },
    };

    for (const auto& [content, expected] : cases)
    {
        file.replaceWithText (content);
        const auto value =
            StateFiles::readStateFlag (StateFiles::notificationFile, StateFiles::notificationKey, temp.folder);
        EXPECT_EQ ((bool) value, expected) << content;
        EXPECT_EQ (value.isVoid(), !expected) << content;
    }

    // Nesting beyond what the parser may recurse into reads as nothing instead of exhausting the stack.
    file.replaceWithText ("{\"notification_menu_show\": " + juce::String::repeatedString ("[", 1000000));
    EXPECT_TRUE (
        StateFiles::readStateFlag (StateFiles::notificationFile, StateFiles::notificationKey, temp.folder).isVoid());
}

TEST (BoundedJson, CountsNestingOutsideStringsAsTheParserReadsThem)
{
    const std::pair<const char*, int> cases[] = {
        { "[]", 1 },
        { R"({"a": [1, {"b": []}]})", 4 },
        { R"(["[[[", '{{{', "\"[["])", 1 },
        { "]]]][", 1 },
    };

    for (const auto& [text, depth] : cases)
        EXPECT_EQ (OV::BoundedJson::nestingDepth (text), depth) << text;

    // Digits beyond what the parser's integers hold overflowed them (found by the fuzz targets).
    EXPECT_EQ (OV::BoundedJson::longestDigitRun (R"([1234, "12345678901234567890", 5.25])"), 4);
    EXPECT_TRUE (OV::BoundedJson::parse ("[12345678901234567890]").isVoid());
    EXPECT_TRUE (OV::BoundedJson::parse ("[4246e888928889244]").isVoid());
    EXPECT_EQ ((int) OV::BoundedJson::parse ("[123456789, 1e9]")[0], 123456789);

    const auto deep = juce::String::repeatedString ("[", OV::BoundedJson::maximumDepth + 1)
                      + juce::String::repeatedString ("]", OV::BoundedJson::maximumDepth + 1);
    EXPECT_TRUE (OV::BoundedJson::parse (deep).isVoid());
    EXPECT_TRUE (OV::BoundedJson::parse (deep.substring (1, deep.length() - 1)).isArray());
}

TEST (StateFiles, FolderInPlaceOfTheFileReadsAsNothingAndIsNotReplaced)
{
    TemporaryFolder temp;
    const auto folder = temp / StateFiles::notificationFile;
    folder.createDirectory();

    EXPECT_TRUE (
        StateFiles::readStateFlag (StateFiles::notificationFile, StateFiles::notificationKey, temp.folder).isVoid());
    EXPECT_FALSE (
        StateFiles::writeStateFile (StateFiles::notificationFile, StateFiles::notificationKey, true, temp.folder));
    StateFiles::deleteStateFile (StateFiles::notificationFile, StateFiles::notificationKey, temp.folder);

    EXPECT_TRUE (folder.isDirectory());
    EXPECT_TRUE (TemporaryFolder::fileNamesIn (temp.folder).isEmpty());
}

TEST (StateFiles, RewriteReplacesTheWholeContent)
{
    TemporaryFolder temp;
    const auto file = temp / StateFiles::notificationFile;
    file.replaceWithText ("{\"notification_menu_show\": true, \"padding\": \"" + juce::String::repeatedString ("x", 500)
                          + "\"}");

    ASSERT_TRUE (
        StateFiles::writeStateFile (StateFiles::notificationFile, StateFiles::notificationKey, false, temp.folder));

    EXPECT_EQ (file.loadFileAsString(), "{\r\n  \"notification_menu_show\": false\r\n}");
    EXPECT_EQ (TemporaryFolder::fileNamesIn (temp.folder), juce::StringArray (StateFiles::notificationFile));
}

TEST (StateFiles, DeleteRemovesTheFile)
{
    TemporaryFolder temp;
    StateFiles::writeStateFile (StateFiles::notificationFile, StateFiles::notificationKey, true, temp.folder);

    StateFiles::deleteStateFile (StateFiles::notificationFile, StateFiles::notificationKey, temp.folder);
    EXPECT_FALSE ((temp / StateFiles::notificationFile).exists());

    StateFiles::deleteStateFile (StateFiles::notificationFile, StateFiles::notificationKey, temp.folder);
    EXPECT_FALSE ((temp / StateFiles::notificationFile).exists());
}

//==============================================================================
TEST (SafeFileWriter, AFailedWriteLeavesTheOldFileAndNoTemporaryFile)
{
    TemporaryFolder temp;
    const auto file = temp / "Section.ov";
    file.replaceWithText ("old content");
    const juce::String big = juce::String::repeatedString ("y", 64 * 1024);

    {
        // Both a write larger than the stream's buffer and one that fails only when the buffer is flushed.
        const ScopedFileSizeLimit diskFull (16);
        EXPECT_FALSE (OV::SafeFileWriter::replaceContent (file, big));
        EXPECT_FALSE (OV::SafeFileWriter::replaceContent (file, juce::String::repeatedString ("z", 100)));
        EXPECT_FALSE (StateFiles::writeStateFile ("Section.ov", "password", big, temp.folder));
    }

    EXPECT_EQ (file.loadFileAsString(), "old content");
    EXPECT_EQ (TemporaryFolder::fileNamesIn (temp.folder), juce::StringArray ("Section.ov"));

    EXPECT_TRUE (OV::SafeFileWriter::replaceContent (file, big));
    EXPECT_EQ (file.loadFileAsString(), big);
}

TEST (SafeFileWriter, ASymbolicLinkKeepsPointingAtTheRewrittenFile)
{
    TemporaryFolder temp;
    const auto real = temp / "real.ov";
    real.replaceWithText ("old");
    const auto link = temp / "link.ov";
    ASSERT_TRUE (real.createSymbolicLink (link, true));

    ASSERT_TRUE (OV::SafeFileWriter::replaceContent (link, juce::String ("new")));

    EXPECT_TRUE (link.isSymbolicLink());
    EXPECT_EQ (real.loadFileAsString(), "new");
}
