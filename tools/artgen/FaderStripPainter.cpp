#include "FaderStripPainter.h"
#include "ArtCommon.h"

void FaderStripPainter::paintCap (juce::Graphics& g, juce::Point<float> centre, float width, float height,
                                  bool travelsVertically, Finish finish, juce::Colour indexColour, float travel)
{
    const auto body = juce::Rectangle<float> (width, height).withCentre (centre);
    const auto corner = std::min (width, height) * 0.14f;
    const bool metal = finish == Finish::aluminium;

    juce::Path bodyPath;
    bodyPath.addRoundedRectangle (body, corner);
    art::drawSoftShadow (g, bodyPath, { 0.0f, height * 0.10f }, height * 0.09f, 0.6f);

    // Body: lit from above, so the front skirt is bright at the top and falls off below.
    const auto top = metal ? juce::Colour (0xffe4e4e1) : juce::Colour (0xff4a4845);
    const auto bottom = metal ? juce::Colour (0xff5e5f61) : juce::Colour (0xff070707);
    g.setGradientFill (juce::ColourGradient (top, body.getTopLeft(), bottom, body.getBottomLeft(), false));
    g.fillPath (bodyPath);

    // Dished top face: it catches the light at its far (lower) rim.
    const auto face = body.reduced (width * 0.09f, height * 0.13f).translated (0.0f, -height * 0.03f);
    const auto faceTop = metal ? juce::Colour (0xff8d8e8f) : juce::Colour (0xff141414);
    const auto faceBottom = metal ? juce::Colour (0xfff0f0ee) : juce::Colour (0xff3c3a37);
    g.setGradientFill (juce::ColourGradient (faceTop, face.getTopLeft(), faceBottom, face.getBottomLeft(), false));
    g.fillRoundedRectangle (face, corner * 0.6f);

    // Grip ridges across the direction of travel, with the painted index groove in the middle.
    const auto pitch = 7.0f;
    const auto across = travelsVertically ? face.getHeight() : face.getWidth();
    const auto ridges = (int) (across / pitch);
    const auto first = (across - (float) (ridges - 1) * pitch) * 0.5f;

    for (int i = 0; i < ridges; ++i)
    {
        const auto offset = first + (float) i * pitch;

        if (std::abs (offset - across * 0.5f) < pitch * 0.9f)
            continue;

        auto groove = travelsVertically
            ? juce::Rectangle<float> (face.getX() + 4.0f, face.getY() + offset - 1.0f, face.getWidth() - 8.0f, 2.0f)
            : juce::Rectangle<float> (face.getX() + offset - 1.0f, face.getY() + 4.0f, 2.0f, face.getHeight() - 8.0f);
        g.setColour (juce::Colours::black.withAlpha (metal ? 0.32f : 0.6f));
        g.fillRect (groove);
        g.setColour (juce::Colours::white.withAlpha (metal ? 0.45f : 0.08f));
        g.fillRect (groove.translated (travelsVertically ? 0.0f : 1.5f, travelsVertically ? 1.5f : 0.0f)
                          .withSize (travelsVertically ? groove.getWidth() : 1.0f, travelsVertically ? 1.0f : groove.getHeight()));
    }

    const auto indexWidth = 5.0f;
    auto index = travelsVertically
        ? juce::Rectangle<float> (body.getX() + 3.0f, centre.y - indexWidth * 0.5f, body.getWidth() - 6.0f, indexWidth)
        : juce::Rectangle<float> (centre.x - indexWidth * 0.5f, body.getY() + 3.0f, indexWidth, body.getHeight() - 6.0f);
    g.setColour (juce::Colours::black.withAlpha (0.55f));
    g.fillRect (index.expanded (1.0f));
    g.setColour (indexColour);
    g.fillRect (index);

    // Reflection of the overhead light: it slides over the dished face as the cap travels.
    const auto spot = travelsVertically
        ? juce::Point<float> (face.getCentreX(), face.getY() + face.getHeight() * (0.2f + 0.6f * (1.0f - travel)))
        : juce::Point<float> (face.getX() + face.getWidth() * (0.25f + 0.5f * travel), face.getY() + face.getHeight() * 0.3f);
    g.saveState();
    g.reduceClipRegion (face.toNearestInt());
    art::fillGlow (g, spot, face.getWidth() * 0.55f, face.getHeight() * 0.22f, juce::Colours::white, metal ? 0.45f : 0.16f);
    g.restoreState();

    g.setColour (juce::Colours::black.withAlpha (0.7f));
    g.strokePath (bodyPath, juce::PathStrokeType (1.5f));
    g.setColour (juce::Colours::white.withAlpha (metal ? 0.6f : 0.18f));
    g.drawLine (body.getX() + corner, body.getY() + 1.2f, body.getRight() - corner, body.getY() + 1.2f, 1.2f);
}

namespace
{
    struct StripLayout
    {
        const char* role;
        const char* maskRole;
        int frameWidth, frameHeight, maskWidth, maskHeight;
        juce::Point<float> capCentre;
        float capWidth, capHeight;
        bool travelsVertically;
        FaderStripPainter::Finish finish;
        juce::Colour indexColour;
    };

    void renderStrip (ArtSet& out, const StripLayout& s)
    {
        const auto frames = FaderStripPainter::numFrames;
        auto strip = art::makeImage (s.frameWidth, s.frameHeight * frames);
        {
            juce::Graphics g (strip);

            for (int k = 0; k < frames; ++k)
            {
                g.saveState();
                g.reduceClipRegion (0, k * s.frameHeight, s.frameWidth, s.frameHeight);
                FaderStripPainter::paintCap (g, s.capCentre.translated (0.0f, (float) (k * s.frameHeight)),
                                             s.capWidth, s.capHeight, s.travelsVertically, s.finish,
                                             s.indexColour, (float) k / (float) (frames - 1));
                g.restoreState();
            }
        }

        // The mask is the cap and its shadow, so the faint white wash some faders get stays on the cap.
        out.add (s.maskRole, art::maskFromAlpha (strip.getClippedImage ({ 0, 0, s.frameWidth, s.frameHeight }),
                                                 s.maskWidth, s.maskHeight, 2));
        out.add (s.role, strip);
    }
}

void FaderStripPainter::render (ArtSet& out)
{
    using P = FaderStripPainter;
    const juce::Colour black (0xff151413), cream (0xfff3ead2), red (0xffb3321c);

    renderStrip (out, { "channelFaderStrip", "channelFaderMask", 270, 243, 270, 243,
                        { P::channelCapX, P::channelCapY }, 196.0f, 118.0f, true, Finish::aluminium, black });
    renderStrip (out, { "reverbFaderStrip", "reverbFaderMask", 303, 150, 265, 142,
                        { P::reverbCapX, P::reverbCapY }, 96.0f, 108.0f, false, Finish::aluminium, red });
    renderStrip (out, { "toneFaderStrip", "toneFaderMask", 272, 165, 272, 235,
                        { P::toneCapX, P::toneCapY }, 100.0f, 118.0f, false, Finish::bakelite, cream });
    renderStrip (out, { "mixFaderStrip", "mixFaderMask", 270, 165, 251, 166,
                        { P::mixCapX, P::mixCapY }, 100.0f, 118.0f, false, Finish::bakelite, cream });

    // The decay cap is one picture that the editor slides continuously.
    auto decay = art::makeImage (92, 71);
    {
        juce::Graphics g (decay);
        paintCap (g, { decayCapX, decayCapY }, 58.0f, 52.0f, false, Finish::aluminium, black, 0.5f);
    }
    out.add ("decayCapImage", decay);
}
