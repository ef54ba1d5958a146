#pragma once

#include "ArtSet.h"

/** The three-position tank lever: a chrome bat toggle, up, centre (pointing at the viewer) and down.
    The strip's first frame is the top position, since the editor reads it upside down. */
class LeverPainter
{
public:
    static void render (ArtSet& out);

    /** Pivot inside the 290 x 204 cell; the panel prints the mounting plate around it. */
    static constexpr float pivotX = 145.0f, pivotY = 102.0f;

    /** position: +1 up, 0 centre, -1 down. */
    static void paintLever (juce::Graphics& g, juce::Point<float> pivot, int position);

    /** The hidden amplifier's two-way toggle: the same nut and bat, shorter, up for on. */
    static void paintToggle (juce::Graphics& g, juce::Point<float> pivot, bool up);

    /** How far the toggle's bat reaches from its pivot to the centre of its ball end. */
    static constexpr float toggleLength = 70.0f;
};
