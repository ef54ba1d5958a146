#pragma once

#include "ArtSet.h"

/** Rotating controls: the small skirted knobs of the advanced panel and the two knurled trim wheels
    in the top corners of the simple panel. Both turn in place, so each frame redraws the whole
    control at a new angle. */
class KnobStripPainter
{
public:
    static void render (ArtSet& out);

    /** Small knob: centre inside its 110 x 100 cell, and the pointer's sweep (radians from 12 o'clock). */
    static constexpr float knobCentreX = 55.0f, knobCentreY = 48.0f, knobRadius = 42.0f;
    static constexpr float sweepStart = -0.75f * juce::MathConstants<float>::pi;
    static constexpr float sweepEnd = 0.75f * juce::MathConstants<float>::pi;

    static void paintKnob (juce::Graphics& g, juce::Point<float> centre, float angle);

    /** Trim wheel seen edge-on in a 131 x 55 cell; turn 0..1 rolls its rim upwards. */
    static void paintTrimWheel (juce::Graphics& g, juce::Point<float> origin, float turn);
};
