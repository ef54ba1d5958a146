#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The input level lamp: one of 21 pictures, from full glow (frame 0) to dark (frame 20), chosen from
    the level in dB at every paint. The editor's timer repaints it. Message thread. */
class LevelMeter : public juce::Component
{
public:
    explicit LevelMeter (std::function<float()> source);

    /** The frame for a level: 2 dB steps from 0 down to -30 dB, then -33, -35, -45 and -50; anything
        at or below -50 dB, and a value that is not a number, is dark. */
    static int frameForLevel (float levelDb);

    void paint (juce::Graphics& g) override;

    std::function<float()> valueSource;
    juce::Image strip;
    int frameWidth = 116;
    int frameHeight = 53;

    static constexpr int numFrames = 21;
};
