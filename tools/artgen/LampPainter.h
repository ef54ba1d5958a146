#pragma once

#include "ArtSet.h"

/** The illuminated channel switches and the input meter lamp (brightest first, dark last). The panels call the same drawing
    with glow 0, so a lit picture lies exactly over the dark lamp printed on the background. */
class LampPainter
{
public:
    static void render (ArtSet& out);

    /** A channel switch (bezel, lens and engraved letter) in a 175 x 154 cell at origin; glow 0..1. */
    static void paintChannelLamp (juce::Graphics& g, juce::Point<float> origin, const juce::String& letter, float glow);

    /** The meter's pill-shaped lamp lens in a 116 x 53 cell at origin; glow 0..1. */
    static void paintMeterLens (juce::Graphics& g, juce::Point<float> origin, float glow);

    /** The chrome bezel the panel prints around the meter lens cell. */
    static void paintMeterBezel (juce::Graphics& g, juce::Point<float> origin);

    /** The hidden amplifier's pilot lamp: a faceted red jewel in a knurled chrome bezel; glow 0..1. */
    static void paintJewelLamp (juce::Graphics& g, juce::Point<float> centre, float glow);

    /** The lit jewel's halo on the panel; it fades out inside the lamp's 105-unit wide cell. */
    static constexpr float jewelHaloRadius = 50.0f;

    static constexpr int lampWidth = 175, lampHeight = 154;
    static constexpr int meterWidth = 116, meterHeight = 53, meterFrames = 21;
};
