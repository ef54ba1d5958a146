#include "SecretBodyPainter.h"
#include "AmpPainter.h"
#include "ArtCommon.h"
#include "SecretLayout.h"
#include "StageScenePainter.h"

namespace
{
using juce::Rectangle;

constexpr float cabinetTop = 1292.0f;  // front edge of the cabinet's top, in front of the head
constexpr float cabinetBack = 1228.0f; // its back edge, behind the head
const Rectangle<float> cabinetFront{ 100.0f, cabinetTop, 2800.0f, 1100.0f };

/** Key light from the upper left, falling off over the cabinet below and into the corners. */
float keyLight (int x, int y)
{
    const auto dx = ((float) x - 900.0f) / 2300.0f, dy = ((float) y - 420.0f) / 1300.0f;
    const auto key = std::exp (-(dx * dx + dy * dy));
    const auto cx = ((float) x - 1500.0f) / 1500.0f, cy = ((float) y - 1000.0f) / 1150.0f;
    const auto vignette = 1.0f - 0.4f * art::smoothStep (0.55f, 1.3f, cx * cx + cy * cy);
    const auto below = 1.0f - 0.45f * art::smoothStep (1350.0f, (float) secret::bodyHeight, (float) y);
    return (0.5f + 0.62f * key) * vignette * below;
}

art::Vec3 backdropLight (int x, int y)
{
    // The stage behind in the dark, a little warmer where the key light spills past the head.
    const auto fx = (float) x, fy = (float) y;
    const auto spill = std::exp (
        -(((fx - 700.0f) * (fx - 700.0f)) / (1100.0f * 1100.0f) + ((fy - 300.0f) * (fy - 300.0f)) / (700.0f * 700.0f)));
    const auto l = 0.22f + 0.6f * spill;
    return { l, l * 0.9f, l * 0.95f };
}
} // namespace

void SecretBodyPainter::render (ArtSet& out)
{
    auto image = art::makeImage (secret::bodyWidth, secret::bodyHeight, true);
    StageScenePainter::paintCurtain (image, image.getBounds(), 330.0f, 0.0f, backdropLight);

    juce::Graphics g (image);

    // The cabinet's top, seen a little from above, with the head's shadow across it.
    juce::Path top;
    top.startNewSubPath (cabinetFront.getX() + 4.0f, cabinetTop);
    top.lineTo (cabinetFront.getX() + 30.0f, cabinetBack);
    top.lineTo (cabinetFront.getRight() - 30.0f, cabinetBack);
    top.lineTo (cabinetFront.getRight() - 4.0f, cabinetTop);
    top.closeSubPath();
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff2c2826),
                                             0.0f,
                                             cabinetBack,
                                             juce::Colour (0xff1a1716),
                                             0.0f,
                                             cabinetTop,
                                             false));
    g.fillPath (top);
    art::scalePixels (image,
                      top.getBounds().getSmallestIntegerContainer(),
                      [] (int x, int y) { return AmpPainter::tolexGrain ((float) x, (float) y, 1.0f); });

    // The lens is focused on the head's panel: the cabinet goes soft further down.
    auto cabinet = AmpPainter::paintCabinet ((int) cabinetFront.getWidth(), (int) cabinetFront.getHeight(), 1.0f);
    const auto soft = art::blurImage (cabinet, 4, 3);
    art::mapPixels (cabinet,
                    cabinet.getBounds(),
                    [&soft] (int x, int y, juce::Colour c)
                    { return c.interpolatedWith (soft.getPixelAt (x, y), art::smoothStep (0.0f, 300.0f, (float) y)); });
    g.drawImageAt (cabinet, (int) cabinetFront.getX(), (int) cabinetFront.getY());

    // The head casts its shadow back onto the curtain and down onto the cabinet.
    juce::Path head;
    head.addRoundedRectangle (AmpPainter::headX,
                              AmpPainter::headY,
                              AmpPainter::headWidth,
                              AmpPainter::headHeight,
                              40.0f);
    art::drawSoftShadow (g, head, { 24.0f, 30.0f }, 30.0f, 0.75f);
    const auto headBottom = AmpPainter::headY + AmpPainter::headHeight;
    art::fillFade (g,
                   { AmpPainter::headX + 20.0f, headBottom, AmpPainter::headWidth - 40.0f, cabinetTop - headBottom },
                   juce::Colours::black.withAlpha (0.8f),
                   art::Edge::top);
    g.drawImageAt (AmpPainter::headLayer(), 0, 0);

    art::scalePixels (image, image.getBounds(), keyLight);

    // The lit plate, over exactly what the background shows around it.
    auto plate = image.getClippedImage (secret::logoPlate).createCopy();
    {
        juce::Graphics pg (plate);
        pg.setOrigin (-secret::logoPlate.getPosition());
        AmpPainter::paintLogoPlate (pg, secret::logoPlate.toFloat(), true);
    }

    out.add ("secretBodyBackground", image);
    out.add ("secretReturnHighlight", plate);
}
