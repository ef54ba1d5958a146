#include "gui/FadeImageButton.h"

namespace OV
{
FadeImageButton::FadeImageButton (const juce::String& name)
    : juce::Component (name)
    , button (name)
{
    addAndMakeVisible (button);
    button.onStateChange = [this] { fadeToState(); };
}

void FadeImageButton::setFadeImages (const juce::Image& normalImage,
                                     const juce::Image& overImage,
                                     const juce::Image& downImage,
                                     float normalOpacity,
                                     float overOpacity,
                                     float downOpacity)
{
    const juce::Colour noOverlay;

    // The fading is done on the whole component, so the inner button draws every state fully opaque;
    // a hit-test threshold of 0 makes the whole rectangle clickable.
    button.setImages (false,
                      true,
                      true,
                      normalImage,
                      1.0f,
                      noOverlay,
                      overImage,
                      1.0f,
                      noOverlay,
                      downImage,
                      1.0f,
                      noOverlay,
                      0.0f);
    normalAlpha = normalOpacity;
    overAlpha = overOpacity;
    downAlpha = downOpacity;
}

float FadeImageButton::targetAlpha() const
{
    if (button.getToggleState() || button.getState() == juce::Button::buttonDown)
        return downAlpha;

    if (button.getState() == juce::Button::buttonOver)
        return overAlpha;

    return normalAlpha;
}

void FadeImageButton::fadeToState()
{
    const auto target = targetAlpha();

    if (! juce::approximatelyEqual (target, getAlpha()))
        juce::Desktop::getInstance()
            .getAnimator()
            .animateComponent (this, getBounds(), target, fadeMilliseconds, false, 0.0, 0.0);
}

void FadeImageButton::resized() { button.setBounds (getLocalBounds()); }

void FadeImageButton::moved() { button.setBounds (getLocalBounds()); }
} // namespace OV
