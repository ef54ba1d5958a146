#include "LampPainter.h"
#include "ArtCommon.h"
#include "SecretLayout.h"

namespace
{
    // Incandescent colour: deep red when barely warm, orange, then yellow-white at full heat.
    juce::Colour filamentColour (float heat)
    {
        const juce::Colour dark (0xff3a1608), warm (0xffc2410f), hot (0xffff9a2e), white (0xfffff1c4);

        if (heat < 0.35f)
            return dark.interpolatedWith (warm, heat / 0.35f);
        if (heat < 0.75f)
            return warm.interpolatedWith (hot, (heat - 0.35f) / 0.4f);
        return hot.interpolatedWith (white, (heat - 0.75f) / 0.25f);
    }
}

void LampPainter::paintChannelLamp (juce::Graphics& g, juce::Point<float> origin, const juce::String& letter, float glow)
{
    const auto cell = juce::Rectangle<float> ((float) lampWidth, (float) lampHeight) + origin;
    const auto centre = cell.getCentre();
    const auto bezel = juce::Rectangle<float> (124.0f, 104.0f).withCentre (centre);
    const auto lens = bezel.reduced (12.0f);

    // Halo on the panel around a lit switch.
    if (glow > 0.0f)
        art::fillGlow (g, centre, 87.0f, 77.0f, juce::Colour (0xffff9830), 0.9f * glow);

    // Chrome bezel with a dark recess.
    juce::Path bezelPath;
    bezelPath.addRoundedRectangle (bezel, 16.0f);
    art::drawSoftShadow (g, bezelPath, { 0.0f, 5.0f }, 7.0f, 0.45f);
    g.setGradientFill (juce::ColourGradient (art::colours::chromeLight, bezel.getTopLeft(),
                                             art::colours::chromeDark, bezel.getBottomRight(), false));
    g.fillPath (bezelPath);
    g.setColour (juce::Colours::black.withAlpha (0.55f));
    g.strokePath (bezelPath, juce::PathStrokeType (1.5f));
    g.setColour (juce::Colour (0xff111111));
    g.fillRoundedRectangle (bezel.reduced (8.0f), 10.0f);

    // Lens: smoky amber glass when dark, filament-lit when on.
    const auto heat = 0.08f + 0.92f * glow;
    const auto core = filamentColour (heat);
    // Dark glass falls off to brown at its rim; lit glass stays hot right to the edge.
    const auto rim = glow > 0.0f ? filamentColour (heat * 0.62f) : filamentColour (heat * 0.55f).darker (0.6f);
    juce::ColourGradient lensFill (core, lens.getCentre().translated (0.0f, -4.0f), rim, lens.getTopLeft(), true);
    g.setGradientFill (lensFill);
    g.fillRoundedRectangle (lens, 8.0f);

    if (glow > 0.0f)
        art::fillGlow (g, lens.getCentre(), lens.getWidth() * 0.45f, lens.getHeight() * 0.4f, juce::Colour (0xfffff4d0), 0.8f * glow);

    // Fresnel ribs moulded into the glass.
    g.setColour (juce::Colours::black.withAlpha (0.10f + 0.05f * (1.0f - glow)));
    for (float y = lens.getY() + 5.0f; y < lens.getBottom() - 3.0f; y += 7.0f)
        g.fillRect (juce::Rectangle<float> (lens.getX() + 4.0f, y, lens.getWidth() - 8.0f, 1.5f));

    // Engraved letter: dark on the lit glass, faint relief on the dark one.
    const auto letterArea = lens.reduced (6.0f);
    art::drawLegend (g, letter, art::Fonts::bold (52.0f),
                     juce::Colours::white.withAlpha (0.10f + 0.1f * glow), letterArea.translated (0.0f, 1.5f),
                     juce::Justification::centred, 0.0f);
    art::drawLegend (g, letter, art::Fonts::bold (52.0f),
                     glow > 0.0f ? juce::Colour (0xff5a1c05).withAlpha (0.85f) : juce::Colour (0xff0e0704).withAlpha (0.8f),
                     letterArea, juce::Justification::centred, 0.0f);

    // Glass reflections: a window highlight top-left and a rim at the bottom.
    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.38f), lens.getTopLeft(),
                                             juce::Colours::white.withAlpha (0.0f),
                                             lens.getTopLeft().translated (0.0f, lens.getHeight() * 0.45f), false));
    g.fillRoundedRectangle (lens.withHeight (lens.getHeight() * 0.45f).reduced (4.0f, 2.0f), 6.0f);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.drawRoundedRectangle (lens, 8.0f, 1.5f);
}

void LampPainter::paintMeterBezel (juce::Graphics& g, juce::Point<float> origin)
{
    const auto cell = juce::Rectangle<float> ((float) meterWidth, (float) meterHeight) + origin;
    const auto ring = cell.expanded (9.0f, 9.0f);
    juce::Path ringPath;
    ringPath.addRoundedRectangle (ring, ring.getHeight() * 0.5f);
    art::drawSoftShadow (g, ringPath, { 0.0f, 3.0f }, 5.0f, 0.5f);
    g.setGradientFill (juce::ColourGradient (art::colours::chromeLight, ring.getTopLeft(),
                                             art::colours::chromeDark, ring.getBottomRight(), false));
    g.fillPath (ringPath);
    g.setColour (juce::Colour (0xff101010));
    g.fillRoundedRectangle (cell.expanded (2.0f), (cell.getHeight() + 4.0f) * 0.5f);
    paintMeterLens (g, origin, 0.0f);
}

void LampPainter::paintMeterLens (juce::Graphics& g, juce::Point<float> origin, float glow)
{
    const auto cell = juce::Rectangle<float> ((float) meterWidth, (float) meterHeight) + origin;
    const auto lens = cell.reduced (1.0f);
    const auto radius = lens.getHeight() * 0.5f;
    const auto heat = 0.05f + 0.95f * glow;

    juce::ColourGradient fill (filamentColour (heat).brighter (0.3f * glow), lens.getCentre(),
                               filamentColour (heat * 0.6f).darker (0.7f), lens.getTopLeft(), true);
    g.setGradientFill (fill);
    g.fillRoundedRectangle (lens, radius);

    // The filament: a bright bar in the middle of the lamp once it warms up.
    if (glow > 0.0f)
    {
        art::fillGlow (g, lens.getCentre(), 44.0f, 18.0f, filamentColour (std::min (1.0f, heat + 0.2f)), glow);
        g.setColour (juce::Colour (0xfffff6da).withAlpha (glow * glow));
        g.fillRoundedRectangle (juce::Rectangle<float> (30.0f * glow + 4.0f, 3.0f).withCentre (lens.getCentre()), 1.5f);
    }

    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.35f), lens.getTopLeft(),
                                             juce::Colours::white.withAlpha (0.0f),
                                             lens.getTopLeft().translated (0.0f, radius), false));
    g.fillRoundedRectangle (lens.withHeight (radius).reduced (radius * 0.5f, 2.0f), radius * 0.4f);
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.drawRoundedRectangle (lens, radius, 1.2f);
}

void LampPainter::paintJewelLamp (juce::Graphics& g, juce::Point<float> centre, float glow)
{
    const auto pi = juce::MathConstants<float>::pi;
    // The room's key light comes from the upper left, as on every other picture of the amplifier.
    const auto lightAngle = -0.75f * pi;

    if (glow > 0.0f)
        art::fillGlow (g, centre, jewelHaloRadius, jewelHaloRadius, juce::Colour (0xffff3c14), 0.55f * glow);

    // Knurled chrome bezel, then its conical inner ring.
    juce::Path bezel;
    bezel.addEllipse (juce::Rectangle<float> (72.0f, 72.0f).withCentre (centre));
    art::drawSoftShadow (g, bezel, { 0.0f, 4.0f }, 4.0f, 0.55f);
    g.setGradientFill (juce::ColourGradient (art::colours::chromeLight,
                                             centre.translated (-30.0f, -30.0f),
                                             art::colours::chromeDark,
                                             centre.translated (28.0f, 30.0f),
                                             false));
    g.fillPath (bezel);

    constexpr int knurls = 48;
    for (int i = 0; i < knurls; ++i)
    {
        const auto a = 2.0f * pi * (float) i / (float) knurls;
        const auto lit = 0.5f + 0.5f * std::cos (a - lightAngle - 0.5f * pi);
        g.setColour (juce::Colours::black.withAlpha (0.12f + 0.25f * (1.0f - lit)));
        g.drawLine ({ centre.getPointOnCircumference (32.0f, a), centre.getPointOnCircumference (36.0f, a) }, 1.4f);
    }

    const auto cone = juce::Rectangle<float> (60.0f, 60.0f).withCentre (centre);
    g.setGradientFill (juce::ColourGradient (art::colours::chromeDark,
                                             cone.getTopLeft(),
                                             juce::Colours::white,
                                             cone.getBottomRight(),
                                             false));
    g.fillEllipse (cone);
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.drawEllipse (cone, 1.2f);

    // Faceted glass: an octagonal table, a ring of kites and an outer ring of triangles. Each facet
    // takes the light by the way it leans; a lit lamp glows from inside, hottest in the middle.
    constexpr float tableRadius = 9.0f, kiteRadius = 18.0f, rimRadius = 25.0f;
    const auto point = [&] (float radius, float a) { return centre.getPointOnCircumference (radius, a); };
    const auto glass = [&] (float lean, float a, float depth)
    {
        const auto facing = std::cos (a - lightAngle);
        const auto dark =
            juce::Colour (0xff3a0307).interpolatedWith (juce::Colour (0xff9a1119), 0.5f + 0.5f * facing * lean);
        const auto hot = juce::Colour (0xffffd27a)
                             .interpolatedWith (juce::Colour (0xffd8230e), depth)
                             .withMultipliedBrightness (0.85f + 0.15f * facing * lean);
        return dark.interpolatedWith (hot, glow);
    };

    const auto fillFacet = [&] (std::initializer_list<juce::Point<float>> corners, juce::Colour colour)
    {
        juce::Path facet;
        facet.startNewSubPath (*corners.begin());
        for (auto p = corners.begin() + 1; p != corners.end(); ++p)
            facet.lineTo (*p);
        facet.closeSubPath();
        g.setColour (colour);
        g.fillPath (facet);
        g.setColour (juce::Colours::black.withAlpha (0.18f - 0.1f * glow));
        g.strokePath (facet, juce::PathStrokeType (0.8f));
    };

    constexpr int sides = 8;
    const auto step = 2.0f * pi / (float) sides;

    // The glass under the facets fills the slivers along the rim.
    g.setColour (glass (0.0f, 0.0f, 1.0f).darker (0.2f));
    g.fillEllipse (juce::Rectangle<float> (rimRadius * 2.0f, rimRadius * 2.0f).withCentre (centre));

    for (int i = 0; i < sides; ++i)
    {
        const auto a = step * (float) i;
        // A star facet from each edge of the table out to the rim, and the facets between the points.
        fillFacet ({ point (tableRadius, a - step * 0.5f), point (rimRadius, a), point (tableRadius, a + step * 0.5f) },
                   glass (0.7f, a, 0.6f));
        fillFacet ({ point (tableRadius, a + step * 0.5f), point (rimRadius, a), point (kiteRadius, a + step * 0.5f) },
                   glass (1.0f, a + step * 0.2f, 0.9f));
        fillFacet (
            { point (tableRadius, a + step * 0.5f), point (kiteRadius, a + step * 0.5f), point (rimRadius, a + step) },
            glass (1.0f, a + step * 0.8f, 0.9f));
        fillFacet ({ point (kiteRadius, a + step * 0.5f), point (rimRadius, a), point (rimRadius, a + step) },
                   glass (0.9f, a + step * 0.5f, 1.0f));
    }

    juce::Path table;
    table.addPolygon (centre, sides, tableRadius, step * 0.5f);
    g.setColour (glass (0.0f, 0.0f, 0.1f).brighter (0.1f));
    g.fillPath (table);

    if (glow > 0.0f)
        art::fillGlow (g, centre, 16.0f, 16.0f, juce::Colour (0xfffff0c8), 0.75f * glow);

    // Glints of the room light on the upper-left facets.
    g.setColour (juce::Colours::white.withAlpha (0.75f));
    g.fillEllipse (juce::Rectangle<float> (7.0f, 5.0f).withCentre (centre.translated (-10.0f, -12.0f)));
    g.setColour (juce::Colours::white.withAlpha (0.35f));
    g.fillEllipse (juce::Rectangle<float> (4.0f, 3.0f).withCentre (centre.translated (-3.0f, -5.0f)));
    g.setColour (juce::Colours::black.withAlpha (0.55f));
    g.drawEllipse (juce::Rectangle<float> (rimRadius * 2.0f, rimRadius * 2.0f).withCentre (centre), 1.2f);
}

void LampPainter::render (ArtSet& out)
{
    {
        // The hidden amplifier's pilot lamp: dark on top, lit below.
        const auto cell = secret::lamp;
        auto strip = art::makeImage (cell.getWidth(), cell.getHeight() * 2);
        juce::Graphics g (strip);
        const auto centre = juce::Point<float> ((float) cell.getWidth(), (float) cell.getHeight()) * 0.5f;

        for (int frame = 0; frame < 2; ++frame)
            paintJewelLamp (g, centre.translated (0.0f, (float) (frame * cell.getHeight())), (float) frame);

        out.add ("secretLampStrip", strip);
    }

    const char* letters[] = { "A", "B", "C" };
    const char* roles[] = { "channelALamp", "channelBLamp", "channelCLamp" };

    for (int i = 0; i < 3; ++i)
    {
        auto image = art::makeImage (lampWidth, lampHeight);
        juce::Graphics g (image);
        paintChannelLamp (g, {}, letters[i], 1.0f);
        out.add (roles[i], image);
    }

    auto strip = art::makeImage (meterWidth, meterHeight * meterFrames);
    {
        juce::Graphics g (strip);

        // The meter shows frame 0 for the loudest signal and the last frame for silence.
        for (int k = 0; k < meterFrames; ++k)
        {
            // A filament brightens roughly with the square root of its drive.
            const auto level = (float) (meterFrames - 1 - k) / (float) (meterFrames - 1);
            paintMeterLens (g, { 0.0f, (float) (k * meterHeight) }, std::sqrt (level));
        }
    }
    out.add ("meterStrip", strip);
}
