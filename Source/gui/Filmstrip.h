#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Draws a slider or switch as one frame of a vertical strip of pre-rendered pictures. The owner
    writes the fields before the control is first painted; one instance may serve several controls.
    Message thread. */
class Filmstrip : public juce::LookAndFeel_V4
{
public:
    /** Which frame a value selects and where that frame is drawn inside the control. */
    struct Placement
    {
        int frame = 0;
        float x = 0.0f;
        float y = 0.0f;
    };

    /** The frame and offset for a value in [minimum, maximum] drawn in the given slider style. The
        offsets of any other style keep the previous ones. */
    Placement placementFor (double value, double minimum, double maximum, juce::Slider::SliderStyle style) const;

    void drawToggleButton (juce::Graphics& g, juce::ToggleButton& button, bool highlighted, bool down) override;
    void drawLinearSlider (juce::Graphics& g,
                           int x,
                           int y,
                           int width,
                           int height,
                           float sliderPos,
                           float minSliderPos,
                           float maxSliderPos,
                           juce::Slider::SliderStyle style,
                           juce::Slider& slider) override;
    void drawRotarySlider (juce::Graphics& g,
                           int x,
                           int y,
                           int width,
                           int height,
                           float sliderPosProportional,
                           float rotaryStartAngle,
                           float rotaryEndAngle,
                           juce::Slider& slider) override;

    juce::Image image;
    float frameHeight = 0.0f;
    float frameWidth = 0.0f;
    juce::Image maskImage;
    int numFrames = 1;
    float offsetStep = 0.0f;
    float drawX = 0.0f;
    float drawY = 0.0f;
    float skew = 1.0f;
    float overlayOpacity = 0.0f;

protected:
    /** Draws the frame of the strip whose top row is sourceFrame, at the current offsets. */
    void drawSliderFrame (juce::Graphics& g, juce::Slider& slider, bool inverted);
};
