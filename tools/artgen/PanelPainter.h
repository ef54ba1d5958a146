#pragma once

#include "ArtSet.h"

/** The two front-panel backgrounds: the simple body (three channel strips between a black top band
    with the meter and trim wheels and a black reverb band) and the advanced body (space knobs,
    spring-tank lever with decay slider, tone and mix). Everything the controls do not draw is
    printed here: slots, scales, legends, screws and the unlit lamps, placed where the editor puts
    each control. */
class PanelPainter
{
public:
    static void render (ArtSet& out);

    static juce::Image paintSimple();
    static juce::Image paintAdvanced();

    /** A front-panel input socket (chrome nut and bushing) with its legend above it. */
    static void paintJack (juce::Graphics& g, juce::Point<float> centre, const juce::String& legend);
};
