#include "HeaderArtPainter.h"
#include "ArtCommon.h"

namespace
{
    const auto ink = art::colours::headerText;

    juce::PathStrokeType roundStroke (float width)
    {
        return juce::PathStrokeType (width, juce::PathStrokeType::curved, juce::PathStrokeType::rounded);
    }

    /** Letters set around a circle, centred on angle (radians from 12 o'clock), reading clockwise. */
    void drawTextOnArc (juce::Graphics& g, const juce::String& text, juce::Font font, juce::Point<float> centre,
                        float radius, float angle, bool insideBottom)
    {
        const auto letterAngle = [&] (juce::juce_wchar c) { return font.getStringWidthFloat (juce::String::charToString (c)) * 1.25f / radius; };
        float total = 0.0f;
        for (auto c : text)
            total += letterAngle (c);

        float a = angle + (insideBottom ? total * 0.5f : -total * 0.5f);
        g.setFont (font);

        for (auto c : text)
        {
            const auto step = letterAngle (c);
            const auto mid = a + (insideBottom ? -step * 0.5f : step * 0.5f);
            const auto letterCentre = centre.getPointOnCircumference (radius, mid);
            const auto rotation = insideBottom ? mid + juce::MathConstants<float>::pi : mid;
            juce::GlyphArrangement glyph;
            glyph.addLineOfText (font, juce::String::charToString (c), 0.0f, 0.0f);
            const auto box = glyph.getBoundingBox (0, -1, true);
            glyph.draw (g, juce::AffineTransform::translation (-box.getCentreX(), -box.getCentreY())
                               .rotated (rotation).translated (letterCentre));
            a += insideBottom ? -step : step;
        }
    }

    juce::Image logo()
    {
        auto image = art::makeImage (323, 75);
        juce::Graphics g (image);
        HeaderArtPainter::paintCoil (g, { 4.0f, 14.0f, 70.0f, 47.0f }, 5, 3.2f, ink);
        art::drawLegend (g, "VANTORRA", art::Fonts::medium (18.0f), ink.withAlpha (0.85f), { 87.0f, 4.0f, 230.0f, 22.0f },
                         juce::Justification::left, 0.45f);
        art::drawLegend (g, "COILVOX", art::Fonts::bold (44.0f), ink, { 84.0f, 22.0f, 239.0f, 48.0f },
                         juce::Justification::left, 0.09f);
        return image;
    }

    juce::Image viewButton (bool on)
    {
        auto image = art::makeImage (366, 75);
        juce::Graphics g (image);

        // Pilot dot: lit amber when the advanced panel is open.
        const juce::Rectangle<float> dot (12.0f, 29.0f, 17.0f, 17.0f);
        if (on)
            art::fillGlow (g, dot.getCentre(), 18.0f, 18.0f, art::colours::headerAmber, 0.6f);
        g.setColour (on ? art::colours::headerAmber : ink.withAlpha (0.25f));
        g.fillEllipse (dot);

        art::drawLegend (g, "ADVANCED", art::Fonts::medium (38.0f), ink, { 44.0f, 10.0f, 260.0f, 55.0f },
                         juce::Justification::centredLeft, 0.18f);

        juce::Path chevron;
        const auto cx = 332.0f, cy = 37.5f;
        if (on)
        {
            chevron.startNewSubPath (cx - 15.0f, cy + 8.0f);
            chevron.lineTo (cx, cy - 7.0f);
            chevron.lineTo (cx + 15.0f, cy + 8.0f);
        }
        else
        {
            chevron.startNewSubPath (cx - 15.0f, cy - 7.0f);
            chevron.lineTo (cx, cy + 8.0f);
            chevron.lineTo (cx + 15.0f, cy - 7.0f);
        }
        g.setColour (ink);
        g.strokePath (chevron, roundStroke (4.5f));
        return image;
    }

    juce::Image updateIcon()
    {
        auto image = art::makeImage (96, 75);
        juce::Graphics g (image);
        const juce::Point<float> c (48.0f, 37.5f);
        art::fillGlow (g, c, 40.0f, 34.0f, art::colours::headerAmber, 0.35f);
        g.setColour (art::colours::headerAmber);
        g.drawEllipse (juce::Rectangle<float> (58.0f, 58.0f).withCentre (c), 4.0f);

        juce::Path arrow;
        arrow.startNewSubPath (c.x, c.y - 17.0f);
        arrow.lineTo (c.x, c.y + 13.0f);
        arrow.startNewSubPath (c.x - 12.0f, c.y + 2.0f);
        arrow.lineTo (c.x, c.y + 14.0f);
        arrow.lineTo (c.x + 12.0f, c.y + 2.0f);
        g.strokePath (arrow, roundStroke (5.0f));
        return image;
    }

    juce::Image upToDateIcon()
    {
        auto image = art::makeImage (90, 75);
        juce::Graphics g (image);
        const juce::Point<float> c (45.0f, 37.5f);
        g.setColour (ink);
        g.drawEllipse (juce::Rectangle<float> (58.0f, 58.0f).withCentre (c), 4.0f);

        juce::Path tick;
        tick.startNewSubPath (c.x - 14.0f, c.y + 1.0f);
        tick.lineTo (c.x - 4.0f, c.y + 11.0f);
        tick.lineTo (c.x + 15.0f, c.y - 10.0f);
        g.strokePath (tick, roundStroke (5.0f));
        return image;
    }

    juce::Image manualIcon()
    {
        auto image = art::makeImage (66, 75);
        juce::Graphics g (image);
        juce::Path page;
        page.startNewSubPath (12.0f, 8.0f);
        page.lineTo (40.0f, 8.0f);
        page.lineTo (54.0f, 22.0f);
        page.lineTo (54.0f, 67.0f);
        page.lineTo (12.0f, 67.0f);
        page.closeSubPath();
        page.startNewSubPath (40.0f, 8.0f);
        page.lineTo (40.0f, 22.0f);
        page.lineTo (54.0f, 22.0f);
        g.setColour (ink);
        g.strokePath (page, juce::PathStrokeType (4.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::rounded));

        for (int i = 0; i < 4; ++i)
            g.fillRoundedRectangle (20.0f, 31.0f + 8.5f * (float) i, i == 3 ? 16.0f : 26.0f, 3.5f, 1.5f);
        return image;
    }

    juce::Image aboutIcon()
    {
        auto image = art::makeImage (75, 75);
        juce::Graphics g (image);
        const juce::Point<float> c (37.5f, 37.5f);
        g.setColour (ink);
        g.drawEllipse (juce::Rectangle<float> (58.0f, 58.0f).withCentre (c), 4.0f);
        g.fillEllipse (juce::Rectangle<float> (7.0f, 7.0f).withCentre (c.translated (0.0f, -14.0f)));
        g.fillRoundedRectangle (juce::Rectangle<float> (6.0f, 22.0f).withCentre (c.translated (0.0f, 6.0f)), 2.5f);
        return image;
    }

    juce::Image closeIcon()
    {
        auto image = art::makeImage (38, 38);
        juce::Graphics g (image);
        juce::Path cross;
        cross.startNewSubPath (8.0f, 8.0f);
        cross.lineTo (30.0f, 30.0f);
        cross.startNewSubPath (30.0f, 8.0f);
        cross.lineTo (8.0f, 30.0f);
        g.setColour (ink);
        g.strokePath (cross, roundStroke (4.0f));
        return image;
    }

    juce::Image secretIcon()
    {
        // A valve: the amplifier that lives behind the hidden panel.
        auto image = art::makeImage (70, 73);
        juce::Graphics g (image);
        juce::Path glass;
        glass.startNewSubPath (21.0f, 54.0f);
        glass.lineTo (21.0f, 22.0f);
        glass.cubicTo (21.0f, 8.0f, 49.0f, 8.0f, 49.0f, 22.0f);
        glass.lineTo (49.0f, 54.0f);
        glass.closeSubPath();
        g.setColour (ink);
        g.strokePath (glass, roundStroke (3.5f));
        g.fillRoundedRectangle (17.0f, 54.0f, 36.0f, 8.0f, 2.0f);

        for (auto x : { 26.0f, 35.0f, 44.0f })
            g.fillRect (x - 1.5f, 62.0f, 3.0f, 7.0f);

        // Plate and the glowing filament.
        g.drawRect (juce::Rectangle<float> (28.0f, 26.0f, 14.0f, 20.0f), 2.5f);
        art::fillGlow (g, { 35.0f, 37.0f }, 10.0f, 10.0f, art::colours::headerAmber, 0.7f);
        return image;
    }

    juce::Image footerMark()
    {
        // The maker's mark: a ring with a spring coiled through it.
        auto image = art::makeImage (84, 75);
        juce::Graphics g (image);
        const juce::Point<float> c (42.0f, 37.5f);
        g.setColour (ink);
        g.drawEllipse (juce::Rectangle<float> (62.0f, 62.0f).withCentre (c), 4.5f);
        HeaderArtPainter::paintCoil (g, juce::Rectangle<float> (44.0f, 26.0f).withCentre (c), 4, 2.6f, ink);
        return image;
    }

    // The hidden section's dialog icons: plain white shapes, tinted by the dialogs and drawn small.
    const auto dialogWhite = juce::Colours::white;

    /** Clears the image wherever the filled or stroked shape covers it (the framework has no
        erasing brush), for holes cut through a white shape. */
    void cutOut (juce::Image& image, const juce::Path& shape, float strokeWidth = 0.0f)
    {
        auto cut = art::makeImage (image.getWidth(), image.getHeight());
        {
            juce::Graphics c (cut);
            c.setColour (juce::Colours::white);

            if (strokeWidth > 0.0f)
                c.strokePath (shape, juce::PathStrokeType (strokeWidth));
            else
                c.fillPath (shape);
        }

        art::mapPixels (image,
                        image.getBounds(),
                        [&cut] (int x, int y, juce::Colour colour)
                        { return colour.withMultipliedAlpha (1.0f - cut.getPixelAt (x, y).getFloatAlpha()); });
    }

    juce::Image chevronIcon()
    {
        auto image = art::makeImage (105, 193);
        juce::Graphics g (image);
        juce::Path chevron;
        chevron.startNewSubPath (24.0f, 20.0f);
        chevron.lineTo (82.0f, 96.5f);
        chevron.lineTo (24.0f, 173.0f);
        g.setColour (dialogWhite);
        g.strokePath (chevron, roundStroke (30.0f));
        return image;
    }

    juce::Image openLockIcon()
    {
        auto image = art::makeImage (71, 90);
        juce::Graphics g (image);
        g.setColour (dialogWhite);

        // The shackle stands raised with its free leg clear of the body: unlocked.
        juce::Path shackle;
        shackle.startNewSubPath (19.5f, 44.0f);
        shackle.lineTo (19.5f, 22.0f);
        shackle.addCentredArc (35.5f,
                               22.0f,
                               16.0f,
                               16.0f,
                               0.0f,
                               -juce::MathConstants<float>::halfPi,
                               juce::MathConstants<float>::halfPi);
        shackle.lineTo (51.5f, 29.0f);
        g.strokePath (shackle, juce::PathStrokeType (9.0f, juce::PathStrokeType::curved, juce::PathStrokeType::butt));

        juce::Path body;
        body.addRoundedRectangle (5.0f, 40.0f, 61.0f, 47.0f, 9.0f);
        g.fillPath (body);

        juce::Path keyhole;
        keyhole.addEllipse (juce::Rectangle<float> (13.0f, 13.0f).withCentre ({ 35.5f, 58.0f }));
        keyhole.addRoundedRectangle (32.5f, 60.0f, 6.0f, 17.0f, 2.0f);
        cutOut (image, keyhole);
        return image;
    }

    juce::Image disguiseIcon()
    {
        auto image = art::makeImage (170, 140);
        juce::Graphics g (image);

        // A pinched fedora over a domino mask.
        juce::Path hat;
        hat.startNewSubPath (46.0f, 60.0f);
        hat.cubicTo (44.0f, 40.0f, 46.0f, 22.0f, 56.0f, 12.0f);
        hat.cubicTo (66.0f, 6.0f, 76.0f, 8.0f, 85.0f, 16.0f);
        hat.cubicTo (94.0f, 8.0f, 104.0f, 6.0f, 114.0f, 12.0f);
        hat.cubicTo (124.0f, 22.0f, 126.0f, 40.0f, 124.0f, 60.0f);
        hat.closeSubPath();
        hat.addEllipse (4.0f, 52.0f, 162.0f, 22.0f);
        g.setColour (dialogWhite);
        g.fillPath (hat);

        // The band: a dark stripe cut out of the crown, so the shape reads at thumbnail size.
        juce::Path band;
        band.startNewSubPath (45.0f, 44.0f);
        band.quadraticTo (85.0f, 50.0f, 125.0f, 44.0f);
        cutOut (image, band, 8.0f);

        juce::Path mask;
        mask.startNewSubPath (20.0f, 94.0f);
        mask.cubicTo (44.0f, 82.0f, 126.0f, 82.0f, 150.0f, 94.0f);
        mask.cubicTo (154.0f, 110.0f, 144.0f, 128.0f, 118.0f, 130.0f);
        mask.cubicTo (104.0f, 131.0f, 96.0f, 122.0f, 85.0f, 112.0f);
        mask.cubicTo (74.0f, 122.0f, 66.0f, 131.0f, 52.0f, 130.0f);
        mask.cubicTo (26.0f, 128.0f, 16.0f, 110.0f, 20.0f, 94.0f);
        mask.closeSubPath();

        for (auto side : { -1.0f, 1.0f })
        {
            juce::Path eye;
            eye.addEllipse (juce::Rectangle<float> (34.0f, 17.0f).withCentre ({ 0.0f, 0.0f }));
            eye.applyTransform (
                juce::AffineTransform::rotation (side * -0.12f).translated (85.0f + side * 30.0f, 106.0f));
            mask.addPath (eye);
        }

        mask.setUsingNonZeroWinding (false);
        g.fillPath (mask);
        return image;
    }

    juce::Image brandEmblem()
    {
        auto image = art::makeImage (175, 175);
        juce::Graphics g (image);
        const juce::Point<float> c (87.5f, 87.5f);
        g.setColour (ink);
        g.drawEllipse (juce::Rectangle<float> (166.0f, 166.0f).withCentre (c), 3.0f);
        g.drawEllipse (juce::Rectangle<float> (120.0f, 120.0f).withCentre (c), 1.5f);

        const auto font = art::Fonts::bold (17.0f).withExtraKerningFactor (0.1f);
        drawTextOnArc (g, "ORVALEN", font, c, 71.0f, 0.0f, false);
        drawTextOnArc (g, "SPRING REVERB", art::Fonts::medium (12.5f), c, 71.0f, juce::MathConstants<float>::pi, true);

        for (auto side : { -1.0f, 1.0f })
            g.fillEllipse (juce::Rectangle<float> (6.0f, 6.0f).withCentre (c.getPointOnCircumference (71.0f, side * 1.57f)));

        HeaderArtPainter::paintCoil (g, juce::Rectangle<float> (86.0f, 44.0f).withCentre (c.translated (0.0f, -8.0f)), 6, 3.0f, ink);
        art::drawLegend (g, "COILVOX", art::Fonts::bold (15.0f), ink, juce::Rectangle<float> (100.0f, 20.0f).withCentre (c.translated (0.0f, 30.0f)),
                         juce::Justification::centred, 0.25f);
        return image;
    }
}

void HeaderArtPainter::paintCoil (juce::Graphics& g, juce::Rectangle<float> area, int turns, float thickness, juce::Colour colour)
{
    // A helix seen from the side: each turn is a loop whose far half is drawn thinner and dimmer,
    // and whose near half crosses it on a slant, as a coiled wire does.
    const auto pi = juce::MathConstants<float>::pi;
    const auto endLength = area.getWidth() * 0.06f;
    const auto body = area.reduced (endLength, 0.0f);
    const auto radiusY = area.getHeight() * 0.5f - thickness;
    const auto lean = body.getWidth() / (float) turns * 0.45f;   // how far a turn leans forward
    const auto advance = (body.getWidth() - lean) / (float) turns;
    constexpr int stepsPerTurn = 48;

    // t = 0 starts level with the centre line, so the hooks leave the coil straight.
    const auto pointAt = [&] (float t)
    {
        return juce::Point<float> (body.getX() + advance * t / (2.0f * pi) + lean * std::cos (t),
                                   body.getCentreY() + radiusY * std::sin (t));
    };

    for (auto front : { false, true })
    {
        juce::Path wire;

        for (int i = 0; i < turns * stepsPerTurn; ++i)
        {
            const auto t0 = 2.0f * pi * (float) i / (float) stepsPerTurn;
            const auto t1 = 2.0f * pi * (float) (i + 1) / (float) stepsPerTurn;
            const bool isFront = std::cos (0.5f * (t0 + t1)) > 0.0f;

            if (isFront != front)
                continue;

            wire.startNewSubPath (pointAt (t0));
            wire.lineTo (pointAt (t1));
        }

        g.setColour (front ? colour : colour.withMultipliedAlpha (0.45f));
        g.strokePath (wire, juce::PathStrokeType (front ? thickness : thickness * 0.7f,
                                                  juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    // Straight hooks at both ends, where the spring hangs in its tank.
    g.setColour (colour);
    const auto start = pointAt (0.0f), end = pointAt (2.0f * pi * (float) turns);
    g.drawLine (area.getX(), area.getCentreY(), start.x, start.y, thickness);
    g.drawLine (end.x, end.y, area.getRight(), area.getCentreY(), thickness);
}

void HeaderArtPainter::render (ArtSet& out)
{
    out.add ("logoImage", logo());
    out.add ("updateIcon", updateIcon());
    out.add ("viewOffImage", viewButton (false));
    out.add ("viewOnImage", viewButton (true));
    out.add ("secretIcon", secretIcon());
    out.add ("footerMarkImage", footerMark());
    out.add ("upToDateIcon", upToDateIcon());
    out.add ("manualIcon", manualIcon());
    out.add ("aboutIcon", aboutIcon());
    out.add ("closeIcon", closeIcon());
    out.add ("brandEmblem", brandEmblem());
    out.add ("chevronImage", chevronIcon());
    out.add ("openLockIcon", openLockIcon());
    out.add ("disguiseIcon", disguiseIcon());
}
