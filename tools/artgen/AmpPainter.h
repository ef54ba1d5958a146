#pragma once

#include "ArtSet.h"

/** The hidden section's valve amplifier: the head (black levant tolex, salt-and-pepper grille cloth
    with cream piping, the logo plate, a brushed gold control panel with its printed legends and
    dials) and the speaker cabinet it stands on. The body shows the head at full size; the cover
    scene shows the same head from afar, reduced from this one, so both pictures agree. */
class AmpPainter
{
public:
    /** The head alone, in body units on a transparent 3000 x 2055 layer, with empty control spots. */
    static const juce::Image& headLayer();

    /** The head with every control at its ordinary setting drawn in, as the cover scene shows it. */
    static juce::Image headWithControls();

    /** A speaker cabinet front (tolex border, piping, grille cloth, corner protectors) on a transparent
        layer of the given size; scale 1 is the body's size, the scene draws it at a quarter. */
    static juce::Image paintCabinet (int width, int height, float scale);

    /** The logo plate in its 231 x 189 cell; lit, its script glows from behind. */
    static void paintLogoPlate (juce::Graphics& g, juce::Rectangle<float> cell, bool lit);

    /** Relief of the leather grain at a pixel, about 1 (grainSize: pixels per grain). */
    static float tolexGrain (float x, float y, float grainSize);

    /** Woven salt-and-pepper cloth at a pixel (thread: pixels per thread). */
    static juce::Colour grilleCloth (float x, float y, float thread);

    static constexpr float headX = 150.0f, headY = 270.0f, headWidth = 2700.0f, headHeight = 992.0f;
    static constexpr float handleTop = 134.0f;
};
