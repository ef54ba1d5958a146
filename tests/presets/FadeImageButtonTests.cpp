#include "gui/FadeImageButton.h"

#include <gtest/gtest.h>

// The preset bar's star and arrows are fade buttons; their artwork may not be embedded yet.
TEST (FadeImageButton, TargetOpacityFollowsTheStateAndNullImagesPaintNothing)
{
    OV::FadeImageButton fade;
    fade.setFadeImages ({}, {}, {}, 0.6f, 0.8f, 1.0f);
    fade.setBounds (10, 20, 83, 45);
    EXPECT_EQ (fade.button.getBounds(), juce::Rectangle<int> (0, 0, 83, 45));

    EXPECT_FLOAT_EQ (fade.targetAlpha(), 0.6f);
    fade.button.setState (juce::Button::buttonOver);
    EXPECT_FLOAT_EQ (fade.targetAlpha(), 0.8f);
    fade.button.setState (juce::Button::buttonNormal);
    fade.button.setToggleState (true, juce::dontSendNotification);
    EXPECT_FLOAT_EQ (fade.targetAlpha(), 1.0f);

    const auto snapshot = fade.createComponentSnapshot (fade.getLocalBounds());
    EXPECT_EQ (snapshot.getPixelAt (40, 20).getAlpha(), 0);
}
