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

void fillFade (juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour, Edge from)
{
    const auto start = from == Edge::top      ? area.getTopLeft()
                       : from == Edge::bottom ? area.getBottomLeft()
                       : from == Edge::left   ? area.getTopLeft()
                                              : area.getTopRight();
    const auto end = from == Edge::top      ? area.getBottomLeft()
                     : from == Edge::bottom ? area.getTopLeft()
                     : from == Edge::left   ? area.getTopRight()
                                            : area.getTopLeft();
    g.setGradientFill (juce::ColourGradient (colour, start, colour.withAlpha (0.0f), end, false));
    g.fillRect (area);
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

namespace art
{
float latticeNoise (int x, int y, juce::uint32 seed)
{
    auto h = (juce::uint32) x * 374761393u + (juce::uint32) y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (float) (h & 0xffffffu) / (float) 0xffffffu;
}

float smoothStep (float edge0, float edge1, float x)
{
    const auto t = juce::jlimit (0.0f, 1.0f, (x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

float valueNoise (float x, float y, juce::uint32 seed)
{
    const auto fx = std::floor (x), fy = std::floor (y);
    const auto ix = (int) fx, iy = (int) fy;
    const auto tx = x - fx, ty = y - fy;
    const auto sx = tx * tx * (3.0f - 2.0f * tx), sy = ty * ty * (3.0f - 2.0f * ty);
    const auto top = juce::jmap (sx, latticeNoise (ix, iy, seed), latticeNoise (ix + 1, iy, seed));
    const auto bottom = juce::jmap (sx, latticeNoise (ix, iy + 1, seed), latticeNoise (ix + 1, iy + 1, seed));
    return juce::jmap (sy, top, bottom);
}

float fractalNoise (float x, float y, int octaves, juce::uint32 seed)
{
    float sum = 0.0f, weight = 0.5f, total = 0.0f;

    for (int i = 0; i < octaves; ++i)
    {
        sum += weight * valueNoise (x, y, seed + (juce::uint32) i * 7919u);
        total += weight;
        // A rotation between octaves hides the lattice's axes.
        const auto nx = 1.6f * x + 1.2f * y, ny = -1.2f * x + 1.6f * y;
        x = nx + 17.3f;
        y = ny - 5.1f;
        weight *= 0.5f;
    }

    return sum / total;
}

void scalePixels (juce::Image& image, juce::Rectangle<int> area, const std::function<float (int, int)>& gain)
{
    area = area.getIntersection (image.getBounds());
    juce::Image::BitmapData data (image,
                                  area.getX(),
                                  area.getY(),
                                  area.getWidth(),
                                  area.getHeight(),
                                  juce::Image::BitmapData::readWrite);
    const bool hasAlpha = image.hasAlphaChannel();

    for (int y = 0; y < area.getHeight(); ++y)
        for (int x = 0; x < area.getWidth(); ++x)
        {
            auto* p = data.getPixelPointer (x, y);
            const auto k = std::max (0.0f, gain (area.getX() + x, area.getY() + y));
            // Premultiplied colour may not exceed its alpha; RGB images are opaque.
            const auto limit = hasAlpha ? (float) p[3] : 255.0f;

            for (int channel = 0; channel < 3; ++channel)
                p[channel] = (juce::uint8) std::min (limit, (float) p[channel] * k + 0.5f);
        }
}

void mapPixels (juce::Image& image,
                juce::Rectangle<int> area,
                const std::function<juce::Colour (int, int, juce::Colour)>& map)
{
    area = area.getIntersection (image.getBounds());
    juce::Image::BitmapData data (image, juce::Image::BitmapData::readWrite);

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            data.setPixelColour (x, y, map (x, y, data.getPixelColour (x, y)));
}

void blurField (std::vector<float>& field, int width, int height, int radius, int passes)
{
    std::vector<float> line ((size_t) std::max (width, height));
    const auto norm = 1.0f / (float) (2 * radius + 1);

    // One running sum along a row or column, with the edges clamped.
    const auto blurLine = [&] (float* start, int count, int stride)
    {
        for (int i = 0; i < count; ++i)
            line[(size_t) i] = start[i * stride];

        float sum = 0.0f;
        for (int i = -radius; i <= radius; ++i)
            sum += line[(size_t) juce::jlimit (0, count - 1, i)];

        for (int i = 0; i < count; ++i)
        {
            start[i * stride] = sum * norm;
            sum += line[(size_t) std::min (count - 1, i + radius + 1)] - line[(size_t) std::max (0, i - radius)];
        }
    };

    for (int pass = 0; pass < passes; ++pass)
    {
        for (int y = 0; y < height; ++y)
            blurLine (field.data() + (size_t) (y * width), width, 1);

        for (int x = 0; x < width; ++x)
            blurLine (field.data() + x, height, width);
    }
}

juce::Image blurImage (const juce::Image& image, int radius, int passes)
{
    auto out = image.convertedToFormat (juce::Image::ARGB).createCopy();
    const auto w = out.getWidth(), h = out.getHeight();
    juce::Image::BitmapData data (out, juce::Image::BitmapData::readWrite);
    std::vector<float> field ((size_t) (w * h));

    for (int channel = 0; channel < 4; ++channel)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                field[(size_t) (y * w + x)] = data.getPixelPointer (x, y)[channel];

        blurField (field, w, h, radius, passes);

        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                data.getPixelPointer (x, y)[channel] =
                    (juce::uint8) juce::jlimit (0.0f, 255.0f, field[(size_t) (y * w + x)] + 0.5f);
    }

    return out;
}

juce::Image downsample (const juce::Image& source, juce::Rectangle<int> area, int factor)
{
    auto out = makeImage (area.getWidth() / factor, area.getHeight() / factor);
    const juce::Image::BitmapData src (source, juce::Image::BitmapData::readOnly);
    juce::Image::BitmapData dst (out, juce::Image::BitmapData::writeOnly);
    const auto count = (float) (factor * factor);

    for (int y = 0; y < out.getHeight(); ++y)
        for (int x = 0; x < out.getWidth(); ++x)
        {
            // Premultiplied channels average correctly over soft edges.
            float sum[4] = {};

            for (int dy = 0; dy < factor; ++dy)
                for (int dx = 0; dx < factor; ++dx)
                {
                    const auto* p = src.getPixelPointer (area.getX() + x * factor + dx, area.getY() + y * factor + dy);

                    for (int channel = 0; channel < src.pixelStride; ++channel)
                        sum[channel] += p[channel];

                    if (src.pixelStride == 3)
                        sum[3] += 255.0f;
                }

            auto* q = dst.getPixelPointer (x, y);
            for (int channel = 0; channel < 4; ++channel)
                q[channel] = (juce::uint8) (sum[channel] / count + 0.5f);
        }

    return out;
}
} // namespace art
