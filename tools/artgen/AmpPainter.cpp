#include "AmpPainter.h"
#include "ArtCommon.h"
#include "ChickenHeadKnobPainter.h"
#include "HeaderArtPainter.h"
#include "KnobStripPainter.h"
#include "LampPainter.h"
#include "LeverPainter.h"
#include "PanelPainter.h"
#include "SecretLayout.h"

namespace
{
using juce::Point;
using juce::Rectangle;

// Fixed seeds: the leather, the cloth and the brushing must come out the same on every run.
constexpr juce::uint32 grainSeed = 0x7013u, warpSeed = 0x3a11u, weftSeed = 0x3a12u, clothSeed = 0x3a13u;
constexpr juce::int64 brushSeed = 0x5eed0003;

const juce::Colour tolex{ 0xff1a1817 };
const juce::Colour piping{ 0xffe9dfc4 };
const juce::Colour printInk{ 0xff1e150b }; // silk screen on the gold panel
const juce::Colour goldLight{ 0xfff3dc9a }, goldMid{ 0xffcfa656 }, goldDark{ 0xff8a6424 };

const Rectangle<float> headBox{ AmpPainter::headX, AmpPainter::headY, AmpPainter::headWidth, AmpPainter::headHeight };
const Rectangle<float> grille{ 262.0f, 392.0f, 2476.0f, 292.0f };
const Rectangle<float> panel{ 262.0f, 702.0f, 2476.0f, 398.0f };

// Names under the controls: the knobs' line stays clear of the division read-out under the
// speed knob; the switches' names sit lower, below their OFF marks.
constexpr float knobLegendY = 984.0f, switchLegendY = 1004.0f;

float clamp01 (float x) { return juce::jlimit (0.0f, 1.0f, x); }

juce::ColourGradient chromeGradient (Rectangle<float> area)
{
    juce::ColourGradient chrome (art::colours::chromeLight,
                                 area.getTopLeft(),
                                 art::colours::chromeDark,
                                 area.getBottomRight(),
                                 false);
    chrome.addColour (0.45, art::colours::chromeMid);
    chrome.addColour (0.55, art::colours::chromeLight.darker (0.1f));
    return chrome;
}

/** Leather strap handle with chrome brackets, arching above the head's top. */
void paintHandle (juce::Graphics& g)
{
    constexpr float left = 1230.0f, right = 1770.0f, thickness = 42.0f;
    const auto base = AmpPainter::headY + 4.0f, top = AmpPainter::handleTop;
    juce::Path strap;
    strap.startNewSubPath (left, base);
    strap.cubicTo (left + 30.0f, top - 14.0f, right - 30.0f, top - 14.0f, right, base);
    strap.lineTo (right - thickness, base);
    strap.cubicTo (right - 60.0f, top + thickness, left + 60.0f, top + thickness, left + thickness, base);
    strap.closeSubPath();
    art::drawSoftShadow (g, strap, { 4.0f, 8.0f }, 7.0f, 0.6f);
    juce::ColourGradient leather (juce::Colour (0xff4a423c),
                                  0.0f,
                                  top - 8.0f,
                                  juce::Colour (0xff0b0a09),
                                  0.0f,
                                  top + thickness + 10.0f,
                                  false);
    leather.addColour (0.25, juce::Colour (0xff2a2522));
    g.setGradientFill (leather);
    g.fillPath (strap);
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.strokePath (strap, juce::PathStrokeType (1.5f));

    // Stitching along the strap's upper edge.
    juce::Path seam;
    seam.startNewSubPath (left + 12.0f, base - 14.0f);
    seam.cubicTo (left + 40.0f, top - 2.0f, right - 40.0f, top - 2.0f, right - 12.0f, base - 14.0f);
    juce::Path dashed;
    const float dashes[] = { 8.0f, 6.0f };
    juce::PathStrokeType (2.2f).createDashedStroke (dashed, seam, dashes, 2);
    g.setColour (juce::Colour (0xffa59a86).withAlpha (0.75f));
    g.fillPath (dashed);

    for (auto x : { left - 30.0f, right - thickness - 18.0f })
    {
        const Rectangle<float> bracket (x, base - 36.0f, 90.0f, 40.0f);
        juce::Path cap;
        cap.addRoundedRectangle (bracket, 10.0f);
        art::drawSoftShadow (g, cap, { 2.0f, 5.0f }, 4.0f, 0.6f);
        g.setGradientFill (chromeGradient (bracket));
        g.fillPath (cap);
        g.setColour (juce::Colours::black.withAlpha (0.55f));
        g.strokePath (cap, juce::PathStrokeType (1.5f));

        for (auto dx : { 20.0f, 70.0f })
            art::drawScrew (g, { bracket.getX() + dx, bracket.getCentreY() }, 8.0f, 0.4f + x * 0.001f + dx * 0.02f);
    }
}

/** A chrome corner protector over a corner of a box; corner picks which one (0 top left, clockwise). */
void paintCorner (juce::Graphics& g, Point<float> corner, int which, float size)
{
    const auto sx = which == 0 || which == 3 ? 1.0f : -1.0f;
    const auto sy = which < 2 ? 1.0f : -1.0f;
    juce::Path cap;
    cap.startNewSubPath (0.0f, 0.0f);
    cap.lineTo (size, 0.0f);
    cap.quadraticTo (size * 0.95f, size * 0.3f, size * 0.42f, size * 0.42f);
    cap.quadraticTo (size * 0.3f, size * 0.95f, 0.0f, size);
    cap.closeSubPath();
    cap.applyTransform (juce::AffineTransform::scale (sx, sy).translated (corner));
    art::drawSoftShadow (g, cap, { 0.0f, size * 0.05f }, size * 0.06f, 0.6f);
    const auto bounds = cap.getBounds();
    juce::ColourGradient chrome (juce::Colours::white,
                                 bounds.getTopLeft(),
                                 art::colours::chromeDark.darker (0.3f),
                                 bounds.getBottomRight(),
                                 false);
    chrome.addColour (0.35, art::colours::chromeMid);
    chrome.addColour (0.5, art::colours::chromeLight);
    g.setGradientFill (chrome);
    g.fillPath (cap);
    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.strokePath (cap, juce::PathStrokeType (std::max (0.6f, size * 0.012f)));
    const auto rivet = corner.translated (sx * size * 0.2f, sy * size * 0.2f);
    g.setColour (juce::Colours::black.withAlpha (0.35f));
    g.fillEllipse (Rectangle<float> (size * 0.09f, size * 0.09f).withCentre (rivet.translated (0.0f, size * 0.01f)));
    g.setColour (art::colours::chromeLight);
    g.fillEllipse (Rectangle<float> (size * 0.07f, size * 0.07f).withCentre (rivet));
}

/** Cloth stretched behind a baffle opening, in shadow under the opening's top edge. */
void paintGrille (juce::Image& image, Rectangle<float> area, float thread)
{
    art::mapPixels (image,
                    area.toNearestInt(),
                    [thread] (int x, int y, juce::Colour)
                    { return AmpPainter::grilleCloth ((float) x, (float) y, thread); });

    juce::Graphics g (image);
    const auto lip = area.getHeight() * 0.12f;
    art::fillFade (g, area.withHeight (lip), juce::Colours::black.withAlpha (0.6f), art::Edge::top);
    art::fillFade (g, area.withWidth (lip * 0.6f), juce::Colours::black.withAlpha (0.35f), art::Edge::left);
}

/** Cream welt piping around an opening, lit from above. */
void paintPiping (juce::Graphics& g, Rectangle<float> area, float width, float corner)
{
    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.drawRoundedRectangle (area.translated (0.0f, width * 0.35f), corner, width * 1.2f);
    g.setColour (piping.darker (0.25f));
    g.drawRoundedRectangle (area, corner, width);
    g.setColour (piping);
    g.drawRoundedRectangle (area.translated (0.0f, -width * 0.15f), corner, width * 0.6f);
    g.setColour (juce::Colours::white.withAlpha (0.6f));
    g.drawRoundedRectangle (area.translated (0.0f, -width * 0.25f), corner, width * 0.2f);
}

/** Relief at the edges of a tolex-covered box: lit along the top, falling off at the bottom and sides. */
void paintBoxEdges (juce::Graphics& g, Rectangle<float> box, float corner, float scale)
{
    const auto band = 26.0f * scale;
    juce::Graphics::ScopedSaveState state (g);
    juce::Path outline;
    outline.addRoundedRectangle (box, corner);
    g.reduceClipRegion (outline);
    art::fillFade (g, box.withHeight (band), juce::Colours::white.withAlpha (0.16f), art::Edge::top);
    art::fillFade (g,
                   box.withTop (box.getBottom() - band * 1.5f),
                   juce::Colours::black.withAlpha (0.5f),
                   art::Edge::bottom);
    art::fillFade (g, box.withWidth (band), juce::Colours::black.withAlpha (0.2f), art::Edge::left);
    art::fillFade (g, box.withLeft (box.getRight() - band), juce::Colours::black.withAlpha (0.45f), art::Edge::right);
}

void paintTolex (juce::Image& image, const juce::Path& outline, float grainSize)
{
    {
        juce::Graphics g (image);
        g.setColour (tolex);
        g.fillPath (outline);
    }

    art::scalePixels (image,
                      outline.getBounds().getSmallestIntegerContainer(),
                      [grainSize] (int x, int y) { return AmpPainter::tolexGrain ((float) x, (float) y, grainSize); });
}

//==============================================================================
// The control panel.

/** A dial of 0 to 10 around a knob: ticks on an arc and the numbers outside it. The tone knobs
    stand too close together for every number, so they carry only 0, 5 and 10. */
void paintDial (juce::Graphics& g, Point<float> centre, float radius, bool small)
{
    const auto sweep = KnobStripPainter::sweepEnd - KnobStripPainter::sweepStart;

    for (int i = 0; i <= 20; ++i)
    {
        const auto a = KnobStripPainter::sweepStart + sweep * (float) i / 20.0f;
        const bool major = i % 2 == 0;
        const auto inner = radius + 9.0f, outer = inner + (major ? 12.0f : 6.0f);
        g.setColour (printInk);
        g.drawLine ({ centre.getPointOnCircumference (inner, a), centre.getPointOnCircumference (outer, a) },
                    major ? 3.0f : 2.0f);

        if (major && (! small || i % 10 == 0))
        {
            const auto at = centre.getPointOnCircumference (radius + (small ? 30.0f : 29.0f), a);
            art::drawLegend (g,
                             juce::String (i / 2),
                             art::Fonts::bold (small ? 17.0f : 19.0f),
                             printInk,
                             Rectangle<float> (40.0f, 24.0f).withCentre (at),
                             juce::Justification::centred,
                             0.0f);
        }
    }
}

/** A group title centred on a rule that spans the group's controls. */
void paintGroupTitle (juce::Graphics& g, float left, float right, const juce::String& title)
{
    constexpr float y = 724.0f;
    const auto font = art::Fonts::bold (22.0f).withExtraKerningFactor (0.4f);
    const auto textWidth = font.getStringWidthFloat (title) + 30.0f;
    const auto middle = (left + right) * 0.5f;
    g.setColour (printInk);
    g.fillRect (Rectangle<float> (left, y - 1.5f, middle - textWidth * 0.5f - left, 3.0f));
    g.fillRect (Rectangle<float> (middle + textWidth * 0.5f, y - 1.5f, right - middle - textWidth * 0.5f, 3.0f));
    g.fillRect (Rectangle<float> (left, y - 1.5f, 3.0f, 14.0f));
    g.fillRect (Rectangle<float> (right - 3.0f, y - 1.5f, 3.0f, 14.0f));
    art::drawLegend (g,
                     title,
                     art::Fonts::bold (22.0f),
                     printInk,
                     Rectangle<float> (textWidth, 30.0f).withCentre ({ middle, y }),
                     juce::Justification::centred,
                     0.4f);
}

void paintPanel (juce::Image& image)
{
    juce::Graphics g (image);
    juce::Random random (brushSeed);

    // The plate sits in a cut-out of the baffle, which throws a dark lip around it.
    g.setColour (juce::Colours::black.withAlpha (0.85f));
    g.fillRoundedRectangle (panel.expanded (7.0f), 12.0f);

    juce::ColourGradient gold (goldMid, 0.0f, panel.getY(), goldDark, 0.0f, panel.getBottom(), false);
    gold.addColour (0.08, goldLight);
    gold.addColour (0.3, goldMid);
    gold.addColour (0.62, goldMid.darker (0.12f));
    gold.addColour (0.8, goldLight.darker (0.15f));
    g.setGradientFill (gold);
    g.fillRoundedRectangle (panel, 6.0f);
    art::drawSheetTexture (g, panel.toNearestInt(), random, 0.05f, true);
    art::drawSheetTexture (g, panel.toNearestInt(), random, 0.06f, false);

    // Brushed grain along the plate: stretched so that whole runs of a row stay alike.
    art::scalePixels (image,
                      panel.toNearestInt(),
                      [] (int x, int y)
                      { return 0.96f + 0.08f * art::valueNoise ((float) x / 260.0f, (float) y * 0.7f, 0x60ddu); });

    // Bevel: a bright top edge and a darker bottom edge.
    g.setColour (juce::Colours::white.withAlpha (0.45f));
    g.fillRect (panel.withHeight (2.0f).reduced (6.0f, 0.0f));
    g.setColour (juce::Colours::black.withAlpha (0.35f));
    g.fillRect (panel.withTop (panel.getBottom() - 3.0f).reduced (6.0f, 0.0f));

    // Printed border.
    g.setColour (printInk);
    g.drawRoundedRectangle (panel.reduced (18.0f), 8.0f, 2.5f);

    // Input sockets at the left end.
    for (auto [x, legend] : { std::pair<float, const char*>{ 330.0f, "HIGH" }, { 432.0f, "LOW" } })
    {
        const Point<float> centre (x, secret::switchPivotY);
        {
            juce::Graphics::ScopedSaveState state (g);
            g.addTransform (juce::AffineTransform::scale (0.6f, 0.6f, centre.x, centre.y));
            PanelPainter::paintJack (g, centre, {});
        }
        art::drawLegend (g,
                         legend,
                         art::Fonts::bold (22.0f),
                         printInk,
                         Rectangle<float> (100.0f, 28.0f).withCentre ({ x, 946.0f }),
                         juce::Justification::centred,
                         0.3f);
    }
    art::drawLegend (g,
                     "INPUT",
                     art::Fonts::bold (24.0f),
                     printInk,
                     Rectangle<float> (200.0f, 30.0f).withCentre ({ 381.0f, 790.0f }),
                     juce::Justification::centred,
                     0.4f);

    // Knob dials, switch positions and the names under the controls.
    for (const auto& control : secret::controls())
    {
        const auto pivot = secret::pivotOf (control);

        if (control.isSwitch)
        {
            // Lock washer with its tab under the nut; the toggle itself comes from its strip.
            g.setColour (juce::Colours::black.withAlpha (0.3f));
            g.fillEllipse (Rectangle<float> (84.0f, 84.0f).withCentre (pivot.translated (1.0f, 3.0f)));
            g.setGradientFill (chromeGradient (Rectangle<float> (82.0f, 82.0f).withCentre (pivot)));
            g.fillEllipse (Rectangle<float> (82.0f, 82.0f).withCentre (pivot));
            g.setColour (juce::Colours::black.withAlpha (0.4f));
            g.drawEllipse (Rectangle<float> (82.0f, 82.0f).withCentre (pivot), 1.2f);

            const auto reach = LeverPainter::toggleLength + 13.0f;
            art::drawLegend (g,
                             "ON",
                             art::Fonts::bold (20.0f),
                             printInk,
                             Rectangle<float> (80.0f, 24.0f).withCentre (pivot.translated (0.0f, -reach - 22.0f)),
                             juce::Justification::centred,
                             0.3f);
            art::drawLegend (g,
                             "OFF",
                             art::Fonts::bold (20.0f),
                             printInk,
                             Rectangle<float> (80.0f, 24.0f).withCentre (pivot.translated (0.0f, reach + 17.0f)),
                             juce::Justification::centred,
                             0.3f);
            art::drawLegend (g,
                             control.legend,
                             art::Fonts::bold (28.0f),
                             printInk,
                             Rectangle<float> (200.0f, 34.0f).withCentre ({ pivot.x, switchLegendY }),
                             juce::Justification::centred,
                             0.3f);
        }
        else
        {
            const bool small = secret::isToneKnob (control);
            paintDial (g, pivot, secret::knobRadius (control), small);
            art::drawLegend (g,
                             control.legend,
                             art::Fonts::bold (28.0f),
                             printInk,
                             Rectangle<float> (200.0f, 34.0f).withCentre ({ pivot.x, knobLegendY }),
                             juce::Justification::centred,
                             0.3f);
        }
    }

    paintGroupTitle (g, 490.0f, 1245.0f, "AMPLIFIER");
    paintGroupTitle (g, 1278.0f, 1908.0f, "MODULATION");
    paintGroupTitle (g, 1950.0f, 2430.0f, "TONE");

    // Model plate printing at the right end.
    art::drawLegend (g,
                     "CV-40",
                     art::Fonts::bold (64.0f),
                     printInk,
                     { 2470.0f, 800.0f, 240.0f, 70.0f },
                     juce::Justification::centred,
                     0.05f);
    art::drawLegend (g,
                     "VALVE AMPLIFIER",
                     art::Fonts::bold (18.0f),
                     printInk,
                     { 2460.0f, 872.0f, 260.0f, 24.0f },
                     juce::Justification::centred,
                     0.3f);
    art::drawLegend (g,
                     juce::String::fromUTF8 ("40 WATTS  \xc2\xb7  TREMOLO"),
                     art::Fonts::medium (16.0f),
                     printInk,
                     { 2460.0f, 900.0f, 260.0f, 22.0f },
                     juce::Justification::centred,
                     0.3f);

    for (auto p : { panel.getTopLeft().translated (40.0f, 40.0f),
                    panel.getTopRight().translated (-40.0f, 40.0f),
                    panel.getBottomLeft().translated (40.0f, -40.0f),
                    panel.getBottomRight().translated (-40.0f, -40.0f) })
        art::drawScrew (g, p, 11.0f, 0.3f + p.x * 0.0013f + p.y * 0.002f);
}

juce::Image paintHead()
{
    auto image = art::makeImage (secret::bodyWidth, secret::bodyHeight);

    {
        juce::Graphics g (image);
        paintHandle (g);
    }

    juce::Path outline;
    outline.addRoundedRectangle (headBox, 40.0f);
    paintTolex (image, outline, 1.0f);

    {
        juce::Graphics g (image);
        paintBoxEdges (g, headBox, 40.0f, 1.0f);
    }

    paintGrille (image, grille, 5.0f);
    paintPanel (image);

    juce::Graphics g (image);
    paintPiping (g, grille.expanded (5.0f), 8.0f, 8.0f);
    AmpPainter::paintLogoPlate (g, secret::logoPlate.toFloat(), false);

    for (int corner = 0; corner < 4; ++corner)
    {
        const auto at = corner == 0   ? headBox.getTopLeft()
                        : corner == 1 ? headBox.getTopRight()
                        : corner == 2 ? headBox.getBottomRight()
                                      : headBox.getBottomLeft();
        paintCorner (g, at, corner, 120.0f);
    }

    return image;
}
} // namespace

float AmpPainter::tolexGrain (float x, float y, float grainSize)
{
    // Pebbled leather: bumps of a few pixels, each lit on its upper-left flank.
    const auto u = x / grainSize, v = y / grainSize;
    const auto bumpsA = art::fractalNoise (u * 0.2f, v * 0.2f, 2, grainSeed);
    const auto bumpsB = art::fractalNoise ((u + 0.9f) * 0.2f, (v + 1.1f) * 0.2f, 2, grainSeed);
    const auto relief = (bumpsA - bumpsB) * 1.3f;
    const auto mottle = art::valueNoise (u * 0.01f, v * 0.012f, grainSeed + 1u) - 0.5f;
    return 1.0f + relief + 0.12f * mottle;
}

juce::Colour AmpPainter::grilleCloth (float x, float y, float thread)
{
    const auto unevenness = 0.93f + 0.14f * art::valueNoise (x / (thread * 40.0f), y / (thread * 30.0f), clothSeed);

    // Below three pixels a thread cannot be drawn: from afar the cloth reads as an even grey.
    if (thread < 3.0f)
    {
        const auto shade = 0.33f * unevenness;
        return juce::Colour::fromFloatRGBA (shade * 0.98f, shade * 0.96f, shade * 0.9f, 1.0f);
    }

    const auto cx = x / thread, cy = y / thread;
    const auto i = (int) std::floor (cx), j = (int) std::floor (cy);
    const auto fx = cx - (float) i, fy = cy - (float) j;

    // Plain weave: warp and weft threads take turns on top. Black and white fibres are spun
    // together, so every crossing shows its own mix: salt and pepper.
    const bool weftOnTop = ((i + j) & 1) == 0;
    const auto spun = weftOnTop ? art::latticeNoise (0, j, weftSeed) : art::latticeNoise (i, 0, warpSeed);
    const auto tone = 0.3f + 0.45f * std::pow (0.55f * art::latticeNoise (i, j, clothSeed + 7u) + 0.45f * spun, 1.2f);
    const auto across = weftOnTop ? fy : fx, along = weftOnTop ? fx : fy;
    const auto round = std::sqrt (std::max (0.0f, std::sin (juce::MathConstants<float>::pi * across)));
    const auto dive = 0.7f + 0.3f * std::sin (juce::MathConstants<float>::pi * along);
    const auto shade = tone * (0.25f + 0.75f * round) * dive * unevenness;
    return juce::Colour::fromFloatRGBA (clamp01 (shade * 0.98f), clamp01 (shade * 0.96f), clamp01 (shade * 0.9f), 1.0f);
}

void AmpPainter::paintLogoPlate (juce::Graphics& g, juce::Rectangle<float> cell, bool lit)
{
    const auto plate = cell.reduced (4.0f);
    juce::Path outline;
    outline.addRoundedRectangle (plate, 20.0f);

    if (! lit)
        art::drawSoftShadow (g, outline, { 4.0f, 8.0f }, 6.0f, 0.65f);

    g.setGradientFill (chromeGradient (plate));
    g.fillPath (outline);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.strokePath (outline, juce::PathStrokeType (1.5f));

    // Enamel field; lit, a lamp behind the plate warms it from the middle.
    const auto field = plate.reduced (9.0f);
    if (lit)
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff7a3c0e),
                                                 field.getCentre(),
                                                 juce::Colour (0xff2a1305),
                                                 field.getTopLeft(),
                                                 true));
    else
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff2a2826),
                                                 field.getTopLeft(),
                                                 juce::Colour (0xff070707),
                                                 field.getBottomRight(),
                                                 false));
    g.fillRoundedRectangle (field, 13.0f);
    g.setColour (juce::Colours::black.withAlpha (0.7f));
    g.drawRoundedRectangle (field, 13.0f, 2.0f);

    const auto gold = lit ? juce::Colour (0xfffff1c8) : goldMid;
    const Point<float> scriptCentre (field.getCentreX(), field.getY() + 92.0f);

    // The script: Inter Bold leaned well forward, with a swash that runs back under the name.
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (art::Fonts::bold (60.0f).withExtraKerningFactor (-0.02f), "Vantorra", 0.0f, 0.0f);
    juce::Path script;
    glyphs.createPath (script);
    script.applyTransform (juce::AffineTransform::shear (-0.32f, 0.0f));
    const auto raw = script.getBounds();
    const auto fit = 178.0f / raw.getWidth();
    script.applyTransform (juce::AffineTransform::translation (-raw.getCentreX(), -raw.getCentreY())
                               .scaled (fit)
                               .translated (scriptCentre));

    juce::Path swash;
    const auto sb = script.getBounds();
    swash.startNewSubPath (sb.getX() + 10.0f, sb.getBottom() - 4.0f);
    swash.cubicTo (sb.getX() - 4.0f,
                   sb.getBottom() + 16.0f,
                   sb.getCentreX(),
                   sb.getBottom() + 8.0f,
                   sb.getRight() + 2.0f,
                   sb.getBottom() + 2.0f);
    swash.cubicTo (sb.getCentreX(),
                   sb.getBottom() + 13.0f,
                   sb.getX() + 6.0f,
                   sb.getBottom() + 22.0f,
                   sb.getX() + 10.0f,
                   sb.getBottom() - 4.0f);
    swash.closeSubPath();
    script.addPath (swash);

    if (lit)
    {
        art::fillGlow (g, scriptCentre, 120.0f, 60.0f, juce::Colour (0xffffb347), 0.8f);
        art::fillGlow (g, scriptCentre, 90.0f, 36.0f, juce::Colour (0xfffff0c0), 0.6f);
    }

    g.setColour (juce::Colours::black.withAlpha (lit ? 0.35f : 0.7f));
    g.fillPath (script, juce::AffineTransform::translation (1.5f, 2.5f));
    g.setGradientFill (juce::ColourGradient (lit ? juce::Colours::white : goldLight,
                                             0.0f,
                                             sb.getY(),
                                             lit ? juce::Colour (0xffffcf70) : goldDark,
                                             0.0f,
                                             sb.getBottom() + 14.0f,
                                             false));
    g.fillPath (script);
    g.setColour (juce::Colours::white.withAlpha (lit ? 0.6f : 0.35f));
    g.strokePath (script, juce::PathStrokeType (0.8f), juce::AffineTransform::translation (-0.5f, -0.8f));

    HeaderArtPainter::paintCoil (
        g,
        Rectangle<float> (112.0f, 30.0f).withCentre ({ field.getCentreX(), field.getY() + 30.0f }),
        6,
        4.0f,
        gold);
    art::drawLegend (
        g,
        "COILVOX",
        art::Fonts::bold (17.0f),
        lit ? juce::Colour (0xfffff4d8) : piping.withAlpha (0.85f),
        Rectangle<float> (field.getWidth(), 24.0f).withCentre ({ field.getCentreX(), field.getBottom() - 26.0f }),
        juce::Justification::centred,
        0.5f);

    // A glint along the top of the chrome rim.
    g.setColour (juce::Colours::white.withAlpha (0.7f));
    g.drawLine (plate.getX() + 24.0f, plate.getY() + 2.5f, plate.getRight() - 24.0f, plate.getY() + 2.5f, 1.5f);
}

const juce::Image& AmpPainter::headLayer()
{
    // Drawn once: the body and the scene both start from it.
    static const juce::Image head = paintHead();
    return head;
}

juce::Image AmpPainter::headWithControls()
{
    auto image = headLayer().createCopy();

    for (const auto& control : secret::controls())
    {
        const auto pivot = secret::pivotOf (control);

        if (control.isSwitch)
        {
            juce::Graphics g (image);
            // The amplifier is switched on, the cabinet in, the tremolo running free.
            const bool up = control.cell != secret::syncSwitch;
            LeverPainter::paintToggle (g, pivot, up);
        }
        else
        {
            const auto setting = control.cell == secret::gain ? 0.65f : control.cell == secret::depth ? 0.35f : 0.5f;
            ChickenHeadKnobPainter::paintKnob (
                image,
                image.getBounds(),
                pivot,
                secret::knobRadius (control),
                KnobStripPainter::sweepStart + setting * (KnobStripPainter::sweepEnd - KnobStripPainter::sweepStart));
        }
    }

    juce::Graphics g (image);
    LampPainter::paintJewelLamp (g, secret::lamp.toFloat().getCentre(), 1.0f);
    return image;
}

juce::Image AmpPainter::paintCabinet (int width, int height, float scale)
{
    auto image = art::makeImage (width, height);
    const Rectangle<float> box (0.0f, 0.0f, (float) width, (float) height);
    const auto corner = 34.0f * scale;
    juce::Path outline;
    outline.addRoundedRectangle (box, corner);
    paintTolex (image, outline, scale);

    {
        juce::Graphics g (image);
        paintBoxEdges (g, box, corner, scale);
    }

    const auto border = 96.0f * scale;
    const auto opening = box.reduced (border);
    paintGrille (image, opening, 5.0f * scale);

    juce::Graphics g (image);
    paintPiping (g, opening.expanded (5.0f * scale), 8.0f * scale, 8.0f * scale);

    for (int which = 0; which < 4; ++which)
    {
        const auto at = which == 0   ? box.getTopLeft()
                        : which == 1 ? box.getTopRight()
                        : which == 2 ? box.getBottomRight()
                                     : box.getBottomLeft();
        paintCorner (g, at, which, 120.0f * scale);
    }

    return image;
}
