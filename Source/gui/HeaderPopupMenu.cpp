#include "gui/HeaderPopupMenu.h"

#include "gui/BoldFont.h"
#include "gui/ImageStore.h"

namespace OV
{
HeaderPopupMenu::HeaderPopupMenu()
{
    if (auto typeface = embeddedTypeface ("InterMedium_otf"))
        menuFont = juce::Font (typeface);

    menuFont.setHeight ((float) fontHeight);

    entries.push_back ({ {}, "Network failed", [] {}, false });
    entries.push_back ({ {}, "Manual", [] {}, true });
    entries.push_back ({ {}, "About", [] {}, true });
    reloadIcons();
}

void HeaderPopupMenu::reloadIcons()
{
    entries[0].icon = ImageStore::get (updateAvailable ? "updateIcon" : "upToDateIcon");
    entries[1].icon = ImageStore::get ("manualIcon");
    entries[2].icon = ImageStore::get ("aboutIcon");
}

void HeaderPopupMenu::setUpdateState (bool available)
{
    updateAvailable = available;
    entries[0].text = available ? "Update now!" : "Up to date!";
    entries[0].enabled = available;
    reloadIcons();
    repaint();
}

juce::Rectangle<double> HeaderPopupMenu::entryArea (int index) const
{
    const double w = getWidth();
    const double h = getHeight();
    const double top = juce::jmin (h, topOverlap) + topPadding;
    double rest = juce::jmax (0.0, h - juce::jmin (h, topOverlap) - 2 * topPadding);
    const double contentX = sidePadding + itemInsetX;
    const double contentW = juce::jmax (0.0, w - 2 * sidePadding) - 2 * itemInsetX;
    double y = top;

    for (int i = 0; i < (int) entries.size(); ++i)
    {
        const double s = juce::jmin (rest, itemHeight);

        if (i == index)
            return { contentX, y + itemInsetY, contentW, s - 2 * itemInsetY };

        y += s;
        rest -= s;
    }

    return {};
}

int HeaderPopupMenu::entryIndexAt (double y) const
{
    const int off = (int) (y - topOverlap - topPadding);
    const int n = (int) entries.size();

    if (off < 0 || off > n * itemHeight)
        return -1;

    // The very bottom edge gives n, which is no entry.
    const int index = (int) (off / itemHeight);
    return index < n ? index : -1;
}

juce::Colour HeaderPopupMenu::entryColour (bool enabled, bool hovered)
{
    return juce::Colour (enabled ? (hovered ? 0xbffaf2e3 : 0x80faf2e3) : 0x40faf2e3);
}

void HeaderPopupMenu::paint (juce::Graphics& g)
{
    g.setColour (juce::Colour (0xcc222222));
    g.fillRoundedRectangle (getLocalBounds().toFloat(), (float) topOverlap);

    for (int i = 0; i < (int) entries.size(); ++i)
    {
        const auto& entry = entries[(size_t) i];
        const auto area = entryArea (i).toFloat();

        if (area.getHeight() <= 0.0f)
            continue;

        const auto colour = entryColour (entry.enabled, i == hoveredIndex);
        const auto q = juce::jmin (area.getWidth(), area.getHeight());

        if (entry.icon.isValid())
        {
            g.setOpacity (colour.getFloatAlpha());
            g.drawImage (entry.icon, area.withWidth (q), juce::RectanglePlacement::centred);
        }

        const auto gap = juce::jmin (area.getWidth() - q, (float) itemInsetX);
        g.setColour (colour);
        g.setFont (menuFont);
        g.drawText (entry.text, area.withTrimmedLeft (q + gap), juce::Justification::centredLeft, true);
    }
}

void HeaderPopupMenu::setHovered (int index)
{
    if (index != hoveredIndex)
    {
        hoveredIndex = index;
        repaint();
    }
}

void HeaderPopupMenu::mouseMove (const juce::MouseEvent& event) { setHovered (entryIndexAt (event.position.y)); }

void HeaderPopupMenu::mouseExit (const juce::MouseEvent&) { setHovered (-1); }

void HeaderPopupMenu::mouseDown (const juce::MouseEvent& event)
{
    if (! event.mods.isLeftButtonDown())
        return;

    if (hoveredIndex >= 0 && hoveredIndex < (int) entries.size())
    {
        const auto& entry = entries[(size_t) hoveredIndex];

        if (entry.enabled && entry.action)
            entry.action();
    }
}
} // namespace OV
