#include "KnobStripPainter.h"
#include "ArtCommon.h"

void KnobStripPainter::paintKnob (juce::Graphics& g, juce::Point<float> centre, float angle)
{
    const auto r = knobRadius;
    juce::Path skirt;
    skirt.addEllipse (juce::Rectangle<float> (r * 2.0f, r * 2.0f).withCentre (centre));
    art::drawSoftShadow (g, skirt, { 0.0f, 3.5f }, 4.0f, 0.6f);

    // Black skirt with a knurled rim; the knurl turns with the knob.
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff4b4946), centre.translated (0.0f, -r),
                                             juce::Colour (0xff050505), centre.translated (0.0f, r), false));
    g.fillPath (skirt);

    constexpr int teeth = 40;
    for (int i = 0; i < teeth; ++i)
    {
        const auto a = angle + juce::MathConstants<float>::twoPi * (float) i / (float) teeth;
        const auto outer = centre.getPointOnCircumference (r - 1.0f, a);
        const auto inner = centre.getPointOnCircumference (r - 7.0f, a);
        // Teeth facing the light (top) read bright, those underneath stay dark.
        const auto lit = 0.5f + 0.5f * std::cos (a);
        g.setColour (juce::Colours::white.withAlpha (0.06f + 0.22f * lit));
        g.drawLine ({ inner, outer }, 1.6f);
    }

    // Domed cap with a machined ring.
    const auto cap = juce::Rectangle<float> (r * 1.34f, r * 1.34f).withCentre (centre);
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.fillEllipse (cap.expanded (2.0f).translated (0.0f, 1.5f));
    juce::ColourGradient dome (juce::Colour (0xff5b5955), cap.getCentre().translated (-r * 0.2f, -r * 0.3f),
                               juce::Colour (0xff0d0d0d), cap.getBottomRight(), true);
    g.setGradientFill (dome);
    g.fillEllipse (cap);
    g.setColour (juce::Colours::white.withAlpha (0.12f));
    g.drawEllipse (cap.reduced (4.0f), 1.0f);

    // Cream pointer line from the cap's centre over the skirt.
    const auto from = centre.getPointOnCircumference (r * 0.18f, angle);
    const auto to = centre.getPointOnCircumference (r - 3.0f, angle);
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.drawLine ({ from, to }, 6.5f);
    g.setColour (juce::Colour (0xfff3ead2));
    g.drawLine ({ from, to }, 4.0f);

    g.setColour (juce::Colours::black.withAlpha (0.8f));
    g.drawEllipse (juce::Rectangle<float> (r * 2.0f, r * 2.0f).withCentre (centre), 1.2f);
}

void KnobStripPainter::paintTrimWheel (juce::Graphics& g, juce::Point<float> origin, float turn)
{
    constexpr float width = 131.0f, height = 55.0f;
    const auto cell = juce::Rectangle<float> (width, height) + origin;
    const auto pi = juce::MathConstants<float>::pi;

    // The slot the wheel stands in.
    g.setColour (juce::Colour (0xff070707));
    g.fillRect (cell);

    const auto wheel = cell.reduced (7.0f, 0.0f);
    const auto radius = height * 0.55f;        // larger than half the slot: only the front of the rim shows
    const auto centreY = cell.getCentreY();
    // The painted mark rolls from near the lower edge of the slot to near the upper one, so the
    // wheel's setting can be read anywhere in its range.
    const auto markTravel = 0.35f * pi;
    const auto phase = (turn * 2.0f - 1.0f) * markTravel;
    constexpr int ridges = 26;              // coarse enough to stay visible when the editor is small
    constexpr int subSamples = 4;

    for (int row = 0; row < (int) height; ++row)
    {
        float shade = 0.0f, markCover = 0.0f;

        for (int s = 0; s < subSamples; ++s)
        {
            const auto y = (float) row + ((float) s + 0.5f) / (float) subSamples;
            const auto sine = juce::jlimit (-1.0f, 1.0f, (centreY - (cell.getY() + y)) / radius);
            const auto alpha = std::asin (sine);                  // angle on the rim, 0 facing the viewer
            const auto light = 0.35f + 0.6f * std::max (0.0f, std::cos (alpha - 0.6f));
            const auto rimAngle = alpha - phase;                    // 0 at the mark; the rim rolls upwards as it turns
            const auto frac = rimAngle * (float) ridges / (2.0f * pi) - std::floor (rimAngle * (float) ridges / (2.0f * pi));
            const auto groove = frac < 0.4f ? std::sin (frac / 0.4f * pi) : 0.0f;
            shade += light * (1.0f - 0.65f * groove);

            markCover += std::abs (rimAngle) < 0.09f ? 1.0f : 0.0f;
        }

        shade /= (float) subSamples;
        markCover /= (float) subSamples;
        const auto metal = juce::Colour::fromFloatRGBA (0.82f * shade, 0.82f * shade, 0.80f * shade, 1.0f);
        const auto y = cell.getY() + (float) row;
        g.setColour (metal);
        g.fillRect (juce::Rectangle<float> (wheel.getX(), y, wheel.getWidth(), 1.0f));

        if (markCover > 0.0f)
        {
            g.setColour (juce::Colour (0xfff3ead2).withAlpha (markCover));
            g.fillRect (juce::Rectangle<float> (wheel.getCentreX() - 16.0f, y, 32.0f, 1.0f));
        }
    }

    // Chamfered ends of the wheel, then the depth of the slot above and below the rim.
    for (auto side : { 0, 1 })
    {
        const auto edge = side == 0 ? wheel.getX() : wheel.getRight() - 10.0f;
        juce::ColourGradient fall (juce::Colours::black.withAlpha (side == 0 ? 0.65f : 0.0f), edge, 0.0f,
                                   juce::Colours::black.withAlpha (side == 0 ? 0.0f : 0.65f), edge + 10.0f, 0.0f, false);
        g.setGradientFill (fall);
        g.fillRect (juce::Rectangle<float> (edge, cell.getY(), 10.0f, height));
    }

    g.setGradientFill (juce::ColourGradient (juce::Colours::black.withAlpha (0.75f), 0.0f, cell.getY(),
                                             juce::Colours::black.withAlpha (0.0f), 0.0f, cell.getY() + 12.0f, false));
    g.fillRect (cell.withHeight (12.0f));
    g.setGradientFill (juce::ColourGradient (juce::Colours::black.withAlpha (0.0f), 0.0f, cell.getBottom() - 12.0f,
                                             juce::Colours::black.withAlpha (0.8f), 0.0f, cell.getBottom(), false));
    g.fillRect (cell.withTop (cell.getBottom() - 12.0f));
}

void KnobStripPainter::render (ArtSet& out)
{
    constexpr int frames = 100;

    auto knobs = art::makeImage (110, 100 * frames);
    {
        juce::Graphics g (knobs);

        for (int k = 0; k < frames; ++k)
        {
            const auto t = (float) k / (float) (frames - 1);
            paintKnob (g, { knobCentreX, knobCentreY + (float) (k * 100) }, sweepStart + t * (sweepEnd - sweepStart));
        }
    }
    out.add ("smallKnobMask", art::maskFromAlpha (knobs.getClippedImage ({ 0, 0, 110, 100 }), 110, 100, 1));
    out.add ("smallKnobStrip", knobs);

    // The wheels are drawn by an inverted strip: frame 0 shows the top of the range.
    for (auto role : { "inputTrimStrip", "outputTrimStrip" })
    {
        auto wheels = art::makeImage (131, 55 * frames);
        juce::Graphics g (wheels);

        for (int j = 0; j < frames; ++j)
            paintTrimWheel (g, { 0.0f, (float) (j * 55) }, (float) (frames - 1 - j) / (float) (frames - 1));

        out.add (role, wheels);
    }
}
