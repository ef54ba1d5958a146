#include "ArtCommon.h"

namespace art
{
namespace
{
    juce::Typeface::Ptr lightFace, mediumFace, boldFace;

    juce::Typeface::Ptr loadFace (const juce::File& file)
    {
        juce::MemoryBlock data;

        if (! file.loadFileAsData (data) || data.getSize() == 0)
            return nullptr;

        return juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
    }

    juce::Font fontFor (const juce::Typeface::Ptr& face, float height)
    {
        jassert (face != nullptr);
        return juce::Font (face).withHeight (height);
    }
}

bool Fonts::load (const juce::File& folder)
{
    lightFace = loadFace (folder.getChildFile ("InterLight.otf"));
    mediumFace = loadFace (folder.getChildFile ("InterMedium.otf"));
    boldFace = loadFace (folder.getChildFile ("InterBold.otf"));
    return lightFace != nullptr && mediumFace != nullptr && boldFace != nullptr;
}

juce::Font Fonts::light (float height) { return fontFor (lightFace, height); }
juce::Font Fonts::medium (float height) { return fontFor (mediumFace, height); }
juce::Font Fonts::bold (float height) { return fontFor (boldFace, height); }

juce::Image makeImage (int width, int height, bool opaque)
{
    return juce::Image (opaque ? juce::Image::RGB : juce::Image::ARGB, width, height, true,
                         juce::SoftwareImageType());
}

void drawLegend (juce::Graphics& g, const juce::String& text, juce::Font font, juce::Colour colour,
                 juce::Rectangle<float> area, juce::Justification justification, float kerning)
{
    g.setColour (colour);
    g.setFont (font.withExtraKerningFactor (kerning));
    g.drawText (text, area, justification, false);
}

void drawSheetTexture (juce::Graphics& g, juce::Rectangle<int> area, juce::Random& random,
                       float strength, bool darkStreaks)
{
    const auto base = darkStreaks ? juce::Colours::black : juce::Colours::white;

    for (int y = area.getY(); y < area.getBottom(); ++y)
    {
        // One faint streak of random length per row or two, some rows left clean.
        if (random.nextFloat() < 0.35f)
            continue;

        const auto alpha = strength * (0.3f + 0.7f * random.nextFloat());
        const auto length = area.getWidth() * (0.2f + 0.8f * random.nextFloat());
        const auto start = area.getX() + random.nextFloat() * (area.getWidth() - length);
        g.setColour (base.withAlpha (alpha));
        g.fillRect (juce::Rectangle<float> (start, (float) y, length, 1.0f));
    }
}

void drawScrew (juce::Graphics& g, juce::Point<float> centre, float radius, float angle)
{
    const auto outer = juce::Rectangle<float> (radius * 2.3f, radius * 2.3f).withCentre (centre);
    g.setColour (juce::Colours::black.withAlpha (0.35f));
    g.fillEllipse (outer.translated (0.0f, radius * 0.12f));

    const auto head = juce::Rectangle<float> (radius * 2.0f, radius * 2.0f).withCentre (centre);
    g.setGradientFill (juce::ColourGradient (colours::chromeLight, head.getTopLeft(),
                                             colours::chromeDark, head.getBottomRight(), false));
    g.fillEllipse (head);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.drawEllipse (head, radius * 0.08f);

    juce::Path slot;
    slot.addRoundedRectangle (-radius * 0.85f, -radius * 0.13f, radius * 1.7f, radius * 0.26f, radius * 0.1f);
    slot.applyTransform (juce::AffineTransform::rotation (angle).translated (centre));
    g.setColour (juce::Colour (0xff2a2a2a));
    g.fillPath (slot);
    g.setColour (juce::Colours::white.withAlpha (0.35f));
    g.strokePath (slot, juce::PathStrokeType (radius * 0.05f),
                  juce::AffineTransform::translation (0.0f, radius * 0.07f));
}

void drawSoftShadow (juce::Graphics& g, const juce::Path& shape, juce::Point<float> offset,
                     float spread, float opacity)
{
    // The framework's blurred shadow: a fixed kernel, so the result is the same on every run.
    juce::DropShadow (juce::Colours::black.withAlpha (opacity), juce::roundToInt (spread * 2.0f),
                      offset.roundToInt()).drawForPath (g, shape);
}

void fillGlow (juce::Graphics& g, juce::Point<float> centre, float radiusX, float radiusY,
               juce::Colour colour, float opacity)
{
    juce::ColourGradient glow (colour.withMultipliedAlpha (opacity), centre,
                               colour.withAlpha (0.0f), centre.translated (radiusX, 0.0f), true);
    glow.addColour (0.35, colour.withMultipliedAlpha (opacity * 0.45f));
    g.saveState();
    g.addTransform (juce::AffineTransform::scale (1.0f, radiusY / radiusX, centre.x, centre.y));
    g.setGradientFill (glow);
    g.fillEllipse (juce::Rectangle<float> (radiusX * 2.0f, radiusX * 2.0f).withCentre (centre));
    g.restoreState();
}

juce::Image maskFromAlpha (const juce::Image& source, int width, int height, int grow)
{
    auto mask = makeImage (width, height);
    const juce::Image::BitmapData src (source, juce::Image::BitmapData::readOnly);
    juce::Image::BitmapData dst (mask, juce::Image::BitmapData::writeOnly);

    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            bool covered = false;

            for (int dy = -grow; dy <= grow && ! covered; ++dy)
                for (int dx = -grow; dx <= grow && ! covered; ++dx)
                {
                    const int sx = x + dx, sy = y + dy;

                    if (sx >= 0 && sy >= 0 && sx < source.getWidth() && sy < source.getHeight())
                        covered = src.getPixelColour (sx, sy).getAlpha() > 8;
                }

            dst.setPixelColour (x, y, covered ? juce::Colours::white : juce::Colours::transparentBlack);
        }

    return mask;
}
} // namespace art
