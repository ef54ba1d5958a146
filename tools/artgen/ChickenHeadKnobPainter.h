#pragma once

#include "ArtSet.h"

/** The hidden amplifier's chicken-head knobs: a black bakelite pointer on a round skirt, an ivory
    index line along its nose. Each knob is shaded pixel by pixel from a height field, so the room
    light, the highlights and the cast shadow stay where they are while the knob turns. */
class ChickenHeadKnobPainter
{
public:
    static void render (ArtSet& out);

    /** Draws one knob over image (premultiplied, "over"), touching nothing outside clip.
        angle: radians clockwise from 12 o'clock; radius: from the centre to the pointer's tip. */
    static void
    paintKnob (juce::Image& image, juce::Rectangle<int> clip, juce::Point<float> centre, float radius, float angle);

    /** How far the knob and its shadow reach from the centre, in knob radii. */
    static constexpr float reach = 1.3f;
};
