#pragma once

#include "ArtSet.h"

/** The header, footer, menu and dialog pictures: cream line art on transparency, drawn for the
    0xFF222222 bands and the dark dialogs. */
class HeaderArtPainter
{
public:
    static void render (ArtSet& out);

    /** A side view of a coil spring, the product's mark, across the given area. */
    static void paintCoil (juce::Graphics& g, juce::Rectangle<float> area, int turns, float thickness, juce::Colour colour);
};
