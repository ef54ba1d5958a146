#include "LampPainter.h"
#include "ArtCommon.h"

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

void LampPainter::render (ArtSet& out)
{
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
