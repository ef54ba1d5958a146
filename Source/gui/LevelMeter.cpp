#include "gui/LevelMeter.h"

LevelMeter::LevelMeter (std::function<float()> source)
    : valueSource (std::move (source))
{
    setInterceptsMouseClicks (false, false);
}

int LevelMeter::frameForLevel (float levelDb)
{
    static constexpr float thresholds[] = { 0.0f,   -2.0f,  -4.0f,  -6.0f,  -8.0f,  -10.0f, -12.0f,
                                            -14.0f, -16.0f, -18.0f, -20.0f, -22.0f, -24.0f, -26.0f,
                                            -28.0f, -30.0f, -33.0f, -35.0f, -45.0f, -50.0f };

    // Strict comparisons: a NaN matches none and falls through to the dark lamp.
    for (int frame = 0; frame < (int) std::size (thresholds); ++frame)
        if (levelDb > thresholds[frame])
            return frame;

    return numFrames - 1;
}

void LevelMeter::paint (juce::Graphics& g)
{
    if (! strip.isValid() || valueSource == nullptr)
        return;

    const auto frame = frameForLevel (valueSource());
    g.drawImage (strip, 0, 0, frameWidth, frameHeight, 0, frame * frameHeight, frameWidth, frameHeight);
}
