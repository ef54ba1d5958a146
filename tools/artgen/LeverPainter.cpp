#include "LeverPainter.h"
#include "ArtCommon.h"
#include "SecretLayout.h"

namespace
{
    void paintBall (juce::Graphics& g, juce::Point<float> centre, float radius)
    {
        const auto ball = juce::Rectangle<float> (radius * 2.0f, radius * 2.0f).withCentre (centre);
        juce::ColourGradient shine (juce::Colours::white, centre.translated (-radius * 0.35f, -radius * 0.4f),
                                    art::colours::chromeDark.darker (0.4f), ball.getBottomRight(), true);
        shine.addColour (0.45, art::colours::chromeMid);
        g.setGradientFill (shine);
        g.fillEllipse (ball);
        g.setColour (juce::Colours::black.withAlpha (0.6f));
        g.drawEllipse (ball, 1.2f);
    }

    /** Tapered bat from the bushing to the ball end; reach is negative upwards. */
    void paintBat (
        juce::Graphics& g, juce::Point<float> pivot, float reach, juce::Point<float> shadowOffset, float shadowSpread)
    {
        const auto tip = pivot.translated (0.0f, reach);
        juce::Path bat;
        bat.startNewSubPath (pivot.x - 11.0f, pivot.y);
        bat.lineTo (tip.x - 7.0f, tip.y);
        bat.lineTo (tip.x + 7.0f, tip.y);
        bat.lineTo (pivot.x + 11.0f, pivot.y);
        bat.closeSubPath();
        bat.addEllipse (juce::Rectangle<float> (22.0f, 22.0f).withCentre (pivot));

        juce::Path shadow (bat);
        shadow.addEllipse (juce::Rectangle<float> (28.0f, 28.0f).withCentre (tip));
        art::drawSoftShadow (g, shadow, shadowOffset, shadowSpread, 0.5f);

        juce::ColourGradient cylinder (art::colours::chromeDark,
                                       pivot.x - 11.0f,
                                       0.0f,
                                       art::colours::chromeDark.darker (0.5f),
                                       pivot.x + 11.0f,
                                       0.0f,
                                       false);
        cylinder.addColour (0.3, juce::Colours::white);
        cylinder.addColour (0.55, art::colours::chromeMid);
        g.setGradientFill (cylinder);
        g.fillPath (bat);
        g.setColour (juce::Colours::black.withAlpha (0.5f));
        g.strokePath (bat, juce::PathStrokeType (1.0f));

        paintBall (g, tip, 13.0f);
    }

    void paintNut (juce::Graphics& g, juce::Point<float> centre)
    {
        juce::Path hex;
        hex.addPolygon (centre, 6, 30.0f, juce::MathConstants<float>::pi / 6.0f);
        art::drawSoftShadow (g, hex, { 2.0f, 4.0f }, 4.0f, 0.5f);
        g.setGradientFill (juce::ColourGradient (art::colours::chromeLight, centre.translated (-26.0f, -26.0f),
                                                 art::colours::chromeDark, centre.translated (26.0f, 26.0f), false));
        g.fillPath (hex);
        g.setColour (juce::Colours::black.withAlpha (0.55f));
        g.strokePath (hex, juce::PathStrokeType (1.2f));

        // Threaded bushing inside the nut.
        const auto bush = juce::Rectangle<float> (34.0f, 34.0f).withCentre (centre);
        g.setGradientFill (juce::ColourGradient (art::colours::chromeDark, bush.getTopLeft(),
                                                 art::colours::chromeLight, bush.getBottomRight(), false));
        g.fillEllipse (bush);
        g.setColour (juce::Colour (0xff1a1a1a));
        g.fillEllipse (bush.reduced (7.0f));
    }
}

void LeverPainter::paintLever (juce::Graphics& g, juce::Point<float> pivot, int position)
{
    paintNut (g, pivot);

    if (position == 0)
    {
        // Pointing straight out: a short collar and the ball end facing the viewer.
        g.setColour (juce::Colours::black.withAlpha (0.35f));
        g.fillEllipse (juce::Rectangle<float> (40.0f, 40.0f).withCentre (pivot.translated (6.0f, 9.0f)));
        paintBall (g, pivot, 17.0f);
        return;
    }

    paintBat (g, pivot, position > 0 ? -82.0f : 82.0f, { 8.0f, 10.0f }, 6.0f);
}

void LeverPainter::paintToggle (juce::Graphics& g, juce::Point<float> pivot, bool up)
{
    // Shorter than the tank lever and with a tighter shadow: its cell is only a little taller than
    // the bat's reach.
    paintNut (g, pivot);
    paintBat (g, pivot, up ? -toggleLength : toggleLength, { 4.0f, 6.0f }, 4.0f);
}

void LeverPainter::render (ArtSet& out)
{
    constexpr int width = 290, height = 204;
    auto strip = art::makeImage (width, height * 3);
    {
        juce::Graphics g (strip);
        const int positions[] = { 1, 0, -1 };

        for (int i = 0; i < 3; ++i)
            paintLever (g, { pivotX, pivotY + (float) (i * height) }, positions[i]);
    }

    // The mask is the whole cell: the lever, its nut and its shadow may go anywhere inside it.
    auto mask = art::makeImage (292, 206);
    mask.clear (mask.getBounds(), juce::Colours::white);

    out.add ("tankSelectorStrip", strip);
    out.add ("tankSelectorMask", mask);

    // The hidden amplifier's switches: off (bat down) on top, on (bat up) below.
    for (const auto& control : secret::controls())
    {
        if (! control.isSwitch)
            continue;

        const auto cell = control.cell;
        auto toggles = art::makeImage (cell.getWidth(), cell.getHeight() * 2);
        juce::Graphics g (toggles);
        const auto pivot = secret::pivotOf (control) - cell.getPosition().toFloat();

        for (int frame = 0; frame < 2; ++frame)
        {
            g.saveState();
            g.reduceClipRegion (0, frame * cell.getHeight(), cell.getWidth(), cell.getHeight());
            paintToggle (g, pivot.translated (0.0f, (float) (frame * cell.getHeight())), frame == 1);
            g.restoreState();
        }

        out.add (control.role, toggles);
    }
}
