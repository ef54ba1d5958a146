#include "PanelPainter.h"
#include "ArtCommon.h"
#include "FaderStripPainter.h"
#include "KnobStripPainter.h"
#include "LampPainter.h"
#include "LeverPainter.h"
#include "HeaderArtPainter.h"

namespace
{
    using juce::Rectangle;
    using juce::Point;
    namespace c = art::colours;

    // Fixed seeds: the sheet texture must come out the same on every run.
    constexpr juce::int64 simpleSeed = 0x5eed0001, advancedSeed = 0x5eed0002;

    // Where the editor places the controls, in body units (x, y, width, height).
    const int channelLampX[] = { 281, 1115, 1948 };
    const int channelFaderX[] = { 531, 1365, 2199 };
    constexpr int channelTop = 274;
    constexpr int reverbFaderX[] = { 1135, 1970 };
    constexpr int reverbFaderY = 1058;
    const Rectangle<float> inputTrim { 275.0f, 23.0f, 131.0f, 55.0f };
    const Rectangle<float> outputTrim { 2594.0f, 23.0f, 131.0f, 55.0f };
    const Point<float> meterOrigin { 116.0f, 25.0f };

    constexpr int simpleTopBand = 104, simpleReverbBand = 1000;

    // Cap centre along its slot for a fader at proportion p: the frame index and the editor's
    // 4.5-unit step per frame, as the caps are drawn.
    float capTravel (float p)
    {
        const auto k = std::ceil (99.0f * p);
        return k * FaderStripPainter::offsetStep;
    }

    void paintCream (juce::Graphics& g, Rectangle<int> area, juce::Random& random)
    {
        g.setGradientFill (juce::ColourGradient (c::cream.brighter (0.04f), 0.0f, (float) area.getY(),
                                                 c::creamDark, 0.0f, (float) area.getBottom(), false));
        g.fillRect (area);
        art::drawSheetTexture (g, area, random, 0.035f, true);
        art::drawSheetTexture (g, area, random, 0.05f, false);
    }

    void paintBlack (juce::Graphics& g, Rectangle<int> area, juce::Random& random)
    {
        g.setGradientFill (juce::ColourGradient (c::panelBlackEdge, 0.0f, (float) area.getY(),
                                                 c::panelBlack, 0.0f, (float) area.getBottom(), false));
        g.fillRect (area);
        art::drawSheetTexture (g, area, random, 0.025f, false);
    }

    // Bevelled seam between two painted sheets.
    void paintSeam (juce::Graphics& g, int y, int width)
    {
        g.setColour (juce::Colours::black.withAlpha (0.55f));
        g.fillRect (0, y - 2, width, 3);
        g.setColour (juce::Colours::white.withAlpha (0.25f));
        g.fillRect (0, y + 1, width, 1);
    }

    void paintScrews (juce::Graphics& g, Rectangle<float> area, float inset, juce::Random& random)
    {
        for (auto p : { area.getTopLeft(), area.getTopRight(), area.getBottomLeft(), area.getBottomRight() })
        {
            const auto centre = p.translated (p.x < area.getCentreX() ? inset : -inset,
                                              p.y < area.getCentreY() ? inset : -inset);
            art::drawScrew (g, centre, 15.0f, random.nextFloat() * juce::MathConstants<float>::pi);
        }
    }

    /** A slot cut through the panel: dark, with its far wall lit. */
    void paintSlot (juce::Graphics& g, Rectangle<float> slot)
    {
        const auto r = std::min (slot.getWidth(), slot.getHeight()) * 0.5f;
        g.setColour (juce::Colours::white.withAlpha (0.35f));
        g.fillRoundedRectangle (slot.translated (0.0f, 1.5f), r);
        g.setColour (juce::Colour (0xff0b0a09));
        g.fillRoundedRectangle (slot, r);
        g.setGradientFill (juce::ColourGradient (juce::Colours::black, slot.getX(), slot.getY(),
                                                 juce::Colour (0xff3a3835), slot.getX(), slot.getBottom(), false));
        g.fillRoundedRectangle (slot.reduced (2.0f), r - 2.0f);
    }

    void paintChannelStrip (juce::Graphics& g, int index)
    {
        const char* letters[] = { "A", "B", "C" };
        const auto lampX = (float) channelLampX[index];
        const auto faderX = (float) channelFaderX[index];
        const auto slotX = faderX + FaderStripPainter::channelCapX;
        const auto frame = Rectangle<float> (lampX - 44.0f, 150.0f, faderX + 270.0f + 44.0f - (lampX - 44.0f), 830.0f);

        // Printed outline of the strip and its title tab.
        g.setColour (c::ink);
        g.drawRoundedRectangle (frame, 18.0f, 3.0f);
        const auto tab = Rectangle<float> (frame.getX(), frame.getY(), frame.getWidth(), 70.0f);
        juce::Path tabPath;
        tabPath.addRoundedRectangle (tab.getX(), tab.getY(), tab.getWidth(), tab.getHeight(), 18.0f, 18.0f, true, true, false, false);
        g.fillPath (tabPath);
        art::drawLegend (g, juce::String ("CHANNEL  ") + letters[index], art::Fonts::bold (38.0f), c::legend,
                         tab.reduced (20.0f, 0.0f), juce::Justification::centred, 0.32f);

        // The dark lamp; the lit picture replaces it when the channel is on.
        art::drawLegend (g, "ON", art::Fonts::bold (22.0f), c::ink, { lampX, 236.0f, 175.0f, 30.0f },
                         juce::Justification::centred, 0.3f);
        LampPainter::paintChannelLamp (g, { lampX, (float) channelTop }, letters[index], 0.0f);
        art::drawLegend (g, juce::String::fromUTF8 ("PUSH  \xc2\xb7  SHIFT SOLO"), art::Fonts::bold (21.0f), c::ink.withAlpha (0.75f),
                         { lampX - 40.0f, 436.0f, 255.0f, 28.0f }, juce::Justification::centred, 0.12f);

        // Level slot with a 0 to 10 scale on the left and plain ticks on the right.
        const auto yAt = [&] (float p) { return (float) channelTop + FaderStripPainter::channelCapY + 450.0f - capTravel (p); };
        const auto top = yAt (1.0f), bottom = yAt (0.0f);
        paintSlot (g, { slotX - 8.0f, top - 22.0f, 16.0f, bottom - top + 44.0f });

        for (int i = 0; i <= 20; ++i)
        {
            const auto p = (float) i / 20.0f;
            const auto y = yAt (p);
            const bool major = i % 2 == 0;
            const auto length = major ? 30.0f : 16.0f;
            g.setColour (c::ink);
            g.fillRect (Rectangle<float> (slotX - 104.0f - length, y - 1.5f, length, 3.0f));
            g.fillRect (Rectangle<float> (slotX + 104.0f, y - 1.5f, length, 3.0f));

            if (major)
                art::drawLegend (g, juce::String (i / 2), art::Fonts::bold (28.0f), c::ink,
                                 { slotX - 214.0f, y - 16.0f, 66.0f, 32.0f }, juce::Justification::centredRight, 0.0f);
        }

        art::drawLegend (g, "LEVEL", art::Fonts::bold (26.0f), c::ink, { slotX - 100.0f, 928.0f, 200.0f, 34.0f },
                         juce::Justification::centred, 0.4f);
        PanelPainter::paintJack (g, { lampX + 87.5f, 800.0f }, juce::String ("INPUT  ") + letters[index]);
    }

    void paintBrandBlock (juce::Graphics& g, Point<float> centre)
    {
        art::drawLegend (g, "VANTORRA", art::Fonts::medium (34.0f), c::ink, Rectangle<float> (420.0f, 44.0f).withCentre (centre.translated (0.0f, -170.0f)),
                         juce::Justification::centred, 0.55f);
        art::drawLegend (g, "COILVOX", art::Fonts::bold (92.0f), c::ink, Rectangle<float> (460.0f, 100.0f).withCentre (centre.translated (0.0f, -100.0f)),
                         juce::Justification::centred, 0.06f);
        g.setColour (c::accentRed);
        g.fillRect (Rectangle<float> (330.0f, 6.0f).withCentre (centre.translated (0.0f, -38.0f)));
        HeaderArtPainter::paintCoil (g, Rectangle<float> (330.0f, 120.0f).withCentre (centre.translated (0.0f, 60.0f)), 9, 7.0f, c::ink);
        art::drawLegend (g, "THREE CHANNEL", art::Fonts::bold (24.0f), c::ink, Rectangle<float> (420.0f, 30.0f).withCentre (centre.translated (0.0f, 170.0f)),
                         juce::Justification::centred, 0.45f);
        art::drawLegend (g, "SPRING REVERB MIXER", art::Fonts::bold (24.0f), c::ink, Rectangle<float> (420.0f, 30.0f).withCentre (centre.translated (0.0f, 204.0f)),
                         juce::Justification::centred, 0.3f);
        art::drawLegend (g, "WITH VALVE AMPLIFIER", art::Fonts::medium (20.0f), c::ink.withAlpha (0.8f), Rectangle<float> (420.0f, 28.0f).withCentre (centre.translated (0.0f, 240.0f)),
                         juce::Justification::centred, 0.3f);
    }

    void paintTrimHousing (juce::Graphics& g, Rectangle<float> cell, const juce::String& legend)
    {
        const auto housing = cell.expanded (10.0f, 8.0f);
        juce::Path path;
        path.addRoundedRectangle (housing, 8.0f);
        art::drawSoftShadow (g, path, { 0.0f, 3.0f }, 4.0f, 0.6f);
        g.setGradientFill (juce::ColourGradient (c::chromeLight, housing.getTopLeft(), c::chromeDark, housing.getBottomRight(), false));
        g.fillPath (path);
        KnobStripPainter::paintTrimWheel (g, cell.getTopLeft(), 0.5f);
        art::drawLegend (g, legend, art::Fonts::bold (19.0f), c::legend, { cell.getX() - 40.0f, 84.0f, cell.getWidth() + 80.0f, 20.0f },
                         juce::Justification::centred, 0.25f);
    }

    /** Ticks and numbers above a horizontal slot whose cap centre starts at x0. */
    void paintHorizontalScale (juce::Graphics& g, float x0, float tickBottom, int divisions, juce::Colour colour,
                               std::function<juce::String (int)> labelFor)
    {
        for (int i = 0; i <= divisions * 2; ++i)
        {
            const auto x = x0 + capTravel ((float) i / (float) (divisions * 2));
            const bool major = i % 2 == 0;
            const auto length = major ? 18.0f : 10.0f;
            g.setColour (colour);
            g.fillRect (Rectangle<float> (x - 1.5f, tickBottom - length, 3.0f, length));

            if (major)
                art::drawLegend (g, labelFor (i / 2), art::Fonts::bold (22.0f), colour,
                                 { x - 40.0f, tickBottom - 48.0f, 80.0f, 26.0f }, juce::Justification::centred, 0.0f);
        }
    }
}

void PanelPainter::paintJack (juce::Graphics& g, juce::Point<float> centre, const juce::String& legend)
{
    const auto nut = juce::Rectangle<float> (92.0f, 92.0f).withCentre (centre);
    juce::Path ring;
    ring.addEllipse (nut);
    art::drawSoftShadow (g, ring, { 0.0f, 4.0f }, 5.0f, 0.4f);
    g.setGradientFill (juce::ColourGradient (art::colours::chromeLight,
                                             nut.getTopLeft(),
                                             art::colours::chromeDark,
                                             nut.getBottomRight(),
                                             false));
    g.fillPath (ring);
    juce::Path hex;
    hex.addPolygon (centre, 6, 36.0f, 0.0f);
    g.setGradientFill (juce::ColourGradient (art::colours::chromeDark,
                                             nut.getTopLeft(),
                                             art::colours::chromeLight,
                                             nut.getBottomRight(),
                                             false));
    g.fillPath (hex);
    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.strokePath (hex, juce::PathStrokeType (1.2f));
    g.setColour (juce::Colour (0xff0a0a0a));
    g.fillEllipse (juce::Rectangle<float> (30.0f, 30.0f).withCentre (centre));
    g.setColour (juce::Colours::white.withAlpha (0.25f));
    g.drawEllipse (juce::Rectangle<float> (30.0f, 30.0f).withCentre (centre), 1.5f);
    art::drawLegend (g,
                     legend,
                     art::Fonts::bold (22.0f),
                     art::colours::ink,
                     juce::Rectangle<float> (200.0f, 30.0f).withCentre (centre.translated (0.0f, -76.0f)),
                     juce::Justification::centred,
                     0.35f);
}

juce::Image PanelPainter::paintSimple()
{
    constexpr int width = 3000, height = 1337;
    auto image = art::makeImage (width, height, true);
    juce::Graphics g (image);
    juce::Random random (simpleSeed);

    // Sheets: black top band, cream channel panel, black reverb band.
    paintBlack (g, { 0, 0, width, simpleTopBand }, random);
    paintCream (g, { 0, simpleTopBand, width, simpleReverbBand - simpleTopBand }, random);
    paintBlack (g, { 0, simpleReverbBand, width, height - simpleReverbBand }, random);
    paintSeam (g, simpleTopBand, width);
    paintSeam (g, simpleReverbBand, width);

    // Top band: meter lamp, trim wheels and the model line.
    LampPainter::paintMeterBezel (g, meterOrigin);
    art::drawLegend (g, "SIGNAL", art::Fonts::bold (19.0f), c::legend, { meterOrigin.x - 30.0f, 84.0f, 176.0f, 20.0f },
                     juce::Justification::centred, 0.25f);
    paintTrimHousing (g, inputTrim, "INPUT");
    paintTrimHousing (g, outputTrim, "OUTPUT");
    art::drawLegend (g, "VANTORRA  COILVOX", art::Fonts::bold (40.0f), c::legend, { 900.0f, 14.0f, 1200.0f, 50.0f },
                     juce::Justification::centred, 0.45f);
    art::drawLegend (g, juce::String::fromUTF8 ("SPRING REVERB  \xc2\xb7  MIXING UNIT  \xc2\xb7  MODEL CV-3"), art::Fonts::medium (22.0f),
                     c::legend.withAlpha (0.7f), { 900.0f, 62.0f, 1200.0f, 28.0f }, juce::Justification::centred, 0.35f);

    // Channel panel.
    for (int i = 0; i < 3; ++i)
        paintChannelStrip (g, i);

    paintBrandBlock (g, { 2750.0f, 560.0f });
    paintScrews (g, Rectangle<float> (0.0f, (float) simpleTopBand, (float) width, (float) (simpleReverbBand - simpleTopBand)), 38.0f, random);

    // Reverb band: section title on the left, send and drive faders on the right.
    art::drawLegend (g, "SPRING REVERB", art::Fonts::bold (60.0f), c::legend, { 160.0f, 1080.0f, 900.0f, 80.0f },
                     juce::Justification::centredLeft, 0.32f);
    g.setColour (c::accentRed);
    g.fillRect (Rectangle<float> (164.0f, 1170.0f, 200.0f, 6.0f));
    art::drawLegend (g, juce::String::fromUTF8 ("SEND  \xc2\xb7  DRIVE"), art::Fonts::medium (26.0f), c::legend.withAlpha (0.75f), { 380.0f, 1156.0f, 600.0f, 34.0f },
                     juce::Justification::centredLeft, 0.35f);

    const char* reverbLegends[] = { "REVERB", "DRIVE" };
    for (int i = 0; i < 2; ++i)
    {
        const auto x0 = (float) reverbFaderX[i] + FaderStripPainter::reverbCapX;
        const auto y = (float) reverbFaderY + FaderStripPainter::reverbCapY;
        paintSlot (g, { x0 - 24.0f, y - 8.0f, capTravel (1.0f) + 48.0f, 16.0f });
        paintHorizontalScale (g, x0, (float) reverbFaderY + 6.0f, 10, c::legend, [] (int n) { return juce::String (n); });
        art::drawLegend (g, reverbLegends[i], art::Fonts::bold (30.0f), c::legend,
                         { x0, 1218.0f, capTravel (1.0f), 40.0f }, juce::Justification::centred, 0.4f);
    }

    paintScrews (g, Rectangle<float> (0.0f, (float) simpleReverbBand, (float) width, (float) (height - simpleReverbBand)), 38.0f, random);
    return image;
}

juce::Image PanelPainter::paintAdvanced()
{
    constexpr int width = 3000, height = 719;
    auto image = art::makeImage (width, height, true);
    juce::Graphics g (image);
    juce::Random random (advancedSeed);

    paintCream (g, { 0, 0, width, height }, random);
    paintSeam (g, 1, width);
    paintScrews (g, Rectangle<float> (0.0f, 0.0f, (float) width, (float) height), 38.0f, random);

    // Group titles on black tabs.
    const auto groupTitle = [&] (Rectangle<float> area, const juce::String& text)
    {
        g.setColour (c::ink);
        g.fillRoundedRectangle (area, 12.0f);
        art::drawLegend (g, text, art::Fonts::bold (30.0f), c::legend, area, juce::Justification::centred, 0.35f);
    };

    // Space: pre-delay and width knobs with their dials.
    groupTitle ({ 256.0f, 70.0f, 300.0f, 56.0f }, "SPACE");
    const juce::String knobLegends[] = { "PRE-DELAY", "WIDTH" };
    const juce::String knobEnds[][2] = { { "0", "200" }, { "MONO", "WIDE" } };

    for (int i = 0; i < 2; ++i)
    {
        const Point<float> centre (351.0f + KnobStripPainter::knobCentreX, (i == 0 ? 187.0f : 379.0f) + KnobStripPainter::knobCentreY);

        for (int t = 0; t <= 10; ++t)
        {
            const auto a = KnobStripPainter::sweepStart + (KnobStripPainter::sweepEnd - KnobStripPainter::sweepStart) * (float) t / 10.0f;
            const auto inner = centre.getPointOnCircumference (KnobStripPainter::knobRadius + 9.0f, a);
            const auto outer = centre.getPointOnCircumference (KnobStripPainter::knobRadius + (t % 5 == 0 ? 24.0f : 17.0f), a);
            g.setColour (c::ink);
            g.drawLine ({ inner, outer }, 3.0f);
        }

        const auto endRadius = KnobStripPainter::knobRadius + 44.0f;
        for (int e = 0; e < 2; ++e)
        {
            const auto p = centre.getPointOnCircumference (endRadius, e == 0 ? KnobStripPainter::sweepStart : KnobStripPainter::sweepEnd);
            art::drawLegend (g, knobEnds[i][e], art::Fonts::bold (20.0f), c::ink, Rectangle<float> (80.0f, 22.0f).withCentre (p.translated (0.0f, 6.0f)),
                             juce::Justification::centred, 0.1f);
        }

        // Legends sit left of the dials, clear of the end marks below them.
        art::drawLegend (g, knobLegends[i], art::Fonts::bold (24.0f), c::ink,
                         { 60.0f, centre.y - 15.0f, 232.0f, 30.0f }, juce::Justification::centredRight, 0.35f);
    }

    // Spring tank: black plate carrying the lever and the decay slider.
    const Rectangle<float> plate (700.0f, 150.0f, 560.0f, 470.0f);
    juce::Path platePath;
    platePath.addRoundedRectangle (plate, 20.0f);
    art::drawSoftShadow (g, platePath, { 0.0f, 5.0f }, 6.0f, 0.35f);
    g.setColour (c::panelBlack);
    g.fillPath (platePath);
    art::drawSheetTexture (g, plate.reduced (10.0f).toNearestInt(), random, 0.03f, false);
    g.setColour (c::chromeMid);
    g.drawRoundedRectangle (plate.reduced (10.0f), 14.0f, 2.0f);
    groupTitle ({ 800.0f, 70.0f, 360.0f, 56.0f }, "SPRING TANK");

    const Point<float> pivot (937.0f + LeverPainter::pivotX, 195.0f + LeverPainter::pivotY);
    const Rectangle<float> mount (96.0f, 150.0f);
    g.setGradientFill (juce::ColourGradient (c::chromeLight, mount.withCentre (pivot).getTopLeft(),
                                             c::chromeDark, mount.withCentre (pivot).getBottomRight(), false));
    g.fillRoundedRectangle (mount.withCentre (pivot), 10.0f);
    for (auto dy : { -58.0f, 58.0f })
        art::drawScrew (g, pivot.translated (0.0f, dy), 8.0f, 0.6f + dy * 0.01f);

    const juce::String tankNames[] = { "COILVOX", "BELTON", "ACCUTRONICS" };
    for (int i = 0; i < 3; ++i)
    {
        const auto y = pivot.y + (float) (i - 1) * 82.0f;
        art::drawLegend (g, tankNames[i], art::Fonts::bold (24.0f), c::legend, { 730.0f, y - 15.0f, 250.0f, 30.0f },
                         juce::Justification::centredRight, 0.22f);
        g.setColour (c::legend);
        g.fillRect (Rectangle<float> (990.0f, y - 1.5f, 28.0f, 3.0f));
    }

    // Decay: one cap sliding over 21 whole steps.
    const auto decayY = 418.0f + FaderStripPainter::decayCapY;
    const auto decayX0 = 795.0f + FaderStripPainter::decayCapX;
    paintSlot (g, { decayX0 - 14.0f, decayY - 6.0f, 244.0f + 28.0f, 12.0f });
    for (int s = 0; s <= 20; ++s)
    {
        const auto x = decayX0 + 244.0f * (float) s / 20.0f;
        const auto length = s % 5 == 0 ? 16.0f : 9.0f;
        g.setColour (c::legend);
        g.fillRect (Rectangle<float> (x - 1.0f, decayY + 34.0f, 2.0f, length));
    }
    for (auto [s, text] : { std::pair<int, const char*> { 0, "\xe2\x88\x92" "10" }, { 10, "0" }, { 20, "+10" } })
        art::drawLegend (g, juce::String::fromUTF8 (text), art::Fonts::bold (20.0f), c::legend,
                         Rectangle<float> (70.0f, 24.0f).withCentre ({ decayX0 + 244.0f * (float) s / 20.0f, decayY + 66.0f }),
                         juce::Justification::centred, 0.0f);
    art::drawLegend (g, "DECAY", art::Fonts::bold (26.0f), c::legend, { decayX0 - 20.0f, decayY + 84.0f, 284.0f, 34.0f },
                     juce::Justification::centred, 0.4f);

    // Tone and mix faders.
    struct Fader { float x, capX; const char* title; const char* left; const char* right; bool centred; };
    const Fader faders[] = { { 1276.0f, FaderStripPainter::toneCapX, "TONE", "DARK", "BRIGHT", true },
                             { 2000.0f, FaderStripPainter::mixCapX, "MIX", "DRY", "WET", false } };

    for (const auto& f : faders)
    {
        const auto x0 = f.x + f.capX;
        const auto y = 259.0f + FaderStripPainter::toneCapY;
        paintSlot (g, { x0 - 24.0f, y - 8.0f, capTravel (1.0f) + 48.0f, 16.0f });
        paintHorizontalScale (g, x0, 256.0f, 10, c::ink, [centred = f.centred] (int n)
                              { return centred ? (n == 5 ? juce::String ("0") : juce::String::fromUTF8 (n < 5 ? "\xe2\x88\x92" : "+") + juce::String (std::abs (n - 5))) : juce::String (n); });
        art::drawLegend (g, f.left, art::Fonts::bold (20.0f), c::ink, { x0 - 60.0f, 420.0f, 120.0f, 26.0f }, juce::Justification::centred, 0.25f);
        art::drawLegend (g, f.right, art::Fonts::bold (20.0f), c::ink, { x0 + capTravel (1.0f) - 60.0f, 420.0f, 120.0f, 26.0f }, juce::Justification::centred, 0.25f);
        art::drawLegend (g, f.title, art::Fonts::bold (34.0f), c::ink, { x0, 450.0f, capTravel (1.0f), 44.0f },
                         juce::Justification::centred, 0.4f);
    }

    // Maker's plate in the lower right corner.
    const Rectangle<float> badge (2600.0f, 560.0f, 320.0f, 96.0f);
    g.setGradientFill (juce::ColourGradient (c::chromeLight, badge.getTopLeft(), c::chromeDark, badge.getBottomRight(), false));
    g.fillRoundedRectangle (badge, 8.0f);
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.drawRoundedRectangle (badge, 8.0f, 1.5f);
    art::drawLegend (g, "ORVALEN", art::Fonts::bold (30.0f), c::ink, badge.withHeight (52.0f).translated (0.0f, 6.0f),
                     juce::Justification::centred, 0.45f);
    art::drawLegend (g, "SERIAL  CV3-0412", art::Fonts::medium (17.0f), c::ink.withAlpha (0.8f), badge.withTrimmedTop (54.0f).withHeight (28.0f),
                     juce::Justification::centred, 0.3f);
    return image;
}

void PanelPainter::render (ArtSet& out)
{
    out.add ("simpleBackground", paintSimple());
    out.add ("advancedBackground", paintAdvanced());
}
