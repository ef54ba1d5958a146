#include "presets/PresetManagerFixture.h"

#include "plugin/ParameterIds.h"

namespace ids = ParameterIds;
using Manager = OV::PresetManager;

//==============================================================================
TEST_F (PresetManagerFixture, MenuListsTheTreeInCaseInsensitivePathOrderAndSkipsHiddenEntries)
{
    touch (presets ("Factory/beta.preset"));
    touch (presets ("Factory/alpha.preset"));
    touch (presets ("Factory/Alpha.preset"));
    touch (presets ("Loose.txt"));
    touch (presets ("User/.hidden.preset"));
    touch (presets ("User/desktop.ini"));
    touch (presets ("User/.git/config"));
    touch (presets ("User/notes.txt"));
    touch (presets ("User/Sub/deep.preset"));

    auto& bar = createManager();

    EXPECT_EQ (describeMenu (bar.getPresetsMenu()),
               juce::StringArray ({ "Factory/",
                                    "  Alpha #1",
                                    "  alpha #2",
                                    "  beta #3",
                                    "Loose #4",
                                    "Talents/",
                                    "User/",
                                    "  notes #5",
                                    "  Sub/",
                                    "    deep #6" }));
    ASSERT_EQ (bar.allPresetFiles.size(), 6);
    EXPECT_EQ (bar.allPresetFiles[3], presets ("Loose.txt"));
    EXPECT_EQ (bar.allPresetFiles[5], presets ("User/Sub/deep.preset"));
    EXPECT_EQ (bar.getLabelText(), "No Preset Loaded");
}

TEST_F (PresetManagerFixture, DropDownMenuRecreatesFoldersAndOffersFavouritesAndFileEntries)
{
    const auto factory = writePreset ("Factory/Warm.preset");
    auto& bar = createManager();
    presets ("User").deleteRecursively();

    EXPECT_EQ (describeMenu (bar.createDropDownMenu()),
               juce::StringArray ({ "Factory/",
                                    "  Warm #1",
                                    "Talents/",
                                    "User/",
                                    "---",
                                    "Load Preset From... #-1",
                                    "Save Preset #-2",
                                    "Save Preset As... #-3" }));
    EXPECT_TRUE (presets ("User").isDirectory());

    // A factory preset cannot be saved over; as a favourite it shows up in its own sub-menu.
    bar.handleMenuResult (1);
    bar.favouriteButton.button.setToggleState (true, juce::dontSendNotification);
    bar.favouriteButton.button.onClick();

    const auto lines = describeMenu (bar.createDropDownMenu());
    EXPECT_TRUE (lines.contains ("Save Preset #-2 (disabled)"));
    EXPECT_EQ (lines.indexOf ("Favourites/") + 1, lines.indexOf ("  Warm #" + juce::String (Manager::favouriteIdBase)));
    EXPECT_TRUE (bar.readOnlyPreset);
}

//==============================================================================
TEST_F (PresetManagerFixture, FavouritesAreOrderedNaturallyWhileTheMenuIsPlainText)
{
    writePreset ("User/Tone 2.preset");
    writePreset ("User/Tone 10.preset");
    auto& bar = createManager();
    EXPECT_EQ (describeMenu (bar.getPresetsMenu()).joinIntoString ("|"),
               "Factory/|Talents/|User/|  Tone 10 #1|  Tone 2 #2");

    const auto toggleFavourite = [&bar] (bool on)
    {
        bar.favouriteButton.button.setToggleState (on, juce::dontSendNotification);
        bar.favouriteButton.button.onClick();
    };

    // Without a current preset the star does nothing.
    EXPECT_FALSE (bar.favouriteButton.button.isToggleable());
    bar.favouriteButton.button.onClick();
    EXPECT_TRUE (bar.favourites.isEmpty());

    bar.handleMenuResult (1);
    EXPECT_TRUE (bar.favouriteButton.button.isToggleable());
    toggleFavourite (true);
    bar.handleMenuResult (2);
    EXPECT_FALSE (bar.favouriteButton.button.getToggleState());
    toggleFavourite (true);

    const juce::StringArray expected ({ "User/Tone 2.preset", "User/Tone 10.preset" });
    EXPECT_EQ (bar.favourites, expected);
    EXPECT_EQ (describeMenu (bar.getFavouritesMenu()).joinIntoString ("|"), "Tone 2 #1073741823|Tone 10 #1073741824");

    // The file keeps the same order and a new bar reads it back.
    const auto stored = juce::JSON::parse (settings.folder.getChildFile ("FavouritePresets.ov"));
    ASSERT_TRUE (stored.isArray());
    EXPECT_EQ (stored[0].toString(), expected[0]);
    EXPECT_EQ (stored[1].toString(), expected[1]);
    OV::PresetManager second (processor, settings.folder, nullptr);
    EXPECT_EQ (second.favourites, expected);

    toggleFavourite (false);
    EXPECT_EQ (bar.favourites, juce::StringArray ("User/Tone 10.preset"));
    EXPECT_EQ (juce::JSON::parse (settings.folder.getChildFile ("FavouritePresets.ov")).size(), 1);
}

TEST_F (PresetManagerFixture, FavouritesFileKeepsOnlyStringsNamingExistingFiles)
{
    touch (presets ("User/x.preset"));
    touch (settings / "outside.preset");
    const auto file = settings / "FavouritePresets.ov";

    const std::pair<const char*, juce::StringArray> cases[] = {
        { R"([42, {"a": 1}, null, "User/missing.preset", "User/x.preset", "Factory", "../outside.preset", "User/x.preset"])",
          juce::StringArray ({ "../outside.preset", "User/x.preset" }) },
        { R"({"User/x.preset": true})", {} },
        { R"("User/x.preset")", {} },
        { "not json", {} },
        { "[]", {} },
    };

    for (const auto& [content, expected] : cases)
    {
        file.replaceWithText (content);
        EXPECT_EQ (createManager().favourites, expected) << content;
    }

    // Brackets nested beyond what the parser may recurse into read as no favourites, not as a crash.
    file.replaceWithText ("[\"User/x.preset\", " + juce::String::repeatedString ("[", 1000000));
    EXPECT_TRUE (createManager().favourites.isEmpty());

    file.deleteFile();
    EXPECT_TRUE (createManager().favourites.isEmpty());
}

//==============================================================================
TEST_F (PresetManagerFixture, ArrowsStepThroughAllPresets)
{
    for (const auto* name : { "User/A.preset", "User/B.preset", "User/C.preset" })
        writePreset (name);

    auto& bar = createManager();
    EXPECT_FALSE (bar.isPreviousEnabled());

    // With no current preset the next step is the first preset.
    bar.stepNext();
    EXPECT_EQ (bar.currentPresetName, "A");
    EXPECT_FALSE (bar.isPreviousEnabled());
    EXPECT_TRUE (bar.isNextEnabled());

    bar.stepNext();
    bar.stepNext();
    EXPECT_EQ (bar.currentPresetName, "C");
    EXPECT_TRUE (bar.isPreviousEnabled());
    EXPECT_FALSE (bar.isNextEnabled());

    bar.stepNext();
    EXPECT_EQ (bar.currentPresetName, "C");
    bar.stepPrevious();
    EXPECT_EQ (bar.currentPresetName, "B");
}

TEST_F (PresetManagerFixture, ArrowsWalkTheFavouritesAndLeaveThemBackwardsAtTheFirst)
{
    for (const auto* name : { "User/A.preset", "User/B.preset", "User/C.preset" })
        writePreset (name);

    (settings / "FavouritePresets.ov").replaceWithText (R"(["User/A.preset", "User/B.preset"])");
    auto& bar = createManager();

    bar.handleMenuResult (Manager::favouriteIdBase);
    EXPECT_TRUE (bar.favouritesMode);
    EXPECT_EQ (bar.currentPresetName, "A");
    EXPECT_TRUE (bar.isPreviousEnabled());
    EXPECT_TRUE (bar.isNextEnabled());

    bar.stepNext();
    EXPECT_EQ (bar.currentPresetName, "B");
    EXPECT_FALSE (bar.isNextEnabled());

    bar.stepPrevious();
    bar.stepPrevious();
    EXPECT_FALSE (bar.favouritesMode);
    EXPECT_EQ (bar.currentPresetName, "C");
    EXPECT_FALSE (bar.isNextEnabled());

    // Any plain menu choice leaves favourites mode too.
    bar.handleMenuResult (Manager::favouriteIdBase + 1);
    bar.handleMenuResult (1);
    EXPECT_FALSE (bar.favouritesMode);
}

//==============================================================================
TEST_F (PresetManagerFixture, ChangedMarkAppearsOncePerLoadAndASaveClearsIt)
{
    const auto clean = writePreset ("User/Clean.preset");
    auto& bar = createManager();

    bar.loadPreset (clean);
    pumpMessages();
    EXPECT_EQ (bar.getLabelText(), "Clean");
    EXPECT_FALSE (bar.changed);

    const auto presetMessages = [this] { return recorder.messages.size(); };
    const auto before = presetMessages();

    // A change from another thread, as host automation would make it.
    std::thread automation ([this] { setPlain (ids::decay, 5.0f); });
    automation.join();
    pumpMessages();
    EXPECT_EQ (bar.getLabelText(), "Clean *");
    EXPECT_TRUE (bar.changed);
    EXPECT_EQ (presetMessages(), before + 1);
    EXPECT_EQ (recorder.messages[before], "PRESET");

    setPlain (ids::decay, 6.0f);
    pumpMessages();
    EXPECT_EQ (presetMessages(), before + 1);

    bar.savePreset (clean);
    pumpMessages();
    EXPECT_EQ (bar.getLabelText(), "Clean");
    EXPECT_FALSE (bar.changed);

    setPlain (ids::tone, 20.0f);
    pumpMessages();
    EXPECT_EQ (bar.getLabelText(), "Clean *");

    // A restored mark (handed over by the editor) survives until the next load.
    bar.loadPreset (clean);
    pumpMessages();
    EXPECT_EQ (bar.getLabelText(), "Clean");
    EXPECT_TRUE (shownMessages.empty());
}

TEST_F (PresetManagerFixture, AmplifierPresetIsRefusedWhileTheHiddenSectionIsLocked)
{
    setPlain (ids::amp, 1.0f);
    const auto amped = writePreset ("User/Amped.preset");
    setPlain (ids::amp, 0.0f);
    const auto plainFile = writePreset ("User/Plain.preset");

    auto& bar = createManager();
    bar.loadPreset (plainFile);
    setPlain (ids::decay, -5.0f);
    pumpMessages();
    ASSERT_EQ (bar.getLabelText(), "Plain *");

    bar.loadPreset (amped);
    pumpMessages();
    EXPECT_EQ (blockedCount, 1);
    EXPECT_EQ (plain (ids::amp), 0.0f);
    EXPECT_EQ (plain (ids::decay), -5.0f);
    EXPECT_EQ (bar.currentPresetPath, plainFile.getFullPathName());
    EXPECT_EQ (bar.getLabelText(), "Plain *");
    EXPECT_TRUE (shownMessages.empty());

    bar.hiddenSectionUnlocked = true;
    bar.loadPreset (amped);
    EXPECT_EQ (blockedCount, 1);
    EXPECT_EQ (plain (ids::amp), 1.0f);
    EXPECT_EQ (bar.getLabelText(), "Amped");
}

TEST_F (PresetManagerFixture, ARepeatedOrOtherwiseNamedAmplifierNodeCannotSwitchItOnWhileLocked)
{
    // The lock reads the last "PARAM" element of the ID; the restore has to apply exactly that one.
    const char* cases[] = {
        R"(<params><PARAM id="AMP" value="1"/><PARAM id="AMP" value="0"/></params>)",
        R"(<params><OTHER id="AMP" value="1"/><PARAM id="AMP" value="0"/></params>)",
        R"(<params><PARAM id="AMP" value="0.6"/></params>)",
        R"(<params><PARAM id="AMP" value=" 9"/></params>)",
        R"(<params><OTHER id="AMP" value="1"/><PARAM id="WIDTH" value="150"/></params>)",
    };

    auto& bar = createManager();

    for (const auto* xml : cases)
    {
        const juce::String text (xml);
        juce::MemoryOutputStream chunk;
        chunk.write ("VC2!", 4);
        chunk.writeInt ((int) text.getNumBytesAsUTF8());
        chunk << text;
        const auto file = presets ("User/Crafted.preset");
        file.replaceWithData (chunk.getData(), chunk.getDataSize());

        bar.loadPreset (file);
        pumpMessages();
        EXPECT_EQ (plain (ids::amp), 0.0f) << xml;
        EXPECT_EQ (bar.currentPresetPath, file.getFullPathName()) << xml;
    }

    EXPECT_EQ (plain (ids::width), 150.0f);
}

TEST_F (PresetManagerFixture, LoadingKeepsTheEditorView)
{
    processor.guiState = 2;
    setPlain (ids::tone, 40.0f);
    const auto file = writePreset ("User/View.preset");
    processor.guiState = 1;
    setPlain (ids::tone, -30.0f);

    createManager().loadPreset (file);

    EXPECT_EQ (processor.guiState, 1);
    EXPECT_EQ (plain (ids::tone), 40.0f);
}

//==============================================================================
TEST_F (PresetManagerFixture, SavingWritesExactlyTheStateChunkAndListsTheNewFile)
{
    auto& bar = createManager();
    setPlain (ids::width, 150.0f);
    const auto file = presets ("User/New Sound.preset");

    bar.savePreset (file);

    juce::MemoryBlock expected, written;
    processor.getStateInformation (expected);
    ASSERT_TRUE (file.loadFileAsData (written));
    EXPECT_EQ (written, expected);
    EXPECT_TRUE (bar.allPresetFiles.contains (file));
    EXPECT_EQ (bar.getLabelText(), "New Sound");
    EXPECT_FALSE (bar.readOnlyPreset);
    EXPECT_TRUE (shownMessages.empty());
    EXPECT_EQ (TemporaryFolder::fileNamesIn (presets ("User")), juce::StringArray ("New Sound.preset"));
}

TEST_F (PresetManagerFixture, FailuresShowTheirMessagesAndChangeNothing)
{
    const auto good = writePreset ("User/Good.preset");
    auto& bar = createManager();
    bar.loadPreset (good);
    setPlain (ids::decay, 4.0f);

    juce::MemoryBlock chunk;
    processor.getStateInformation (chunk);
    const auto broken = touch (presets ("User/Broken.preset"), "not a preset");
    const auto truncated = presets ("User/Truncated.preset");
    truncated.replaceWithData (chunk.getData(), chunk.getSize() - 20);
    const auto missing = presets ("User/Gone.preset");

    // Files the processor could not restore are refused like missing ones, not made current.
    for (const auto& file : { missing, broken, truncated })
    {
        shownMessages.clear();
        bar.loadPreset (file);
        ASSERT_EQ (shownMessages.size(), 1u) << file.getFileName();
        EXPECT_EQ (shownMessages[0].first, "Unable to load preset");
        EXPECT_EQ (shownMessages[0].second,
                   "Unable to load the following preset: \"" + file.getFullPathName()
                       + "\" - please make sure the preset file exists on your disk.");
        EXPECT_EQ (bar.currentPresetPath, good.getFullPathName());
        EXPECT_EQ (plain (ids::decay), 4.0f);
    }

    const auto folderInTheWay = presets ("User/Folder.preset");
    folderInTheWay.createDirectory();
    shownMessages.clear();
    bar.savePreset (folderInTheWay);
    ASSERT_EQ (shownMessages.size(), 1u);
    EXPECT_EQ (shownMessages[0].first, "Unable to save preset");
    EXPECT_EQ (shownMessages[0].second,
               "Unable to save the following preset: \"" + folderInTheWay.getFullPathName()
                   + "\" - please make sure the specified location is valid.");
    EXPECT_EQ (bar.currentPresetPath, good.getFullPathName());

    // Saving outside "User" warns but writes all the same.
    const auto outside = presets ("Factory/Mine.preset");
    shownMessages.clear();
    bar.savePreset (outside);
    ASSERT_EQ (shownMessages.size(), 1u);
    EXPECT_EQ (shownMessages[0].first, "Warning");
    EXPECT_EQ (shownMessages[0].second,
               "Custom presets will not be available unless saved in the \"User\" directory: \""
                   + outside.getFullPathName() + "\"");
    EXPECT_TRUE (outside.existsAsFile());
    EXPECT_EQ (bar.currentPresetPath, outside.getFullPathName());
}

TEST_F (PresetManagerFixture, FailedSaveKeepsTheOldFile)
{
    const auto file = touch (presets ("User/Keep.preset"), "old preset");
    auto& bar = createManager();

    {
        const ScopedFileSizeLimit diskFull (16);
        bar.savePreset (file);
    }

    ASSERT_EQ (shownMessages.size(), 1u);
    EXPECT_EQ (shownMessages[0].first, "Unable to save preset");
    EXPECT_EQ (file.loadFileAsString(), "old preset");
    EXPECT_EQ (TemporaryFolder::fileNamesIn (presets ("User")), juce::StringArray ("Keep.preset"));
    EXPECT_FALSE (bar.hasPreset);
}

//==============================================================================
TEST_F (PresetManagerFixture, LayoutFollowsTheBarSizeAndPaintsWithoutImages)
{
    auto& bar = createManager();

    bar.setBounds (0, 0, 1094, 108);
    EXPECT_EQ (bar.favouriteButton.getBounds(), juce::Rectangle<int> (24, 24, 92, 60));
    EXPECT_EQ (bar.previousButton.getBounds(), juce::Rectangle<int> (986, 20, 76, 27));
    EXPECT_EQ (bar.nextButton.getBounds(), juce::Rectangle<int> (986, 59, 76, 27));
    EXPECT_EQ (bar.nameLabel.getBounds(), juce::Rectangle<int> (164, 0, 766, 108));
    EXPECT_EQ (bar.favouriteButton.button.getBounds(), juce::Rectangle<int> (0, 0, 92, 60));

    // Tiny sizes clamp at zero instead of producing negative sizes; painting needs no images.
    for (const auto& size : { juce::Point<int> (100, 20), juce::Point<int> (0, 0), juce::Point<int> (300, 50) })
    {
        bar.setSize (size.x, size.y);

        for (auto* child : bar.getChildren())
            EXPECT_GE (child->getWidth(), 0);

        if (size.x > 0)
            bar.createComponentSnapshot (bar.getLocalBounds());
    }
}
