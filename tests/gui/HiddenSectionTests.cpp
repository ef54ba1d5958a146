#include "EditorFixture.h"

#include "gui/StatusText.h"
#include "update/WebAddresses.h"

#include <thread>

namespace
{
/** Records the areas a component and its children ask to have repainted. */
struct RepaintRecorder : public juce::CachedComponentImage
{
    void paint (juce::Graphics&) override {}
    bool invalidateAll() override
    {
        areas.add ({ -1, -1, 0, 0 });
        return true;
    }
    bool invalidate (const juce::Rectangle<int>& area) override
    {
        areas.add (area);
        return true;
    }
    void releaseResources() override {}

    juce::Array<juce::Rectangle<int>> areas;
};

/** A strip of equal frames, each a flat colour, stacked top to bottom. */
juce::Image stripOf (int frameWidth, int frameHeight, std::initializer_list<juce::Colour> frames)
{
    juce::Image strip (juce::Image::ARGB, frameWidth, frameHeight * (int) frames.size(), true);
    juce::Graphics g (strip);
    int y = 0;

    for (const auto colour : frames)
    {
        g.setColour (colour);
        g.fillRect (0, y, frameWidth, frameHeight);
        y += frameHeight;
    }

    return strip;
}

/** Pixels in an area of a dialog drawn at its base size whose colour is near the given one. */
int pixelsNear (juce::Component& dialog, juce::Rectangle<int> area, juce::Colour colour)
{
    const auto image = dialog.createComponentSnapshot (dialog.getLocalBounds());
    int count = 0;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
        {
            const auto p = image.getPixelAt (x, y);
            const auto difference = std::abs (p.getRed() - colour.getRed())
                                    + std::abs (p.getGreen() - colour.getGreen())
                                    + std::abs (p.getBlue() - colour.getBlue());
            count += difference < 60 ? 1 : 0;
        }

    return count;
}

const juce::Colour errorRed (0xff8c0f09);
} // namespace

/** An editor in a temporary settings folder with the hidden section's steps at hand. */
class HiddenSection : public EditorFixture
{
public:
    juce::File sectionFile() const { return configHome.home.folder.getChildFile ("Section.ov"); }

    /** Clicks the header's hidden-section button as a user would. */
    void clickSecretButton()
    {
        editor->header->secretButton.button.triggerClick();
        pumpMessages();
    }

    /** Types an answer and presses return in the pass-phrase field. */
    void answer (const juce::String& text)
    {
        auto& box = editor->unlockModal->answerBox;
        box.setText (text, false);
        box.keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
        pumpMessages();
    }

    /** From a locked editor to the confirmation dialog. */
    void answerCorrectly()
    {
        clickSecretButton();
        answer ("quintaloop");
        ASSERT_TRUE (editor->unlockedModal->isVisible());
    }

    static void press (juce::Component& c, juce::Point<float> position)
    {
        c.mouseMove (mouseAt (c, position, position, {}));
        c.mouseDown (mouseAt (c, position, position));
        c.mouseUp (mouseAt (c, position, position, {}));
    }

    static bool isStacked (VantorraCoilvoxAudioProcessorEditor& e, OV::PluginEditorSection& s)
    {
        return e.sections.contains (&s) && s.getParentComponent() == &e && s.isVisible();
    }
};

//==============================================================================
TEST_F (HiddenSection, PassPhraseCountsInAnyCaseWithSpacesAroundIt)
{
    const struct
    {
        const char* typed;
        bool accepted;
    } cases[] = {
        { "  QuintaLOOP \t", true }, { "quintaloop", true }, { "quinta loop", false },
        { "quintaloops", false },    { "", false },          { "quintal00p", false },
    };

    for (const auto& c : cases)
    {
        editor.reset();
        sectionFile().deleteFile();
        auto& e = openEditor();
        clickSecretButton();
        ASSERT_TRUE (e.unlockModal->isVisible());
        ASSERT_TRUE (e.modalBackdrop.isVisible());

        answer (c.typed);
        EXPECT_EQ (e.unlockModal->wrongAnswer, ! c.accepted) << c.typed;
        EXPECT_EQ (e.unlockModal->isVisible(), ! c.accepted) << c.typed;
        EXPECT_EQ (e.unlockedModal->isVisible(), c.accepted) << c.typed;
        EXPECT_TRUE (e.modalBackdrop.isVisible());
        EXPECT_EQ (sectionFile().existsAsFile(), c.accepted) << c.typed;
        // Nothing unlocks before the confirmation.
        EXPECT_FALSE (e.secretUnlocked);
        EXPECT_FALSE (processor.hiddenUnlocked.load());

        if (! c.accepted)
        {
            EXPECT_EQ (e.unlockModal->answerBox.getText(), c.typed);
            EXPECT_GT (pixelsNear (*e.unlockModal, { 90, 96, 138, 16 }, errorRed), 20) << c.typed;
        }
    }
}

TEST_F (HiddenSection, SubmitRingAndReturnKeyRunTheSameCheck)
{
    auto& e = openEditor();
    clickSecretButton();
    auto& dialog = *e.unlockModal;
    dialog.answerBox.setText ("wrong", false);

    // Just outside the ring (14 units from its centre at (256, 78)): nothing happens.
    for (const auto outside : { juce::Point<float> (270.0f, 78.0f), juce::Point<float> (256.0f, 92.5f) })
    {
        press (dialog, outside);
        EXPECT_FALSE (dialog.submitHovered);
        EXPECT_FALSE (dialog.wrongAnswer);
    }

    EXPECT_EQ (pixelsNear (dialog, { 90, 96, 138, 16 }, errorRed), 0);

    // Inside it the pointer lights the button, and a press checks.
    dialog.mouseMove (mouseAt (dialog, { 269.0f, 78.0f }, {}, {}));
    EXPECT_TRUE (dialog.submitHovered);
    press (dialog, { 269.0f, 78.0f });
    EXPECT_TRUE (dialog.wrongAnswer);
    dialog.mouseExit (mouseAt (dialog, { 400.0f, 78.0f }, {}, {}));
    EXPECT_FALSE (dialog.submitHovered);

    // The notice stays until the next check: a press elsewhere leaves it.
    press (dialog, { 20.0f, 20.0f });
    EXPECT_TRUE (dialog.wrongAnswer);
    EXPECT_EQ (dialog.answerBox.getText(), "wrong");

    dialog.answerBox.setText ("Quintaloop ", false);
    press (dialog, { 250.0f, 70.0f });
    EXPECT_FALSE (dialog.wrongAnswer);
    EXPECT_TRUE (e.unlockedModal->isVisible());
    EXPECT_FALSE (dialog.isVisible());
}

TEST_F (HiddenSection, HoveredSubmitButtonIsFilled)
{
    auto& dialog = *openEditor().unlockModal;
    const juce::Colour hoverGrey (0xff9b9b9b);
    const juce::Rectangle<int> centre (252, 74, 8, 8);
    const auto before = pixelsNear (dialog, centre, hoverGrey.interpolatedWith (juce::Colour (0xff222222), 0.7f));
    dialog.mouseMove (mouseAt (dialog, { 256.0f, 78.0f }, {}, {}));
    const auto after = pixelsNear (dialog, centre, hoverGrey.interpolatedWith (juce::Colour (0xff222222), 0.7f));
    EXPECT_GT (after, before);
}

TEST_F (HiddenSection, CorrectAnswerIsStoredAndReadBackExactly)
{
    // No settings folder yet: the right answer creates the whole folder chain.
    const auto folder = configHome.home.folder.getChildFile ("not/yet/there");
    {
        VantorraCoilvoxAudioProcessorEditor e (processor, folder);
        e.header->secretButton.button.triggerClick();
        pumpMessages();
        e.unlockModal->answerBox.setText ("QUINTALOOP", false);
        e.unlockModal->checkAnswer();
    }
    const auto written = juce::JSON::parse (folder.getChildFile ("Section.ov").loadFileAsString());
    EXPECT_EQ (written.getProperty ("password", {}).toString(), "quintaloop");
    EXPECT_EQ (written.getDynamicObject()->getProperties().size(), 1);

    const std::pair<juce::var, bool> stored[] = {
        { "quintaloop", true }, { "Quintaloop", false }, { " quintaloop", false },
        { 42, false },          { juce::var(), false },
    };

    for (const auto& [password, unlocked] : stored)
    {
        editor.reset();
        storeSectionPassword (password);
        auto& e = openEditor();
        EXPECT_EQ (e.secretUnlocked, unlocked) << password.toString();
        EXPECT_EQ (e.showSceneFirst, ! unlocked);
        EXPECT_EQ (e.secretButtonShown, unlocked);
        EXPECT_EQ (e.header->secretButton.isVisible(), unlocked);
        EXPECT_EQ (e.header->secretButton.button.getClickingTogglesState(), unlocked);
        EXPECT_EQ (e.header->presetManager.hiddenSectionUnlocked, unlocked);
    }
}

TEST_F (HiddenSection, ClosingTheConfirmationLeavesThisEditorLocked)
{
    auto& e = openEditor();
    processor.hiddenComboSet = true;
    e.timerCallback();
    answerCorrectly();

    e.unlockedModal->closeButton.triggerClick();
    pumpMessages();
    EXPECT_FALSE (e.unlockedModal->isVisible());
    EXPECT_FALSE (e.modalBackdrop.isVisible());
    EXPECT_FALSE (e.secretUnlocked);
    EXPECT_FALSE (processor.hiddenUnlocked.load());
    EXPECT_FALSE (e.header->presetManager.hiddenSectionUnlocked);

    // Still a plain button: a click asks again and toggles nothing.
    e.unlockModal->answerBox.clear();
    clickSecretButton();
    EXPECT_FALSE (e.header->secretButton.button.getToggleState());
    EXPECT_TRUE (e.unlockModal->isVisible());
    EXPECT_EQ (processor.guiState, 0);

    editor.reset();
    EXPECT_TRUE (openEditor().secretUnlocked);
}

TEST_F (HiddenSection, UnlockOpensTheCoverSceneOnce)
{
    auto& e = openEditor();
    // The channel levels on the hidden combination reveal the button within a timer tick.
    setPlain (ParameterIds::channelAGain, 65.0f);
    setPlain (ParameterIds::channelBGain, 5.0f);
    setPlain (ParameterIds::channelCGain, 20.0f);
    e.timerCallback();
    ASSERT_TRUE (e.header->secretButton.isVisible());
    answerCorrectly();

    // The UNLOCK button reacts on its area, edges included.
    auto& confirm = *e.unlockedModal;
    const std::pair<juce::Point<float>, bool> hovers[] = {
        { { 127, 73 }, true },  { { 237, 99 }, true },   { { 126, 80 }, false },
        { { 238, 80 }, false }, { { 180, 100 }, false }, { { 180, 72 }, false },
    };

    for (const auto& [point, inside] : hovers)
    {
        confirm.mouseMove (mouseAt (confirm, point, {}, {}));
        EXPECT_EQ (confirm.buttonHovered, inside) << point.toString();
    }

    // Other keys pass through; return unlocks.
    EXPECT_FALSE (confirm.keyPressed (juce::KeyPress ('a')));
    EXPECT_FALSE (e.secretUnlocked);
    EXPECT_TRUE (confirm.keyPressed (juce::KeyPress (juce::KeyPress::returnKey)));
    pumpMessages();

    EXPECT_TRUE (e.secretUnlocked);
    EXPECT_TRUE (processor.hiddenUnlocked.load());
    EXPECT_TRUE (e.header->presetManager.hiddenSectionUnlocked);
    EXPECT_FALSE (confirm.isVisible());
    EXPECT_FALSE (e.modalBackdrop.isVisible());
    EXPECT_TRUE (e.header->secretButton.button.getToggleState());
    EXPECT_EQ (processor.guiState, 3);
    EXPECT_TRUE (isStacked (e, *e.secretScene));
    EXPECT_FALSE (isStacked (e, *e.simpleBody));

    // Once unlocked, the button stays whatever the channel levels do.
    processor.hiddenComboSet = false;
    e.timerCallback();
    EXPECT_TRUE (e.header->secretButton.isVisible());

    // Entering the body skips the scene from then on.
    e.secretScene->enterButton.triggerClick();
    pumpMessages();
    EXPECT_EQ (processor.guiState, 2);
    clickSecretButton();
    EXPECT_EQ (processor.guiState, 0);
    clickSecretButton();
    EXPECT_EQ (processor.guiState, 2);
    EXPECT_TRUE (isStacked (e, *e.secretBody));
}

TEST_F (HiddenSection, ViewSwitchingKeepsTheEditorsSize)
{
    storeSectionPassword();
    processor.guiState = 1;
    auto& e = openEditor();
    e.availableAreaSource = [] { return ampleDisplay; };
    const auto size = e.setSizeFromWidth (1200);
    ASSERT_EQ (size, Size (1200, 902));

    const auto expectView = [&] (int view, OV::PluginEditorSection& body)
    {
        EXPECT_EQ (processor.guiState, view);
        EXPECT_EQ (Size (e.getWidth(), e.getHeight()), size) << "view " << view;
        EXPECT_TRUE (isStacked (e, body)) << "view " << view;
        EXPECT_EQ (e.sections.size(), view == 1 ? 4 : 3);
        EXPECT_EQ (e.sections.getLast(), e.footer.get());
    };

    // An editor that starts unlocked goes straight to the body; the scene is reached from it.
    EXPECT_FALSE (e.secretBody->areImagesLoaded());
    clickSecretButton();
    expectView (2, *e.secretBody);
    EXPECT_TRUE (e.secretBody->areImagesLoaded());
    EXPECT_FALSE (e.secretScene->areImagesLoaded());
    e.secretBody->returnButton.triggerClick();
    pumpMessages();
    expectView (3, *e.secretScene);
    e.secretScene->enterButton.triggerClick();
    pumpMessages();
    expectView (2, *e.secretBody);
    clickSecretButton();
    expectView (1, *e.advancedBody);
}

TEST_F (HiddenSection, HiddenViewOfALockedEditorOpensSimple)
{
    for (const int view : { 2, 3 })
    {
        editor.reset();
        processor.guiState = view;
        auto& e = openEditor();
        EXPECT_EQ (processor.guiState, 0);
        EXPECT_TRUE (isStacked (e, *e.simpleBody));
        EXPECT_FALSE (e.header->secretButton.button.getToggleState());
        // Their pictures wait until they are first shown.
        EXPECT_FALSE (e.secretBody->areImagesLoaded());
        EXPECT_FALSE (e.secretScene->areImagesLoaded());
    }
}

TEST_F (HiddenSection, AmpPresetWaitsForTheUnlock)
{
    TemporaryFolder presets;
    const auto file = presets / "Amped.preset";
    setPlain (ParameterIds::amp, 1.0f);
    juce::MemoryBlock chunk;
    processor.getStateInformation (chunk);
    file.replaceWithData (chunk.getData(), chunk.getSize());
    setPlain (ParameterIds::amp, 0.0f);

    auto& e = openEditor();
    juce::Array<juce::URL> opened;
    e.openWebPage = [&opened] (const juce::URL& url) { opened.add (url); };

    e.header->presetManager.loadPreset (file);
    pumpMessages();
    EXPECT_EQ (plain (ParameterIds::amp), 0.0f);
    EXPECT_NE (e.header->presetManager.currentPresetPath, file.getFullPathName());
    auto& blocked = *e.presetBlockedModal;
    ASSERT_TRUE (blocked.isVisible());
    EXPECT_TRUE (e.modalBackdrop.isVisible());

    // HINTS reacts on its area only, then opens the page and closes the dialog.
    press (blocked, { 135.0f, 137.0f });
    EXPECT_TRUE (opened.isEmpty());
    EXPECT_TRUE (blocked.isVisible());
    press (blocked, { 230.0f, 147.0f });
    ASSERT_EQ (opened.size(), 1);
    // Compared as text: the framework's URL comparison hands memcmp a null pointer for empty post data.
    EXPECT_EQ (opened[0].toString (true), OV::WebAddresses::hints().toString (true));
    EXPECT_FALSE (blocked.isVisible());
    EXPECT_FALSE (e.modalBackdrop.isVisible());

    // The return key does the same.
    e.header->presetManager.loadPreset (file);
    EXPECT_TRUE (blocked.keyPressed (juce::KeyPress (juce::KeyPress::returnKey)));
    EXPECT_EQ (opened.size(), 2);
    EXPECT_FALSE (blocked.isVisible());

    editor.reset();
    storeSectionPassword();
    auto& unlocked = openEditor();
    unlocked.header->presetManager.loadPreset (file);
    pumpMessages();
    EXPECT_EQ (plain (ParameterIds::amp), 1.0f);
    EXPECT_EQ (unlocked.header->presetManager.currentPresetPath, file.getFullPathName());
    EXPECT_FALSE (unlocked.presetBlockedModal->isVisible());
}

TEST_F (HiddenSection, DialogsWithoutActionsIgnoreTheirButtons)
{
    OV::ModalBackdrop backdrop;
    SecretUnlockModalOnCorrect confirm (backdrop);
    SecretPresetBlockedModal blocked (backdrop);
    SecretUnlockModal ask (backdrop, "quintaloop");
    ask.answerBox.setText ("quintaloop", false);

    EXPECT_NO_THROW (press (confirm, { 180.0f, 86.0f }));
    EXPECT_NO_THROW (press (blocked, { 180.0f, 137.0f }));
    EXPECT_NO_THROW (ask.checkAnswer());
    EXPECT_FALSE (ask.wrongAnswer);
}

//==============================================================================
TEST_F (HiddenSection, BodyControlsSitOnThePanel)
{
    storeSectionPassword();
    processor.guiState = 2;
    auto& e = openEditor();
    auto& b = *e.secretBody;
    using R = juce::Rectangle<int>;
    const std::pair<juce::Component*, R> cases[] = {
        { &b.ampSwitch, R (499, 742, 126, 282) },        { &b.cabinetSwitch, R (625, 743, 127, 274) },
        { &b.gainKnob, R (830, 724, 194, 246) },         { &b.masterKnob, R (1011, 724, 231, 246) },
        { &b.syncSwitch, R (1284, 718, 128, 288) },      { &b.freeSpeedKnob, R (1354, 710, 241, 285) },
        { &b.syncedSpeedKnob, R (1354, 710, 241, 285) }, { &b.depthKnob, R (1575, 782, 207, 213) },
        { &b.tremoloSwitch, R (1785, 749, 116, 246) },   { &b.lowKnob, R (1953, 745, 150, 197) },
        { &b.midKnob, R (2096, 745, 147, 197) },         { &b.topKnob, R (2234, 745, 199, 197) },
        { &b.returnButton, R (2264, 442, 231, 189) },    { &b.divisionLabel, R (1412, 1006, 150, 60) },
    };

    for (const auto& [component, expected] : cases)
        EXPECT_EQ (component->getBounds(), expected) << component->getTitle();

    EXPECT_EQ (e.secretScene->enterButton.getBounds(), R (1809, 731, 700, 779));
    EXPECT_FALSE (b.divisionLabel.isVisible());
}

TEST_F (HiddenSection, SyncSwitchSwapsTheSpeedKnobsWhoeverMovesIt)
{
    storeSectionPassword();
    processor.guiState = 2;
    auto& b = *openEditor().secretBody;
    ASSERT_EQ (plain (ParameterIds::sync), 1.0f);
    EXPECT_FALSE (b.freeSpeedKnob.isVisible());
    EXPECT_TRUE (b.syncedSpeedKnob.isVisible());

    // From the host's thread: the switch follows through the message loop.
    std::thread host ([this] { setPlain (ParameterIds::sync, 0.0f); });
    host.join();
    EXPECT_TRUE (b.syncedSpeedKnob.isVisible());
    pumpMessages();
    EXPECT_FALSE (b.syncSwitch.getToggleState());
    EXPECT_TRUE (b.freeSpeedKnob.isVisible());
    EXPECT_FALSE (b.syncedSpeedKnob.isVisible());

    // By a click on the switch.
    b.syncSwitch.triggerClick();
    pumpMessages();
    EXPECT_EQ (plain (ParameterIds::sync), 1.0f);
    EXPECT_FALSE (b.freeSpeedKnob.isVisible());
    EXPECT_TRUE (b.syncedSpeedKnob.isVisible());

    // An editor opened while free-running starts with the free knob.
    setPlain (ParameterIds::sync, 0.0f);
    editor.reset();
    EXPECT_TRUE (openEditor().secretBody->freeSpeedKnob.isVisible());
}

TEST_F (HiddenSection, PaintingAsksForNoFurtherPaint)
{
    storeSectionPassword();
    processor.guiState = 2;
    auto& e = openEditor();
    e.setVisible (true);
    auto& b = *e.secretBody;
    auto* recorder = new RepaintRecorder();
    b.setCachedComponentImage (recorder);
    // Installing it asks for one paint; what counts is what painting asks for.
    ASSERT_FALSE (recorder->areas.isEmpty());
    recorder->areas.clear();

    juce::Image image (juce::Image::ARGB, 300, 206, true);
    {
        juce::Graphics g (image);
        g.addTransform (juce::AffineTransform::scale (0.1f));
        b.paintEntireComponent (g, false);
    }
    EXPECT_TRUE (recorder->areas.isEmpty());

    // The lamp is repainted when the amp is switched, from the host's thread too.
    std::thread host ([this] { setPlain (ParameterIds::amp, 1.0f); });
    host.join();
    pumpMessages();
    EXPECT_TRUE (recorder->areas.contains (PluginBodySecret::lampBounds()));

    b.setCachedComponentImage (nullptr);
}

TEST_F (HiddenSection, LampAndSwitchesShowTheirFrames)
{
    storeSectionPassword();
    processor.guiState = 2;
    auto& b = *openEditor().secretBody;
    const auto off = juce::Colours::red, on = juce::Colours::lime;

    // Whatever the artwork: a two-frame strip of flat colours shows which frame is drawn.
    b.lampStrip = stripOf (105, 131, { off, on });
    const auto lampCentre = [&b]
    {
        juce::Image image (juce::Image::ARGB, 105, 131, true);
        juce::Graphics g (image);
        g.setOrigin (-PluginBodySecret::lampBounds().getPosition());
        b.paint (g);
        return image.getPixelAt (52, 65);
    };

    setPlain (ParameterIds::amp, 0.0f);
    EXPECT_EQ (lampCentre(), off);
    setPlain (ParameterIds::amp, 1.0f);
    EXPECT_EQ (lampCentre(), on);

    b.tremoloSwitchLookAndFeel.image = stripOf (116, 246, { off, on });
    for (const bool state : { false, true })
    {
        setPlain (ParameterIds::tremolo, state ? 1.0f : 0.0f);
        const auto image = b.tremoloSwitch.createComponentSnapshot (b.tremoloSwitch.getLocalBounds());
        EXPECT_EQ (image.getPixelAt (58, 123), state ? on : off);
    }

    // No artwork at all draws nothing and does not fail.
    b.background = {};
    b.lampStrip = {};
    b.tremoloSwitchLookAndFeel.image = {};
    EXPECT_EQ (lampCentre(), juce::Colour());
    const auto blank = b.tremoloSwitch.createComponentSnapshot (b.tremoloSwitch.getLocalBounds());
    EXPECT_EQ (blank.getPixelAt (58, 123).getAlpha(), 0);
}

TEST_F (HiddenSection, SyncedSpeedDragShowsItsDivision)
{
    storeSectionPassword();
    processor.guiState = 2;
    setPlain (ParameterIds::sync, 1.0f);
    auto& b = *openEditor().secretBody;
    auto& knob = b.syncedSpeedKnob;
    ASSERT_TRUE (knob.isVisible());

    dragBy (knob, { 120.0f, 140.0f }, { 0.0f, -200.0f }, false);
    EXPECT_TRUE (b.divisionLabel.isVisible());
    EXPECT_EQ (knob.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::NoCursor));
    EXPECT_EQ (b.divisionLabel.getText(), PluginBodySecret::divisionText (knob.getValue()));

    const char* const expected[] = { "1/2", "1/4", "1/8", "1/12", "1/16", "1/24" };

    for (int value = 0; value < 6; ++value)
    {
        knob.setValue (value, juce::sendNotificationSync);
        EXPECT_EQ (b.divisionLabel.getText(), expected[value]);
    }

    knob.mouseUp (mouseAt (knob, { 120.0f, -60.0f }, { 120.0f, 140.0f }, {}));
    EXPECT_FALSE (b.divisionLabel.isVisible());
    EXPECT_EQ (b.divisionLabel.getText(), "");

    // Values between the steps name nothing; outside a drag the label stays hidden.
    for (const double other : { -1.0, 2.5, 6.0 })
        EXPECT_EQ (PluginBodySecret::divisionText (other), "");

    knob.setValue (2, juce::sendNotificationSync);
    EXPECT_FALSE (b.divisionLabel.isVisible());
}

TEST (StatusText, HiddenBodyRulesFollowTheSwitches)
{
    using H = StatusText::Hidden;
    const std::pair<bool H::*, const char*> knobs[] = {
        { &H::depthHovered, "Tremolo depth" },
        { &H::gainHovered, "Input gain" },
        { &H::topHovered, "Amp high EQ" },
        { &H::midHovered, "Amp mid EQ" },
        { &H::lowHovered, "Amp low EQ" },
        { &H::masterHovered, "Master output volume" },
        { &H::freeSpeedHovered, "Tremolo speed frequency" },
        { &H::syncedSpeedHovered, "Tremolo BPM-synced frequency" },
    };

    for (const auto& [member, text] : knobs)
    {
        H h;
        h.*member = true;
        EXPECT_EQ (StatusText::forHidden (h), text);
    }

    const struct
    {
        bool H::*hovered;
        bool H::*on;
        const char* offText;
        const char* onText;
    } switches[] = {
        { &H::syncHovered, &H::syncOn, "Turn ON BPM sync", "Turn OFF BPM sync" },
        { &H::cabinetHovered, &H::cabinetOn, "Turn ON the cabinet", "Turn OFF the cabinet" },
        { &H::ampHovered, &H::ampOn, "Turn ON the amp", "Turn OFF the amp" },
        { &H::tremoloHovered, &H::tremoloOn, "Turn ON tremolo", "Turn OFF tremolo" },
    };

    for (const auto& s : switches)
    {
        H h;
        h.*(s.hovered) = true;
        EXPECT_EQ (StatusText::forHidden (h), s.offText);
        h.*(s.on) = true;
        EXPECT_EQ (StatusText::forHidden (h), s.onText);
    }

    H first;
    first.depthHovered = first.ampHovered = true;
    EXPECT_EQ (StatusText::forHidden (first), "Tremolo depth");
    EXPECT_EQ (StatusText::forHidden ({}), "");
    EXPECT_EQ (StatusText::compose (false, "", "", "Input gain"), "Input gain");
}
