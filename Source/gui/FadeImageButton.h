#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace OV
{
/** An image button that fades the whole component to an opacity per state (idle, mouse over,
    pressed or toggled on) over 250 ms. A null image simply draws nothing. Message thread. */
class FadeImageButton : public juce::Component
{
public:
    explicit FadeImageButton (const juce::String& name = {});

    /** Gives the three images to the inner button and stores the three opacities. The component's own
        start opacity is set separately with setAlpha. */
    void setFadeImages (const juce::Image& normalImage,
                        const juce::Image& overImage,
                        const juce::Image& downImage,
                        float normalOpacity,
                        float overOpacity,
                        float downOpacity);

    /** The opacity the button's current state asks for. */
    float targetAlpha() const;

    void resized() override;
    void moved() override;

    juce::ImageButton button;
    float normalAlpha = 1.0f;
    float overAlpha = 1.0f;
    float downAlpha = 1.0f;

private:
    static constexpr int fadeMilliseconds = 250;

    void fadeToState();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FadeImageButton)
};
} // namespace OV
