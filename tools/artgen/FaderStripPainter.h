#pragma once

#include "ArtSet.h"

/** The fader caps: channel, reverb, tone and mix strips with their masks, and the decay cap.
    The editor moves each frame along its slot by 4.5 units per frame, so every frame draws its cap
    at the same place in the cell; what changes from frame to frame is the reflection of the
    overhead light in the cap's dished top, which slides as the cap travels. */
class FaderStripPainter
{
public:
    static void render (ArtSet& out);

    /** Where each cap's centre sits inside its frame; the panels print their slots to match. */
    static constexpr float channelCapX = 135.0f, channelCapY = 112.0f;
    static constexpr float reverbCapX = 132.0f, reverbCapY = 66.0f;
    static constexpr float toneCapX = 136.0f, toneCapY = 78.0f;
    static constexpr float mixCapX = 125.0f, mixCapY = 78.0f;
    static constexpr float decayCapX = 46.0f, decayCapY = 32.0f;

    /** Distance a cap travels per frame index, and the frame count of every fader strip. */
    static constexpr float offsetStep = 4.5f;
    static constexpr int numFrames = 100;

    enum class Finish { aluminium, bakelite };

    /** One cap: long axis across the direction of travel; travel 0..1 places the reflection. */
    static void paintCap (juce::Graphics& g, juce::Point<float> centre, float width, float height,
                          bool travelsVertically, Finish finish, juce::Colour indexColour, float travel);
};
