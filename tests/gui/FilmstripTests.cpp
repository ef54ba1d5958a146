#include "gui/BoxLookAndFeel.h"
#include "gui/Filmstrip.h"
#include "gui/InvertedFilmstrip.h"
#include "gui/LevelMeter.h"
#include "gui/labelLookAndFeel.h"

#include <gtest/gtest.h>

namespace
{
void setUp (Filmstrip& f, int numFrames, float offsetStep, float skew = 1.0f, float frameWidth = 100.0f)
{
    f.numFrames = numFrames;
    f.offsetStep = offsetStep;
    f.skew = skew;
    f.frameWidth = frameWidth;
    f.frameHeight = 10.0f;
}

/** A strip whose frame k is a solid grey of level k, so a drawn pixel tells which frame was used. */
juce::Image numberedStrip (int numFrames, int frameWidth, int frameHeight)
{
    juce::Image image (juce::Image::ARGB, frameWidth, numFrames * frameHeight, true);
    juce::Graphics g (image);

    for (int k = 0; k < numFrames; ++k)
    {
        g.setColour (juce::Colour ((juce::uint8) k, (juce::uint8) k, (juce::uint8) k));
        g.fillRect (0, k * frameHeight, frameWidth, frameHeight);
    }

    return image;
}

juce::Image render (juce::Component& component)
{
    juce::Image image (juce::Image::ARGB, component.getWidth(), component.getHeight(), true);
    juce::Graphics g (image);
    component.paintEntireComponent (g, false);
    return image;
}
} // namespace

TEST (Filmstrip, FrameIndexRoundsUpSoOnlyTheMinimumSelectsFrameZero)
{
    Filmstrip f;
    setUp (f, 100, 4.5f);
    const struct
    {
        double proportion;
        int frame;
    } cases[] = { { 0.0, 0 }, { 0.001, 1 }, { 0.23, 23 }, { 0.5, 50 }, { 0.47, 47 }, { 1.0, 99 } };

    for (const auto& c : cases)
        EXPECT_EQ (f.placementFor (c.proportion, 0.0, 1.0, juce::Slider::LinearVertical).frame, c.frame)
            << c.proportion;
}

TEST (Filmstrip, VerticalCapRisesAndHorizontalCapMovesRight)
{
    Filmstrip f;
    setUp (f, 100, 4.5f);
    EXPECT_FLOAT_EQ (f.placementFor (0.0, 0.0, 100.0, juce::Slider::LinearVertical).y, 450.0f);
    EXPECT_FLOAT_EQ (f.placementFor (100.0, 0.0, 100.0, juce::Slider::LinearVertical).y, 4.5f);
    EXPECT_FLOAT_EQ (f.placementFor (23.0, 0.0, 100.0, juce::Slider::LinearHorizontal).x, 103.5f);
    EXPECT_FLOAT_EQ (f.placementFor (47.0, 0.0, 100.0, juce::Slider::LinearHorizontal).x, 211.5f);
    EXPECT_FLOAT_EQ (f.placementFor (100.0, 0.0, 100.0, juce::Slider::LinearHorizontal).x, 445.5f);
    // The tone fader's middle.
    EXPECT_FLOAT_EQ (f.placementFor (0.0, -100.0, 100.0, juce::Slider::LinearHorizontal).x, 225.0f);
}

TEST (Filmstrip, SkewFollowsTheParameterRangeOfTheTrimWheels)
{
    // "IN" -70..10 dB and "OUT" -70..6 dB at 0 dB.
    Filmstrip input, output;
    setUp (input, 100, 0.0f, 5.2f);
    setUp (output, 100, 0.0f, 8.2f);
    EXPECT_EQ (input.placementFor (0.0, -70.0, 10.0, juce::Slider::LinearVertical).frame, 50);
    EXPECT_EQ (output.placementFor (0.0, -70.0, 6.0, juce::Slider::LinearVertical).frame, 51);
}

TEST (Filmstrip, OneFrameHorizontalStripSlidesContinuously)
{
    // The decay cap: frame width 122, step 2, "DECAY" -10..10.
    Filmstrip f;
    setUp (f, 1, 2.0f, 1.0f, 122.0f);
    EXPECT_FLOAT_EQ (f.placementFor (-10.0, -10.0, 10.0, juce::Slider::LinearHorizontal).x, 0.0f);
    EXPECT_FLOAT_EQ (f.placementFor (-2.0, -10.0, 10.0, juce::Slider::LinearHorizontal).x, 97.6f);
    EXPECT_FLOAT_EQ (f.placementFor (0.0, -10.0, 10.0, juce::Slider::LinearHorizontal).x, 122.0f);
    EXPECT_FLOAT_EQ (f.placementFor (10.0, -10.0, 10.0, juce::Slider::LinearHorizontal).x, 244.0f);
}

TEST (Filmstrip, EmptyRangeSelectsTheFirstFrameInsteadOfDividingByZero)
{
    Filmstrip f;
    setUp (f, 100, 4.5f);
    const auto p = f.placementFor (5.0, 5.0, 5.0, juce::Slider::LinearVertical);
    EXPECT_EQ (p.frame, 0);
}

TEST (Filmstrip, DrawnSourceFramesOfNormalAndInvertedStrips)
{
    // Draws a slider and reads which frame landed at the offset the strip chose.
    const auto drawnFrame = [] (Filmstrip& lookAndFeel, double minimum, double maximum, double value)
    {
        juce::Slider slider (juce::Slider::LinearVertical, juce::Slider::NoTextBox);
        slider.setRange (minimum, maximum, 0.0);
        slider.setValue (value, juce::dontSendNotification);
        slider.setSize (20, 20);
        slider.setLookAndFeel (&lookAndFeel);
        const auto image = render (slider);
        slider.setLookAndFeel (nullptr);
        return (int) image.getPixelAt (1, 1).getRed();
    };

    InvertedFilmstrip tank;
    tank.image = numberedStrip (3, 20, 20);
    tank.frameWidth = tank.frameHeight = 20.0f;
    tank.numFrames = 3;
    EXPECT_EQ (drawnFrame (tank, 1.0, 3.0, 1.0), 2);
    EXPECT_EQ (drawnFrame (tank, 1.0, 3.0, 2.0), 1);
    EXPECT_EQ (drawnFrame (tank, 1.0, 3.0, 3.0), 0);

    InvertedFilmstrip input;
    input.image = numberedStrip (100, 20, 20);
    input.frameWidth = input.frameHeight = 20.0f;
    input.numFrames = 100;
    input.skew = 5.2f;
    EXPECT_EQ (drawnFrame (input, -70.0, 10.0, 0.0), 49);
    input.skew = 8.2f;
    EXPECT_EQ (drawnFrame (input, -70.0, 6.0, 0.0), 48);

    Filmstrip plain;
    plain.image = numberedStrip (100, 20, 20);
    plain.frameWidth = plain.frameHeight = 20.0f;
    plain.numFrames = 100;
    EXPECT_EQ (drawnFrame (plain, 0.0, 1.0, 0.5), 50);
}

TEST (Filmstrip, SwitchDrawsTheFirstFrameWhenOnAndNothingOffWithOneFrame)
{
    Filmstrip lamp;
    lamp.image = juce::Image (juce::Image::ARGB, 10, 10, true);
    lamp.image.clear (lamp.image.getBounds(), juce::Colours::orange);
    lamp.frameWidth = lamp.frameHeight = 10.0f;

    juce::ToggleButton button;
    button.setSize (10, 10);
    button.setLookAndFeel (&lamp);
    EXPECT_EQ (render (button).getPixelAt (5, 5).getAlpha(), 0);
    button.setToggleState (true, juce::dontSendNotification);
    EXPECT_EQ (render (button).getPixelAt (5, 5), juce::Colours::orange);

    // Without a picture nothing is drawn in either state, for switches and sliders alike.
    Filmstrip empty;
    button.setLookAndFeel (&empty);
    EXPECT_EQ (render (button).getPixelAt (5, 5).getAlpha(), 0);
    juce::Slider slider (juce::Slider::LinearVertical, juce::Slider::NoTextBox);
    slider.setSize (10, 10);
    slider.setLookAndFeel (&empty);
    EXPECT_EQ (render (slider).getPixelAt (5, 5).getAlpha(), 0);
    slider.setLookAndFeel (nullptr);
    button.setLookAndFeel (nullptr);
}

TEST (Filmstrip, MaskLimitsTheDrawnFrame)
{
    Filmstrip f;
    f.image = numberedStrip (1, 20, 20);
    f.image.clear (f.image.getBounds(), juce::Colours::red);
    f.frameWidth = f.frameHeight = 20.0f;
    f.maskImage = juce::Image (juce::Image::ARGB, 20, 20, true);
    f.maskImage.clear ({ 0, 0, 10, 20 }, juce::Colours::white);

    juce::Slider slider (juce::Slider::LinearHorizontal, juce::Slider::NoTextBox);
    slider.setSize (20, 20);
    slider.setLookAndFeel (&f);
    const auto image = render (slider);
    slider.setLookAndFeel (nullptr);
    EXPECT_EQ (image.getPixelAt (5, 10), juce::Colours::red);
    EXPECT_EQ (image.getPixelAt (15, 10).getAlpha(), 0);
}

TEST (LabelLookAndFeel, DisabledTextIsDimmedButTheOutlineIsNot)
{
    labelLookAndFeel lookAndFeel;
    juce::Label label;
    label.setLookAndFeel (&lookAndFeel);
    label.setSize (200, 60);
    label.setColour (juce::Label::backgroundColourId, juce::Colours::transparentBlack);
    label.setColour (juce::Label::textColourId, juce::Colours::white);
    label.setColour (juce::Label::outlineColourId, juce::Colours::white);
    label.setFont (juce::Font (50.0f));
    label.setText ("MMMMM", juce::dontSendNotification);
    label.setJustificationType (juce::Justification::centred);

    const auto brightest = [] (const juce::Image& image, juce::Rectangle<int> area)
    {
        int best = 0;
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                best = juce::jmax (best, (int) image.getPixelAt (x, y).getAlpha());
        return best;
    };

    const auto enabled = render (label);
    label.setEnabled (false);
    const auto disabled = render (label);
    label.setLookAndFeel (nullptr);

    const juce::Rectangle<int> textArea (60, 20, 80, 20), outline (90, 0, 20, 2);
    EXPECT_GT (brightest (enabled, textArea), 250);
    EXPECT_NEAR (brightest (disabled, textArea), 128, 3);
    EXPECT_EQ (brightest (disabled, outline), brightest (enabled, outline));
    EXPECT_GT (brightest (disabled, outline), 100);
}

TEST (BoxLookAndFeel, MenuOpensUpwardsAndTextDoesNotTakeClicks)
{
    BoxLookAndFeel lookAndFeel;
    juce::ComboBox box;
    box.addItemList ({ "8X", "4X" }, 1);
    box.setSelectedId (2);
    juce::Label label;
    label.setSize (10, 40);

    const auto options = lookAndFeel.getOptionsForComboBoxPopupMenu (box, label);
    EXPECT_EQ (options.getPreferredPopupDirection(), juce::PopupMenu::Options::PopupDirection::upwards);
    EXPECT_EQ (options.getTargetComponent(), &box);
    EXPECT_EQ (options.getItemThatMustBeVisible(), 2);
    EXPECT_EQ (options.getStandardItemHeight(), 40);
    EXPECT_EQ (options.getMaximumNumColumns(), 1);

    std::unique_ptr<juce::Label> text (lookAndFeel.createComboBoxTextBox (box));
    bool self = true, children = true;
    text->getInterceptsMouseClicks (self, children);
    EXPECT_FALSE (self);
    EXPECT_FALSE (children);
    EXPECT_FLOAT_EQ (lookAndFeel.getComboBoxFont (box).getHeight(), 60.0f);
}

TEST (LevelMeter, TwentyOneFramesFromStrictThresholds)
{
    const struct
    {
        float db;
        int frame;
    } cases[] = { { 0.5f, 0 },    { 0.0f, 1 },    { -2.0f, 2 },   { -1.9f, 1 },
                  { -29.9f, 15 }, { -30.0f, 16 }, { -31.0f, 16 }, { -33.0f, 17 },
                  { -34.0f, 17 }, { -35.0f, 18 }, { -40.0f, 18 }, { -45.0f, 19 },
                  { -49.9f, 19 }, { -50.0f, 20 }, { -60.0f, 20 }, { std::numeric_limits<float>::quiet_NaN(), 20 } };

    for (const auto& c : cases)
        EXPECT_EQ (LevelMeter::frameForLevel (c.db), c.frame) << c.db;

    // Every 2 dB step down to -30 dB.
    for (int frame = 0; frame <= 15; ++frame)
        EXPECT_EQ (LevelMeter::frameForLevel (-2.0f * (float) frame + 0.1f), frame);
}

TEST (LevelMeter, PaintsTheFrameOfTheCurrentLevel)
{
    float level = -60.0f;
    LevelMeter meter ([&level] { return level; });
    meter.strip = numberedStrip (21, 116, 53);
    meter.setSize (116, 53);

    EXPECT_EQ (render (meter).getPixelAt (50, 20).getRed(), 20);
    level = -3.0f;
    EXPECT_EQ (render (meter).getPixelAt (50, 20).getRed(), 2);

    meter.strip = {};
    EXPECT_EQ (render (meter).getPixelAt (50, 20).getAlpha(), 0);
}
