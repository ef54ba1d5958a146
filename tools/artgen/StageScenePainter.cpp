#include "StageScenePainter.h"
#include "AmpPainter.h"
#include "ArtCommon.h"
#include "SecretLayout.h"

namespace
{
using juce::Point;
using juce::Rectangle;
using Light = art::Vec3;

// Fixed seeds: velvet, floor and haze come out the same on every run.
constexpr juce::uint32 curtainSeed = 0xc0a7u, floorSeed = 0xf100u, hazeSeed = 0x4a2eu;

constexpr int sceneWidth = secret::bodyWidth, sceneHeight = secret::bodyHeight;
constexpr int floorTop = 1330;                        // where the curtain meets the stage
constexpr float horizonY = 880.0f, vanishX = 1500.0f; // the camera's eye level and axis
constexpr float focalLength = 2000.0f;                // pixels, for the floor's perspective

// The amplifier inside its rectangle: the body's head reduced by four on the cabinet.
constexpr int reduction = 4;
const Rectangle<int> headSource{ 150, 124, 2700, 1140 };
const Point<int> headOffset{ 13, 1 };
const Rectangle<int> cabinet{ 10, 286, 680, 484 };

float clamp01 (float x) { return juce::jlimit (0.0f, 1.0f, x); }

float gaussian (float dx, float dy, float rx, float ry)
{
    return std::exp (-(dx * dx / (rx * rx) + dy * dy / (ry * ry)));
}

Light times (Light a, Light b) { return a.times (b); }

juce::Colour lightUp (juce::Colour c, Light l, Light added = {})
{
    return juce::Colour::fromFloatRGBA (clamp01 (c.getFloatRed() * l.x + added.x),
                                        clamp01 (c.getFloatGreen() * l.y + added.y),
                                        clamp01 (c.getFloatBlue() * l.z + added.z),
                                        c.getFloatAlpha());
}

/** A can light and where it points; the cone of lit haze widens by spread over its length. */
struct Beam
{
    Point<float> source, target;
    float spread;
    Light colour;
    float strength;
};

const Beam micBeam{ { 1030.0f, 150.0f }, { 1060.0f, 1760.0f }, 330.0f, { 1.0f, 0.8f, 0.55f }, 0.2f };
const Beam washBeam{ { 470.0f, 140.0f }, { 330.0f, 1250.0f }, 420.0f, { 0.35f, 0.5f, 1.0f }, 0.13f };
const Point<float> microphone{ 1060.0f, 1700.0f }; // the stand's hub

//==============================================================================
// Light falling on the stage, as red, green and blue gains.

Light curtainLight (int x, int y)
{
    const auto fx = (float) x, fy = (float) y;
    // Dark up in the flies, lighter towards the floor where the spill lands.
    const auto base = 0.05f + 0.14f * art::smoothStep (100.0f, (float) floorTop, fy);
    const auto mic = 1.0f * gaussian (fx - 1060.0f, fy - 1150.0f, 400.0f, 620.0f);
    const auto wash = 0.9f * gaussian (fx - 380.0f, fy - 950.0f, 540.0f, 720.0f);
    const auto amp = 0.35f * gaussian (fx - 2160.0f, fy - 800.0f, 560.0f, 520.0f);
    return { base + mic + 0.35f * wash + 0.8f * amp,
             base + 0.8f * mic + 0.5f * wash + 0.7f * amp,
             base + 0.6f * mic + 1.0f * wash + 0.75f * amp };
}

Light floorLight (int x, int y)
{
    const auto fx = (float) x, fy = (float) y;
    const auto front = 1.0f - 0.5f * art::smoothStep (1750.0f, (float) sceneHeight, fy); // out of the lights
    const auto base = 0.2f;
    const auto mic = 2.4f * gaussian (fx - 1060.0f, fy - 1775.0f, 560.0f, 190.0f);
    const auto wash = 0.8f * gaussian (fx - 350.0f, fy - 1480.0f, 680.0f, 260.0f);
    const auto amp = 0.55f * gaussian (fx - 2160.0f, fy - 1560.0f, 560.0f, 150.0f);
    return Light{ base + mic + 0.35f * wash + 0.85f * amp,
                  base + 0.82f * mic + 0.5f * wash + 0.8f * amp,
                  base + 0.6f * mic + 1.0f * wash + 0.8f * amp }
           * front;
}

/** The amplifier's light: dim and cool on the dark stage, or a warm spot that fades out towards
    the rectangle's border, where the highlight must match the scene. */
Light ampLight (int x, int y, bool lit)
{
    const auto fx = (float) x + 0.5f, fy = (float) y + 0.5f;
    const auto height = (float) secret::sceneAmp.getHeight(), width = (float) secret::sceneAmp.getWidth();
    const auto dim = Light{ 0.36f, 0.37f, 0.45f } * (0.85f + 0.3f * (1.0f - fy / height));

    if (! lit)
        return dim;

    const auto spot = 0.8f + 0.3f * gaussian (fx - 340.0f, fy - 180.0f, 520.0f, 560.0f);
    const auto edge = std::min ({ fx, width - fx, fy, height - fy });
    const auto blend = art::smoothStep (0.0f, 26.0f, edge);
    return dim + (Light{ 1.02f, 0.95f, 0.84f } * spot - dim) * blend;
}

//==============================================================================
void paintFloor (juce::Image& image)
{
    constexpr float plankWidth = 0.13f, plankLength = 1.3f; // in camera heights
    const Light oak{ 0.3f, 0.17f, 0.09f };

    art::mapPixels (
        image,
        { 0, floorTop, sceneWidth, sceneHeight - floorTop },
        [&] (int x, int y, juce::Colour)
        {
            const auto dy = (float) y + 0.5f - horizonY;
            const auto across = ((float) x + 0.5f - vanishX) / dy;
            const auto depth = focalLength / dy;

            // Boards run away from the audience; the gaps between them stay about a pixel wide.
            const auto board = across / plankWidth;
            const auto index = (int) std::floor (board);
            const auto within = board - (float) index;
            const auto gap = art::smoothStep (0.3f, 1.5f, std::min (within, 1.0f - within) * plankWidth * dy);

            // Butt joints, staggered board by board.
            const auto run = depth / plankLength + art::latticeNoise (index, 0, floorSeed);
            const auto along = run - std::floor (run);
            const auto joint =
                art::smoothStep (0.2f, 1.2f, std::min (along, 1.0f - along) * plankLength * dy * dy / focalLength);

            const auto tone = 0.72f + 0.5f * art::latticeNoise (index, (int) std::floor (run), floorSeed + 1u);
            const auto grain =
                art::fractalNoise (across * 70.0f + (float) index * 7.3f, depth * 2.2f, 2, floorSeed + 2u);
            const auto wood = tone * (0.65f + 0.7f * grain) * (0.35f + 0.65f * gap * joint);
            const auto light = floorLight (x, y);

            // Varnish: the lights' sheen, strongest where the view grazes the boards.
            const auto sheen = 0.05f * (1.0f - art::smoothStep ((float) floorTop, 1700.0f, (float) y)) * gap;
            return lightUp (juce::Colour::fromFloatRGBA (oak.x * wood, oak.y * wood, oak.z * wood, 1.0f),
                            light,
                            times (light, { sheen, sheen * 0.9f, sheen * 0.8f }));
        });

    // The curtain's hem lies on the boards and shades them.
    juce::Graphics g (image);
    art::fillFade (g,
                   { 0.0f, (float) floorTop, (float) sceneWidth, 30.0f },
                   juce::Colours::black.withAlpha (0.8f),
                   art::Edge::top);
}

/** Lit haze in a cone from the can's lens to its target, with drifting smoke. */
void paintBeam (juce::Image& image, const Beam& beam)
{
    const auto axis = beam.target - beam.source;
    const auto length = axis.getDistanceFromOrigin();
    const auto dir = axis / length;
    const auto bounds = Rectangle<float> (beam.source, beam.target).expanded (beam.spread * 1.4f).toNearestInt();

    art::mapPixels (image,
                    bounds,
                    [&] (int x, int y, juce::Colour colour)
                    {
                        const auto p = Point<float> ((float) x, (float) y) - beam.source;
                        const auto t = (p.x * dir.x + p.y * dir.y) / length;

                        if (t <= 0.0f)
                            return colour;

                        const auto off = std::abs (p.x * dir.y - p.y * dir.x) / (22.0f + beam.spread * t);

                        if (off > 2.5f)
                            return colour;

                        const auto fade =
                            (1.0f - 0.55f * std::min (t, 1.0f)) * (t > 1.0f ? std::exp (-(t - 1.0f) * 10.0f) : 1.0f);
                        const auto smoke =
                            0.5f + art::fractalNoise ((float) x / 230.0f, (float) y / 170.0f, 3, hazeSeed);
                        const auto amount = beam.strength * std::exp (-off * off * 1.6f) * fade * smoke;
                        return lightUp (colour, { 1.0f, 1.0f, 1.0f }, beam.colour * amount);
                    });
}

/** Truss, cans and the masking above the stage. */
void paintRig (juce::Graphics& g)
{
    art::fillFade (g, { 0.0f, 0.0f, (float) sceneWidth, 300.0f }, juce::Colours::black, art::Edge::top);

    for (auto y : { 56.0f, 104.0f })
    {
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff4a4a4c),
                                                 0.0f,
                                                 y - 7.0f,
                                                 juce::Colour (0xff0c0c0d),
                                                 0.0f,
                                                 y + 7.0f,
                                                 false));
        g.fillRect (Rectangle<float> (0.0f, y - 7.0f, (float) sceneWidth, 14.0f));
    }

    g.setColour (juce::Colour (0xff1c1c1e));
    for (float x = -20.0f; x < (float) sceneWidth; x += 96.0f)
    {
        g.drawLine (x, 60.0f, x + 48.0f, 100.0f, 5.0f);
        g.drawLine (x + 48.0f, 100.0f, x + 96.0f, 60.0f, 5.0f);
    }

    struct Can
    {
        float x;
        Point<float> aim;
        const Beam* beam;
    };
    const Can cans[] = { { 470.0f, washBeam.target, &washBeam },
                         { 1030.0f, micBeam.target, &micBeam },
                         { 1590.0f, { 1500.0f, 1500.0f }, nullptr },
                         { 2160.0f, { 2160.0f, 1100.0f }, nullptr },
                         { 2640.0f, { 2800.0f, 1500.0f }, nullptr } };

    for (const auto& can : cans)
    {
        const Point<float> lens (can.x, 150.0f);
        const auto angle = std::atan2 (can.aim.x - lens.x, lens.y - can.aim.y); // from straight up
        juce::Path body;
        body.addRoundedRectangle (-34.0f, -4.0f, 68.0f, 104.0f, 10.0f);
        body.applyTransform (
            juce::AffineTransform::rotation (angle + juce::MathConstants<float>::pi).translated (lens));

        // Yoke to the lower tube.
        g.setColour (juce::Colour (0xff141415));
        g.drawLine (lens.x - 44.0f, 104.0f, lens.x - 44.0f, 150.0f, 6.0f);
        g.drawLine (lens.x + 44.0f, 104.0f, lens.x + 44.0f, 150.0f, 6.0f);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff3a3a3d),
                                                 lens.x - 30.0f,
                                                 0.0f,
                                                 juce::Colour (0xff0a0a0b),
                                                 lens.x + 30.0f,
                                                 0.0f,
                                                 false));
        g.fillPath (body);

        const auto face = Rectangle<float> (66.0f, 18.0f).withCentre (lens);
        if (can.beam != nullptr)
        {
            const auto c = can.beam->colour;
            const auto tint = juce::Colour::fromFloatRGBA (clamp01 (0.6f + 0.4f * c.x),
                                                           clamp01 (0.6f + 0.4f * c.y),
                                                           clamp01 (0.6f + 0.4f * c.z),
                                                           1.0f);
            art::fillGlow (g, lens, 150.0f, 110.0f, tint, 0.35f);
            art::fillGlow (g, lens, 50.0f, 30.0f, juce::Colours::white, 0.9f);
            g.setColour (juce::Colours::white.withAlpha (0.95f));
        }
        else
            g.setColour (juce::Colour (0xff202022));
        g.fillEllipse (face);
    }
}

void paintMicStand (juce::Graphics& g)
{
    const auto hub = microphone;
    const auto metal = juce::Colour (0xff111112);
    const auto rim = juce::Colour (0xffd9c7a6);

    // Its shadow, straight down under the overhead spot.
    art::fillGlow (g, hub.translated (0.0f, 62.0f), 150.0f, 34.0f, juce::Colours::black, 0.8f);

    const Point<float> feet[] = { { 935.0f, 1780.0f }, { 1185.0f, 1772.0f }, { 1082.0f, 1742.0f } };
    for (auto foot : feet)
    {
        g.setColour (metal);
        g.drawLine ({ hub, foot }, 9.0f);
        g.setColour (rim.withAlpha (0.35f));
        g.drawLine ({ hub.translated (0.0f, -3.0f), foot.translated (0.0f, -3.0f) }, 2.0f);
        g.setColour (juce::Colour (0xff070707));
        g.fillEllipse (Rectangle<float> (22.0f, 12.0f).withCentre (foot));
    }

    // Lower tube, clutch, upper tube.
    const auto tube = [&] (float top, float bottom, float width)
    {
        const Rectangle<float> r (hub.x - width * 0.5f, top, width, bottom - top);
        g.setGradientFill (juce::ColourGradient (rim.withAlpha (1.0f).darker (0.3f),
                                                 r.getX(),
                                                 0.0f,
                                                 metal,
                                                 r.getX() + width * 0.6f,
                                                 0.0f,
                                                 false));
        g.fillRect (r);
    };
    tube (1420.0f, hub.y, 15.0f);
    tube (1160.0f, 1420.0f, 9.0f);
    g.setColour (juce::Colour (0xff1a1a1b));
    g.fillRoundedRectangle (Rectangle<float> (28.0f, 24.0f).withCentre ({ hub.x, 1420.0f }), 5.0f);
    g.setColour (rim.withAlpha (0.5f));
    g.drawLine (hub.x - 13.0f, 1410.0f, hub.x - 13.0f, 1430.0f, 2.0f);

    // Microphone in its clip, leaning towards the audience.
    const Point<float> clip (hub.x, 1158.0f), head (1026.0f, 1058.0f);
    juce::Path handle;
    handle.startNewSubPath (clip.translated (-7.0f, 0.0f));
    handle.lineTo (head.translated (-12.0f, 14.0f));
    handle.lineTo (head.translated (12.0f, 18.0f));
    handle.lineTo (clip.translated (7.0f, 2.0f));
    handle.closeSubPath();
    g.setGradientFill (
        juce::ColourGradient (juce::Colour (0xff3a3a3c), head.x - 12.0f, 0.0f, metal, head.x + 10.0f, 0.0f, false));
    g.fillPath (handle);
    const auto ball = Rectangle<float> (50.0f, 46.0f).withCentre (head);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xffe8e2d6),
                                             head.translated (-8.0f, -14.0f),
                                             juce::Colour (0xff2a2a2a),
                                             ball.getBottomRight(),
                                             true));
    g.fillEllipse (ball);
    g.setColour (juce::Colours::black.withAlpha (0.35f));
    for (float d = -20.0f; d <= 20.0f; d += 5.0f)
    {
        g.drawLine (head.x + d, ball.getY() + 2.0f, head.x + d * 0.8f, ball.getBottom() - 2.0f, 0.8f);
        g.drawLine (ball.getX() + 2.0f, head.y + d * 0.9f, ball.getRight() - 2.0f, head.y + d * 0.9f, 0.8f);
    }
    g.setColour (juce::Colour (0xff101010));
    g.fillRect (Rectangle<float> (44.0f, 6.0f).withCentre (head.translated (0.0f, 16.0f)));
}

/** A guitar lead lying on the boards, from the amplifier's corner off to the left. */
void paintFloorLead (juce::Graphics& g)
{
    juce::Path lead;
    lead.startNewSubPath (1846.0f, 1506.0f);
    lead.cubicTo (1760.0f, 1560.0f, 1650.0f, 1600.0f, 1520.0f, 1640.0f);
    lead.cubicTo (1300.0f, 1710.0f, 1400.0f, 1820.0f, 1230.0f, 1860.0f);
    lead.cubicTo (1000.0f, 1910.0f, 700.0f, 1880.0f, 420.0f, 2060.0f);
    g.setColour (juce::Colours::black.withAlpha (0.55f));
    g.strokePath (lead, juce::PathStrokeType (12.0f), juce::AffineTransform::translation (3.0f, 4.0f));
    g.setColour (juce::Colour (0xff0b0b0b));
    g.strokePath (lead, juce::PathStrokeType (9.0f));
    g.setColour (juce::Colour (0xff9a8a70).withAlpha (0.3f));
    g.strokePath (lead, juce::PathStrokeType (2.0f), juce::AffineTransform::translation (-1.0f, -2.5f));
}

/** Head on cabinet in the amplifier's rectangle, unlit (its own colours). */
juce::Image paintAmplifier()
{
    auto layer = art::makeImage (secret::sceneAmp.getWidth(), secret::sceneAmp.getHeight());
    juce::Graphics g (layer);

    // Glides under the cabinet's front corners.
    g.setColour (juce::Colour (0xff0e0e0e));
    for (auto x : { cabinet.getX() + 26, cabinet.getRight() - 66 })
        g.fillRoundedRectangle (Rectangle<float> ((float) x, (float) cabinet.getBottom() - 4.0f, 40.0f, 12.0f), 3.0f);

    // Drawn at the body's size and reduced like the head, so its cloth keeps some weave; a touch
    // soft, as the far end of the stage is a little out of focus.
    const auto fullSize =
        AmpPainter::paintCabinet (cabinet.getWidth() * reduction, cabinet.getHeight() * reduction, 1.0f);
    g.drawImageAt (art::blurImage (art::downsample (fullSize, fullSize.getBounds(), reduction), 1, 1),
                   cabinet.getX(),
                   cabinet.getY());

    // The head's shadow on the cabinet's top, then the head.
    art::fillFade (g,
                   cabinet.withHeight (16).reduced (6, 0).toFloat(),
                   juce::Colours::black.withAlpha (0.6f),
                   art::Edge::top);
    g.drawImageAt (art::downsample (AmpPainter::headWithControls(), headSource, reduction), headOffset.x, headOffset.y);

    // The lead from the head's input socket down the cabinet's front to the floor.
    const auto socket =
        (Point<float> (330.0f, secret::switchPivotY) - headSource.getPosition().toFloat()) / (float) reduction
        + headOffset.toFloat();
    juce::Path lead;
    lead.startNewSubPath (socket);
    lead.lineTo (socket.translated (0.0f, 8.0f));
    lead.cubicTo (socket.x + 6.0f, 330.0f, 30.0f, 600.0f, 37.0f, (float) layer.getHeight() + 4.0f);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.strokePath (lead, juce::PathStrokeType (4.0f), juce::AffineTransform::translation (2.0f, 2.0f));
    g.setColour (juce::Colour (0xff0b0b0b));
    g.strokePath (lead, juce::PathStrokeType (3.0f));
    g.setColour (juce::Colours::white.withAlpha (0.2f));
    g.strokePath (lead, juce::PathStrokeType (0.8f), juce::AffineTransform::translation (-0.6f, 0.0f));
    return layer;
}

juce::Image lightAmplifier (const juce::Image& amplifier, bool lit)
{
    auto out = amplifier.createCopy();
    art::mapPixels (out,
                    out.getBounds(),
                    [lit] (int x, int y, juce::Colour c)
                    { return c.getAlpha() == 0 ? c : lightUp (c, ampLight (x, y, lit)); });

    // The pilot lamp shines whatever the room's light.
    const auto lamp = (secret::lamp.toFloat().getCentre() - headSource.getPosition().toFloat()) / (float) reduction
                      + headOffset.toFloat();
    juce::Graphics g (out);
    art::fillGlow (g, lamp, lit ? 16.0f : 11.0f, lit ? 16.0f : 11.0f, juce::Colour (0xffff4a1c), lit ? 0.95f : 0.8f);
    art::fillGlow (g, lamp, 4.0f, 4.0f, juce::Colour (0xffffe0a0), 0.9f);
    return out;
}

/** The dim amplifier mirrored in the varnished boards in front of it. */
void paintReflection (juce::Image& stage, const juce::Image& amplifier)
{
    const auto area = secret::sceneAmp;
    const auto mirrorY = area.getY() + cabinet.getBottom() + 7;
    constexpr int depth = 200;
    const auto soft = art::downsample (amplifier, amplifier.getBounds(), 4);

    art::mapPixels (stage,
                    { area.getX(), mirrorY, area.getWidth(), depth },
                    [&] (int x, int y, juce::Colour c)
                    {
                        const auto sourceY = (float) (mirrorY - area.getY() - (y - mirrorY)) / 4.0f;
                        const auto sourceX = (float) (x - area.getX()) / 4.0f;
                        const auto m = soft.getPixelAt (juce::jlimit (0, soft.getWidth() - 1, (int) sourceX),
                                                        juce::jlimit (0, soft.getHeight() - 1, (int) sourceY));
                        const auto fade =
                            0.28f * std::pow (1.0f - (float) (y - mirrorY) / (float) depth, 2.0f) * m.getFloatAlpha();
                        return c.interpolatedWith (m.withAlpha (1.0f), fade);
                    });

    juce::Graphics g (stage);
    art::fillGlow (g,
                   { (float) area.getCentreX(), (float) mirrorY - 2.0f },
                   380.0f,
                   20.0f,
                   juce::Colours::black,
                   0.85f);
}
} // namespace

void StageScenePainter::paintCurtain (juce::Image& image,
                                      juce::Rectangle<int> area,
                                      float foldWidth,
                                      float pile,
                                      const std::function<art::Vec3 (int, int)>& light)
{
    const Light velvet{ 0.52f, 0.045f, 0.06f };
    const auto twoPi = juce::MathConstants<float>::twoPi;

    art::mapPixels (
        image,
        area,
        [&] (int x, int y, juce::Colour)
        {
            const auto fx = (float) x, fy = (float) y;
            // Folds wander in width and sway a little from top to bottom, as a hung drape does.
            const auto phase =
                fx / foldWidth + 1.4f * art::valueNoise (fx / (foldWidth * 2.7f), 0.5f, curtainSeed)
                + 0.3f * art::valueNoise (fx / (foldWidth * 1.3f), fy / (foldWidth * 9.0f), curtainSeed + 1u);
            const auto crest = std::pow (0.5f + 0.5f * std::cos (twoPi * phase), 1.3f);
            const auto flank = std::pow (std::abs (std::sin (twoPi * phase)), 8.0f);
            auto shade = 0.06f + 0.94f * crest + 0.1f * flank; // velvet catches the light on its flanks

            if (pile > 0.0f)
                shade *= 1.0f + pile * (art::valueNoise (fx * 0.7f, fy * 0.7f, curtainSeed + 2u) - 0.5f);

            return lightUp (juce::Colours::white, times (velvet * shade, light (x, y)));
        });
}

void StageScenePainter::render (ArtSet& out)
{
    auto stage = art::makeImage (sceneWidth, sceneHeight, true);
    paintCurtain (stage, { 0, 0, sceneWidth, floorTop }, 105.0f, 0.0f, curtainLight);
    paintFloor (stage);
    paintBeam (stage, washBeam);
    paintBeam (stage, micBeam);

    {
        juce::Graphics g (stage);
        paintRig (g);
        paintFloorLead (g);
        paintMicStand (g);
    }

    const auto amplifier = paintAmplifier();
    const auto dim = lightAmplifier (amplifier, false);
    paintReflection (stage, dim);

    const auto area = secret::sceneAmp;
    auto scene = stage.createCopy();
    {
        juce::Graphics g (scene);
        g.drawImageAt (dim, area.getX(), area.getY());
    }

    // The highlight: the same stage behind, a warm glow that fades out before the border, and the
    // amplifier under the spot.
    auto highlight = stage.getClippedImage (area).createCopy();
    art::mapPixels (
        highlight,
        highlight.getBounds(),
        [&] (int x, int y, juce::Colour c)
        {
            const auto fx = (float) x + 0.5f, fy = (float) y + 0.5f;
            const auto edge = std::min ({ fx, (float) area.getWidth() - fx, fy, (float) area.getHeight() - fy });
            const auto glow =
                0.3f * gaussian (fx - 350.0f, fy - 420.0f, 430.0f, 520.0f) * art::smoothStep (0.0f, 26.0f, edge);
            return lightUp (c,
                            { 1.0f + glow * 2.0f, 1.0f + glow * 1.6f, 1.0f + glow },
                            Light{ 0.4f, 0.27f, 0.12f } * glow);
        });
    {
        juce::Graphics g (highlight);
        g.drawImageAt (lightAmplifier (amplifier, true), 0, 0);
    }

    out.add ("secretSceneImage", scene);
    out.add ("secretSceneHighlight", highlight);
}
