#include "EditorFixture.h"

#include "gui/StatusText.h"

TEST (StatusText, SimpleBodyRulesFirstMatchWins)
{
    using S = StatusText::Simple;
    const auto with = [] (bool a, bool b, bool c)
    {
        S s;
        s.channelAOn = a;
        s.channelBOn = b;
        s.channelCOn = c;
        return s;
    };
    const auto hoverA = [] (S s)
    {
        s.lampAHovered = true;
        return s;
    };
    const auto hoverB = [] (S s)
    {
        s.lampBHovered = true;
        return s;
    };
    const auto hoverC = [] (S s)
    {
        s.lampCHovered = true;
        return s;
    };

    const std::pair<S, const char*> cases[] = {
        { hoverA (with (false, false, false)), "Turn ON Channel A" },
        { hoverA (with (true, false, false)), "Turn OFF Channel A" },
        { hoverB (with (false, false, false)), "Turn ON Channel B" },
        { hoverB (with (true, false, false)), "Daisy chain channel B" },
        { hoverB (with (false, true, false)), "Turn OFF Channel B" },
        { hoverC (with (false, false, false)), "Turn ON Channel C" },
        { hoverC (with (true, false, false)), "Daisy chain channel C" },
        { hoverC (with (false, true, false)), "Turn ON Channel C" },
        { hoverC (with (true, true, true)), "Turn OFF Channel C" },
        { with (true, true, true), "" },
    };

    for (const auto& [state, text] : cases)
        EXPECT_EQ (StatusText::forSimple (state), text);

    // Controls without a lamp rule, each alone.
    const std::pair<bool S::*, const char*> controls[] = {
        { &S::reverbAmountHovered, "Reverb amount" },       { &S::reverbDriveHovered, "Reverb drive" },
        { &S::inputTrimHovered, "Adjust the input level" }, { &S::outputTrimHovered, "Adjust the output level" },
        { &S::faderAHovered, "Channel A level" },           { &S::faderBHovered, "Channel B level" },
        { &S::faderCHovered, "Channel C level" },
    };

    for (const auto& [member, text] : controls)
    {
        S s;
        s.*member = true;
        EXPECT_EQ (StatusText::forSimple (s), text);
    }
}

TEST (StatusText, AdvancedBodyRulesAndTheOversamplingBox)
{
    using A = StatusText::Advanced;
    const std::pair<int, const char*> tanks[] = { { 1, "Spring tank: Accutronics" },
                                                  { 2, "Spring tank: Belton" },
                                                  { 3, "Spring tank: Coilvox" } };

    for (const auto& [value, text] : tanks)
    {
        A a;
        a.tankHovered = true;
        a.tankValue = value;
        EXPECT_EQ (StatusText::forAdvanced (a), text);
    }

    const std::pair<bool A::*, const char*> controls[] = {
        { &A::decayHovered, "Adjust reverb decay" }, { &A::mixHovered, "Unit mix" },
        { &A::toneHovered, "Overall EQ" },           { &A::preDelayHovered, "Reverb pre-delay" },
        { &A::widthHovered, "Reverb width" },
    };

    for (const auto& [member, text] : controls)
    {
        A a;
        a.*member = true;
        EXPECT_EQ (StatusText::forAdvanced (a), text);
    }

    EXPECT_EQ (StatusText::forAdvanced ({}), "");
    EXPECT_EQ (StatusText::compose (true, "Reverb amount", ""), "Oversampling");
    EXPECT_EQ (StatusText::compose (false, "Reverb amount", ""), "Reverb amount");
    EXPECT_EQ (StatusText::compose (false, "", ""), "");
}

TEST_F (EditorFixture, HiddenBodiesAreNeverHovered)
{
    auto& e = openEditor();
    EXPECT_FALSE (e.advancedBody->isShowing());
    const auto state = StatusText::stateOf (*e.advancedBody);
    EXPECT_FALSE (state.tankHovered || state.decayHovered || state.mixHovered);
    EXPECT_EQ (state.tankValue, 3);
}

TEST_F (EditorFixture, HeaderMenuEntriesGeometryAndHover)
{
    auto& menu = openEditor().headerPopupMenu;
    ASSERT_EQ (menu.entries.size(), 3u);
    EXPECT_EQ (menu.entries[0].text, "Network failed");
    EXPECT_FALSE (menu.entries[0].enabled);
    EXPECT_DOUBLE_EQ (menu.getMenuHeight(), 476.0);

    // The menu's own units: it overlaps the header by 24.
    menu.setSize (612, 500);
    using R = juce::Rectangle<double>;
    EXPECT_EQ (menu.entryArea (0), R (72, 88, 468, 68));
    EXPECT_EQ (menu.entryArea (1), R (72, 228, 468, 68));
    EXPECT_EQ (menu.entryArea (2), R (72, 368, 468, 68));

    const std::pair<double, int> hovers[] = { { 51, -1 }, { 52, 0 },   { 191, 0 }, { 192, 1 },
                                              { 471, 2 }, { 472, -1 }, { 499, -1 } };

    for (const auto& [y, index] : hovers)
        EXPECT_EQ (menu.entryIndexAt (y), index) << y;

    EXPECT_EQ (OV::HeaderPopupMenu::entryColour (false, true).getAlpha(), 0x40);
    EXPECT_EQ (OV::HeaderPopupMenu::entryColour (true, false).getAlpha(), 0x80);
    EXPECT_EQ (OV::HeaderPopupMenu::entryColour (true, true).getAlpha(), 0xbf);

    menu.mouseMove (mouseAt (menu, { 100.0f, 250.0f }));
    EXPECT_EQ (menu.hoveredIndex, 1);
    menu.mouseExit (mouseAt (menu, { 100.0f, 600.0f }));
    EXPECT_EQ (menu.hoveredIndex, -1);

    menu.setUpdateState (false);
    EXPECT_EQ (menu.entries[0].text, "Up to date!");
    EXPECT_FALSE (menu.entries[0].enabled);
    menu.setUpdateState (true);
    EXPECT_EQ (menu.entries[0].text, "Update now!");
    EXPECT_TRUE (menu.entries[0].enabled);
}

TEST_F (EditorFixture, HeaderMenuOpensFromTheLogoAndClosesOnTheNextPress)
{
    auto& e = openEditor();
    auto& menu = e.headerPopupMenu;
    EXPECT_FALSE (menu.isVisible());

    e.header->logoButton.button.triggerClick();
    pumpMessages();
    EXPECT_TRUE (menu.isVisible());

    // A press on the disabled first entry does nothing but closes the menu.
    menu.mouseMove (mouseAt (menu, { 100.0f, 100.0f }));
    menu.mouseDown (mouseAt (menu, { 100.0f, 100.0f }));
    menu.mouseListener.mouseDown (mouseAt (menu, { 100.0f, 100.0f }));
    EXPECT_FALSE (menu.isVisible());
    EXPECT_FALSE (e.modalBackdrop.isVisible());

    // "About": the entry runs, then the same press closes the menu.
    menu.open();
    menu.mouseMove (mouseAt (menu, { 100.0f, 400.0f }));
    menu.mouseDown (mouseAt (menu, { 100.0f, 400.0f }));
    menu.mouseListener.mouseDown (mouseAt (menu, { 100.0f, 400.0f }));
    EXPECT_FALSE (menu.isVisible());
    EXPECT_TRUE (e.modalBackdrop.isVisible());
    EXPECT_TRUE (e.aboutModal.isVisible());
    EXPECT_EQ (e.aboutModal.titleText, "Vantorra Coilvox Version 1.2.2");

    // The dialog's close button hides it and the backdrop.
    e.aboutModal.closeButton.triggerClick();
    pumpMessages();
    EXPECT_FALSE (e.aboutModal.isVisible());
    EXPECT_FALSE (e.modalBackdrop.isVisible());

    // A press anywhere else closes it too.
    menu.open();
    menu.mouseListener.mouseDown (mouseAt (*e.simpleBody, { 10.0f, 10.0f }));
    EXPECT_FALSE (menu.isVisible());
}

TEST_F (EditorFixture, UpdateNoticeText)
{
    auto& notice = openEditor().updateModal;
    notice.latestVersion = "1.3.0";
    EXPECT_EQ (notice.getNoticeText(),
               "An update is available!\nClick the Orvalen logo, then select \"Update now\" from the menu.\n\n"
               "Latest version: 1.3.0\nYour version: 1.2.2");
}
