#pragma once

#include "ArtCommon.h"
#include "ArtSet.h"

/** The hidden section's cover: a dim club stage (velvet back curtain, a lighting truss with two cans
    burning, a wooden floor, a microphone stand in a pool of light) with the amplifier head on its
    cabinet at the right. The highlight is the amplifier's rectangle of the same scene with a spot
    light on the amplifier: identical to the scene along its border, so it lights up without a seam. */
class StageScenePainter
{
public:
    static void render (ArtSet& out);

    /** Red velvet folds across area, each fold about foldWidth pixels; pile adds the nap's fine
        grain (0 for a curtain out of focus). light gives the red, green and blue light at a pixel. */
    static void paintCurtain (juce::Image& image,
                              juce::Rectangle<int> area,
                              float foldWidth,
                              float pile,
                              const std::function<art::Vec3 (int, int)>& light);
};
