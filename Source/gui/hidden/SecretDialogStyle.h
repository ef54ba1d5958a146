#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** What the hidden section's three dialogs share: their colours, their font, their icons and their
    rounded buttons. Message thread. */
struct SecretDialogStyle
{
    static constexpr juce::uint32 cream = 0xfffaf3e3;
    static constexpr juce::uint32 grey = 0xff9b9b9b;
    static constexpr juce::uint32 hoverGrey = 0x4c9b9b9b;
    static constexpr juce::uint32 errorRed = 0xff8c0f09;
    static constexpr juce::uint32 white = 0xffffffff;

    /** The embedded Inter Medium at a height (the default typeface when it is not embedded). */
    static juce::Font mediumFont (float height);

    /** A picture scaled to fit and centred in an area: its own colours at the colour's opacity, or,
        with tint, its shape filled with the colour. A null picture draws nothing. */
    static void
    drawIcon (juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> area, juce::Colour colour, bool tint);

    /** A rounded button's grey outline (line width 1), filled in hover grey underneath while hovered. */
    static void drawButtonFrame (juce::Graphics& g, juce::Rectangle<float> area, float cornerRadius, bool hovered);

    /** Whether a pointer position lies within an area whose edges count as inside. */
    static bool isWithin (juce::Point<int> position, juce::Rectangle<int> inclusiveArea);
};
