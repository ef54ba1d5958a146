#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The rounded value read-outs shown while a control is dragged. The owner sets the label's
    background, text and outline colours on the instance. Message thread. */
class labelLookAndFeel : public juce::LookAndFeel_V4
{
public:
    void drawLabel (juce::Graphics& g, juce::Label& label) override;

    static constexpr float cornerSize = 20.0f;
};
