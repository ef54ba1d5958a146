#include "EditorFixture.h"

#include "gui/FooterResizableCorner.h"

namespace
{
juce::Rectangle<int> bounds (const juce::Component& c) { return c.getBounds(); }
} // namespace

TEST_F (EditorFixture, FirstOpeningSizesFromTheDefaultWidth)
{
    auto& e = openEditor();
    EXPECT_EQ (processor.editorWidth, 1050);
    EXPECT_EQ (resizeOn (ampleDisplay, processor.editorWidth), Size (1050, 537));
    EXPECT_EQ (e.getWidth(), 1050);
    EXPECT_EQ (e.getHeight(), 537);

    editor.reset();
    processor.guiState = 1;
    openEditor();
    EXPECT_EQ (resizeOn (ampleDisplay, processor.editorWidth), Size (1050, 789));
}

TEST_F (EditorFixture, ResizeLimitsOnAmpleDisplay)
{
    auto& e = openEditor();
    resizeOn (ampleDisplay, 1050);
    const auto* c = e.getConstrainer();
    EXPECT_EQ (c->getMinimumWidth(), 945);
    EXPECT_EQ (c->getMaximumWidth(), 2100);
    EXPECT_EQ (c->getMinimumHeight(), 484);
    EXPECT_EQ (c->getMaximumHeight(), 1075);
    EXPECT_NEAR (c->getFixedAspectRatio(), 1050.0 / 537.25, 1e-9);
    EXPECT_FALSE (e.isResizable());
}

TEST_F (EditorFixture, RequestedWidthsAreClampedByLimitsAndDisplay)
{
    openEditor();
    const struct
    {
        Size display;
        int view, requested;
        Size expected;
    } cases[] = {
        { ampleDisplay, 0, 500, { 945, 484 } },
        { ampleDisplay, 0, 2600, { 2100, 1075 } },
        { { 1920, 1152 }, 0, 2600, { 1920, 982 } },
        // Too small for the minimum: the minimum wins and the editor extends past the display.
        { { 1920, 600 }, 1, 1050, { 945, 710 } },
        // The height limits the width; 2100 would not fit.
        { { 2560, 1392 }, 1, 2600, { 1853, 1392 } },
        { ampleDisplay, 0, 0, { 0, 0 } },
    };

    for (const auto& c : cases)
    {
        if (c.view == 1)
            editor->addSection (*editor->advancedBody);
        else
            editor->removeSection (*editor->advancedBody);

        EXPECT_EQ (resizeOn (c.display, c.requested), c.expected) << c.requested << " in view " << c.view;
    }
}

TEST_F (EditorFixture, StoredWidthIsReadAtOpening)
{
    processor.settings.getUserSettings()->setValue ("sizeRatio", 2600);
    openEditor();
    EXPECT_EQ (processor.editorWidth, 2600);
    EXPECT_EQ (resizeOn (ampleDisplay, processor.editorWidth).x, 2100);
}

TEST_F (EditorFixture, AdvancedButtonKeepsTheWidthAndChangesTheHeight)
{
    auto& e = openEditor();
    e.availableAreaSource = [] { return ampleDisplay; };
    e.setSizeFromWidth (1200);
    const auto heightOf = [] (int width, double ratio) { return (int) std::round (width * ratio); };
    // The advanced panel's pictures wait until it is first shown.
    EXPECT_FALSE (e.advancedBody->areImagesLoaded());

    e.header->viewButton.button.triggerClick();
    pumpMessages();
    EXPECT_EQ (processor.guiState, 1);
    EXPECT_TRUE (e.advancedBody->areImagesLoaded());
    EXPECT_EQ (e.getWidth(), 1200);
    EXPECT_EQ (e.getHeight(), heightOf (1200, 0.7513333333));
    EXPECT_TRUE (e.advancedBody->isShowing() || e.advancedBody->getParentComponent() == &e);
    // The footer stays at the bottom of the stack, and the new body below everything that floats.
    EXPECT_EQ (e.sections.getLast(), e.footer.get());
    const auto depth = [&e] (juce::Component& c) { return e.getIndexOfChildComponent (&c); };
    // The menu's rounded top is tucked under the header.
    EXPECT_LT (depth (*e.advancedBody), depth (e.headerPopupMenu));
    EXPECT_LT (depth (e.headerPopupMenu), depth (*e.header));
    EXPECT_LT (depth (*e.header), depth (e.modalBackdrop));
    EXPECT_LT (depth (e.modalBackdrop), depth (e.aboutModal));
    EXPECT_LT (depth (e.aboutModal), depth (*e.resizableCorner));

    e.header->viewButton.button.triggerClick();
    pumpMessages();
    EXPECT_EQ (processor.guiState, 0);
    EXPECT_EQ (e.getWidth(), 1200);
    EXPECT_EQ (e.getHeight(), heightOf (1200, 0.5116666667));
    EXPECT_EQ (e.advancedBody->getParentComponent(), nullptr);
}

TEST_F (EditorFixture, ViewsStackTheirSections)
{
    const struct
    {
        int guiState;
        int sections;
    } cases[] = { { 0, 3 }, { 1, 4 }, { 2, 3 }, { 3, 3 }, { 7, 2 } };
    // The hidden views open only where the hidden section is unlocked.
    storeSectionPassword();

    for (const auto& c : cases)
    {
        editor.reset();
        processor.guiState = c.guiState;
        auto& e = openEditor();
        EXPECT_EQ (e.sections.size(), c.sections) << c.guiState;
        EXPECT_EQ (e.header->viewButton.button.getToggleState(), c.guiState == 1);
        EXPECT_EQ (e.header->secretButton.button.getToggleState(), c.guiState == 2 || c.guiState == 3);
    }
}

TEST_F (EditorFixture, LockedHiddenSectionButtonChangesNothing)
{
    auto& e = openEditor();
    e.header->secretButton.button.triggerClick();
    pumpMessages();
    EXPECT_EQ (processor.guiState, 0);
    EXPECT_FALSE (e.header->secretButton.button.getToggleState());
    EXPECT_EQ (e.sections.size(), 3);
}

TEST_F (EditorFixture, HiddenSectionButtonFollowsTheHiddenCombination)
{
    auto& e = openEditor();
    EXPECT_FALSE (e.header->secretButton.isVisible());
    processor.hiddenComboSet = true;
    e.timerCallback();
    EXPECT_TRUE (e.header->secretButton.isVisible());
    EXPECT_EQ (bounds (e.header->secretButton), juce::Rectangle<int> (3262, 28, 95, 100));
    processor.hiddenComboSet = false;
    e.timerCallback();
    EXPECT_FALSE (e.header->secretButton.isVisible());
}

TEST_F (EditorFixture, SectionsAreScaledToTheWidthAndStacked)
{
    auto& e = openEditor();
    resizeOn (ampleDisplay, 1050);
    ASSERT_EQ (e.sections.size(), 3);
    EXPECT_EQ (bounds (*e.header), juce::Rectangle<int> (0, 0, 4000, 156));
    // y 40.95 pixels at scale 0.35 is 117 base units.
    EXPECT_EQ (bounds (*e.simpleBody), juce::Rectangle<int> (0, 117, 3000, 1337));
    EXPECT_EQ (bounds (*e.footer), juce::Rectangle<int> (0, 1938, 4000, 108));
    EXPECT_NEAR (e.simpleBody->getTransform().mat00, 0.35f, 1e-6f);
    EXPECT_NEAR (e.header->getTransform().mat00, 0.2625f, 1e-6f);

    // The resize handle: a 64-unit square in the footer's units at the bottom-right corner.
    EXPECT_EQ (bounds (*e.resizableCorner), juce::Rectangle<int> (3935, 1980, 64, 64));
}

TEST_F (EditorFixture, HeaderAndFooterLayoutAtBaseSize)
{
    auto& e = openEditor();
    auto& h = *e.header;
    EXPECT_EQ (bounds (h.presetManager), juce::Rectangle<int> (1453, 24, 1094, 108));
    EXPECT_EQ (bounds (h.logoButton), juce::Rectangle<int> (48, 26, 482, 112));
    EXPECT_EQ (bounds (h.viewButton), juce::Rectangle<int> (3425, 24, 527, 108));
    EXPECT_EQ (h.presetManager.presetCentre, juce::Point<int> (2000, 78));
    EXPECT_EQ (h.presetManager.presetRowHeight, 108);

    h.updateBadge.setVisible (true);
    h.secretButton.setVisible (true);
    h.resized();
    EXPECT_EQ (bounds (h.updateBadge), juce::Rectangle<int> (562, 20, 82, 108));
    EXPECT_EQ (bounds (h.viewButton), juce::Rectangle<int> (3425, 24, 527, 108));
    EXPECT_EQ (bounds (h.secretButton), juce::Rectangle<int> (3262, 28, 95, 100));

    auto& f = *e.footer;
    EXPECT_EQ (bounds (f.footerMark), juce::Rectangle<int> (3858, 12, 94, 84));
    EXPECT_EQ (bounds (f.statusLabel), juce::Rectangle<int> (48, 12, 3810, 84));
    EXPECT_EQ (bounds (f.oversamplingBox), juce::Rectangle<int> (3520, 1, 280, 97));
}

TEST_F (EditorFixture, DialogsAndMenuAreScaledAndPlaced)
{
    auto& e = openEditor();
    resizeOn (ampleDisplay, 1050);

    const auto scale = std::min (2.0, 0.5 * 1050 / 268.0);
    EXPECT_NEAR (e.updateModal.getTransform().mat00, scale, 1e-5);
    EXPECT_EQ (e.updateModal.getWidth(), 268);
    EXPECT_EQ (e.updateModal.getHeight(), 100);
    EXPECT_EQ (e.updateModal.getX(), (int) ((1050 / scale - 268) * 0.5));
    EXPECT_EQ (e.updateModal.getY(), (int) ((537 / scale - 100) * 0.5));
    EXPECT_EQ (bounds (e.updateModal.closeButton), juce::Rectangle<int> (251, 8, 8, 8));
    EXPECT_EQ (bounds (e.aboutModal.closeButton), juce::Rectangle<int> (251, 8, 8, 8));

    // Dialogs never grow beyond twice their size.
    resizeOn (ampleDisplay, 2100);
    EXPECT_NEAR (e.aboutModal.getTransform().mat00, 2.0f, 1e-6f);

    EXPECT_EQ (bounds (e.headerPopupMenu), juce::Rectangle<int> (0, 132, 612, 500));
    EXPECT_EQ (bounds (e.modalBackdrop), e.getLocalBounds());
}

TEST_F (EditorFixture, ResizeHandleStoresTheWidthTheWindowEndsAt)
{
    auto& e = openEditor();
    e.availableAreaSource = [] { return ampleDisplay; };
    e.setSizeFromWidth (1050);
    auto& corner = *e.resizableCorner;

    const auto event = [&corner] (juce::Point<float> position)
    {
        auto source = juce::Desktop::getInstance().getMainMouseSource();
        return juce::MouseEvent (source,
                                 position,
                                 juce::ModifierKeys::leftButtonModifier,
                                 0.0f,
                                 0.0f,
                                 0.0f,
                                 0.0f,
                                 0.0f,
                                 &corner,
                                 &corner,
                                 juce::Time::getCurrentTime(),
                                 {},
                                 juce::Time::getCurrentTime(),
                                 1,
                                 true);
    };

    // The handle is scaled by 1050 / 4000; a drag of 1000 handle units is 262.5 screen pixels.
    corner.mouseDown (event ({ 32.0f, 32.0f }));
    corner.mouseDrag (event ({ 1032.0f, 32.0f }));
    EXPECT_GT (e.getWidth(), 1050);
    const auto draggedTo = e.getWidth();
    corner.mouseUp (event ({ 1032.0f, 32.0f }));
    EXPECT_EQ (processor.editorWidth, draggedTo);
    EXPECT_EQ (processor.settings.getUserSettings()->getIntValue ("sizeRatio"), draggedTo);

    // Far past the maximum: the window stops at 2100 and that is what is remembered.
    corner.mouseDown (event ({ 32.0f, 32.0f }));
    corner.mouseDrag (event ({ 32.0f + 20000.0f, 32.0f + 20000.0f }));
    corner.mouseUp (event ({ 32.0f + 20000.0f, 32.0f + 20000.0f }));
    EXPECT_EQ (e.getWidth(), 2100);
    EXPECT_EQ (processor.editorWidth, 2100);
    EXPECT_EQ (processor.settings.getUserSettings()->getIntValue ("sizeRatio"), 2100);

    // Only the lower-right triangle (and a quarter above it) is the handle.
    EXPECT_TRUE (corner.hitTest (60, 60));
    EXPECT_TRUE (corner.hitTest (63, 20));
    EXPECT_FALSE (corner.hitTest (2, 2));
    EXPECT_FALSE (corner.hitTest (10, 30));
}

TEST_F (EditorFixture, OversamplingBoxShowsAndWritesTheParameter)
{
    auto& f = *openEditor().footer;
    const struct
    {
        float osMenu;
        int boxId;
        juce::String shown;
    } cases[] = { { 1.0f, 0, "16x" }, { 2.0f, 1, "8X" }, { 3.0f, 2, "4X" }, { 4.0f, 0, "OFF" } };

    for (const auto& c : cases)
    {
        setPlain (ParameterIds::oversampling, c.osMenu);
        pumpMessages();
        EXPECT_EQ (juce::jmax (0, f.oversamplingBox.getSelectedId()), c.boxId) << c.osMenu;

        if (c.boxId == 0)
            EXPECT_EQ (f.oversamplingBox.getTextWhenNothingSelected(), c.shown);
        else
            EXPECT_EQ (f.oversamplingBox.getText(), c.shown);
    }

    f.oversamplingBox.setSelectedId (2);
    pumpMessages();
    EXPECT_EQ (plain (ParameterIds::oversampling), 3.0f);
    f.oversamplingBox.setSelectedId (1);
    pumpMessages();
    EXPECT_EQ (plain (ParameterIds::oversampling), 2.0f);
}

TEST_F (EditorFixture, PresetIdentityAndSnapshotGoBackToTheProcessor)
{
    TemporaryFolder presets;
    auto file = presets / "Mine.preset";
    juce::MemoryBlock chunk;
    processor.getStateInformation (chunk);
    file.replaceWithData (chunk.getData(), chunk.getSize());

    auto& e = openEditor();
    e.header->presetManager.loadPreset (file);
    pumpMessages();
    EXPECT_EQ (processor.presetFilePath, file.getFullPathName());
    const auto info = processor.parameters.state.getChildWithName ("previousPresetInfo");
    ASSERT_TRUE (info.isValid());
    EXPECT_EQ (info.getProperty ("PRES_FILE_PATH").toString(), file.getFullPathName());
    EXPECT_FALSE ((bool) info.getProperty ("PRES_CHANGED"));

    editor.reset();
    juce::MemoryBlock current;
    processor.getStateInformation (current);
    EXPECT_EQ (processor.stateSnapshot, current);
    EXPECT_FALSE (processor.presetChanged);

    // A parameter moved while the editor was closed marks the preset as changed at the next opening.
    setPlain (ParameterIds::mix, 40.0f);
    auto& reopened = openEditor();
    EXPECT_TRUE (processor.presetChanged);
    EXPECT_TRUE (reopened.header->presetManager.changed);
    EXPECT_EQ (reopened.header->presetManager.currentPresetPath, file.getFullPathName());
}

TEST_F (EditorFixture, RestoredStateTreeGivesThePresetBarItsPreset)
{
    TemporaryFolder presets;
    auto file = presets / "Restored.preset";
    file.replaceWithText ("x");

    auto& e = openEditor();
    juce::ValueTree state ("params");
    juce::ValueTree info ("previousPresetInfo");
    info.setProperty ("PRES_FILE_PATH", file.getFullPathName(), nullptr);
    info.setProperty ("PRES_CHANGED", true, nullptr);
    state.appendChild (info, nullptr);
    processor.parameters.replaceState (state);

    EXPECT_EQ (e.header->presetManager.currentPresetPath, file.getFullPathName());
    EXPECT_TRUE (e.header->presetManager.changed);
}

TEST_F (EditorFixture, AdvancedButtonInTheHiddenViewOnlyFlipsItself)
{
    storeSectionPassword();
    processor.guiState = 2;
    auto& e = openEditor();
    const auto height = e.getHeight();

    e.header->viewButton.button.triggerClick();
    pumpMessages();
    EXPECT_TRUE (e.header->viewButton.button.getToggleState());
    EXPECT_EQ (processor.guiState, 2);
    EXPECT_EQ (e.sections.size(), 3);
    EXPECT_EQ (e.getHeight(), height);
}
