#pragma once

#include "gui/GlobalMouseListener.h"

namespace OV
{
/** The drop-down under the header's logo: update, manual and about entries with icons. It closes on
    the next mouse press anywhere. Drawn in its own units; the editor scales it with the header.
    Message thread. */
class HeaderPopupMenu : public juce::Component
{
public:
    struct Entry
    {
        juce::Image icon;
        juce::String text;
        std::function<void()> action;
        bool enabled = true;
    };

    HeaderPopupMenu();

    /** The first entry's icon follows updateAvailable; the others are fixed. */
    void reloadIcons();

    /** Shows the menu and arms the listener that closes it. */
    void open() { mouseListener.open(); }

    /** The first entry after an update check: whether an update exists. */
    void setUpdateState (bool available);

    /** The entry's content rectangle for the menu's current size. */
    juce::Rectangle<double> entryArea (int index) const;

    /** The entry under a y position, or -1. */
    int entryIndexAt (double y) const;

    double getMenuHeight() const { return topPadding + entries.size() * itemHeight + topPadding; }

    void paint (juce::Graphics& g) override;
    void mouseMove (const juce::MouseEvent& event) override;
    void mouseExit (const juce::MouseEvent& event) override;
    void mouseDown (const juce::MouseEvent& event) override;

    /** Colour of an entry's text and icon: dim when disabled, brighter when hovered. */
    static juce::Colour entryColour (bool enabled, bool hovered);

    std::vector<Entry> entries;
    GlobalMouseListener<HeaderPopupMenu> mouseListener{ *this };
    juce::Font menuFont;
    int hoveredIndex = -1;
    bool updateAvailable = false;

    static constexpr double sidePadding = 32.0;
    static constexpr double topPadding = 28.0;
    static constexpr double itemInsetX = 40.0;
    static constexpr double itemInsetY = 36.0;
    static constexpr double itemHeight = 140.0;
    static constexpr double fontHeight = 60.0;
    static constexpr double menuWidth = 612.0;
    static constexpr double topOverlap = 24.0;

private:
    void setHovered (int index);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HeaderPopupMenu)
};
} // namespace OV
