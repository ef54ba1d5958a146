#include "ChickenHeadKnobPainter.h"
#include "ArtCommon.h"
#include "KnobStripPainter.h"
#include "SecretLayout.h"

namespace
{
// Shape in knob radii: a domed skirt, and a pointer from its rounded tail to its nose.
constexpr float skirtRadius = 0.58f, skirtHeight = 0.27f, skirtRounding = 0.1f;
constexpr float tailU = -0.64f, noseU = 1.0f, headHalfWidth = 0.35f;
constexpr float lineHalfWidth = 0.028f, lineStart = 0.1f, lineEnd = 0.88f;

// The room's key light: high above and a little left of the amplifier, so short shadows fall down
// and to the right.
const art::Vec3 keyLight = art::Vec3{ -0.35f, -0.62f, 0.8f }.normalised();
const art::Vec3 fillLight = art::Vec3{ 0.65f, -0.25f, 0.72f }.normalised();

float clamp01 (float x) { return juce::jlimit (0.0f, 1.0f, x); }

float smoothMax (float a, float b, float k)
{
    const auto h = std::max (k - std::abs (a - b), 0.0f);
    return std::max (a, b) + h * h / (4.0f * k);
}

struct Sample
{
    float height = 0.0f; // in knob radii
    float cover = 0.0f;  // of the whole knob
    float line = 0.0f;   // of the index line
};

/** u along the pointer, v across it, both in knob radii; pixel is one pixel in knob radii. */
Sample sampleKnob (float u, float v, float pixel)
{
    Sample s;
    const auto r = std::sqrt (u * u + v * v);

    float skirt = 0.0f;
    if (r < skirtRadius)
    {
        const auto edge = r - (skirtRadius - skirtRounding);
        const auto dome = skirtHeight - 0.12f * (r / skirtRadius) * (r / skirtRadius);
        skirt = edge <= 0.0f
                    ? dome
                    : dome - skirtRounding + std::sqrt (std::max (0.0f, skirtRounding * skirtRounding - edge * edge));
    }

    float head = 0.0f, headCover = 0.0f;
    const auto t = (u - tailU) / (noseU - tailU);

    if (t > 0.0f && t < 1.0f)
    {
        // Widest some way from the tail, rounded there and tapering to a full nose.
        const auto w = headHalfWidth * std::sqrt (t) * std::pow (1.0f - t, 0.7f) / 0.4426f;
        const auto across = std::abs (v) / std::max (w, 1.0e-4f);
        headCover = clamp01 ((w - std::abs (v)) * 0.92f / pixel + 0.5f);

        if (across < 1.0f)
        {
            const auto ridge = (0.42f + 0.24f * (1.0f - t)) * (1.0f - 0.3f * art::smoothStep (0.72f, 1.0f, t));
            head = ridge * std::pow (1.0f - across * across, 0.38f) * std::pow (std::min (1.0f, t / 0.08f), 0.5f);
        }
    }

    s.height = smoothMax (skirt, head, 0.05f);
    s.cover = std::max (clamp01 ((skirtRadius - r) / pixel + 0.5f), headCover);
    s.line = clamp01 ((lineHalfWidth - std::abs (v)) / pixel + 0.5f) * clamp01 ((u - lineStart) / pixel + 0.5f)
             * clamp01 ((lineEnd - u) / pixel + 0.5f);
    return s;
}

float toDisplay (float linear) { return std::pow (clamp01 (linear), 1.0f / 2.2f); }
} // namespace

void ChickenHeadKnobPainter::paintKnob (
    juce::Image& image, juce::Rectangle<int> clip, juce::Point<float> centre, float radius, float angle)
{
    const auto box = juce::Rectangle<float> (radius * reach * 2.0f, radius * reach * 2.0f)
                         .withCentre (centre)
                         .getSmallestIntegerContainer()
                         .getIntersection (clip)
                         .getIntersection (image.getBounds());

    if (box.isEmpty())
        return;

    const auto w = box.getWidth(), h = box.getHeight();
    const auto count = (size_t) (w * h);
    std::vector<float> height (count), cover (count), line (count), shadow (count);
    const auto sine = std::sin (angle), cosine = std::cos (angle);
    const auto pixel = 1.0f / radius;

    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const auto dx = (float) (box.getX() + x) + 0.5f - centre.x;
            const auto dy = (float) (box.getY() + y) + 0.5f - centre.y;
            const auto s = sampleKnob ((dx * sine - dy * cosine) * pixel, (dx * cosine + dy * sine) * pixel, pixel);
            const auto i = (size_t) (y * w + x);
            height[i] = s.height * radius;
            cover[i] = s.cover;
            line[i] = s.line;
        }

    const auto heightAt = [&] (int x, int y)
    { return x < 0 || y < 0 || x >= w || y >= h ? 0.0f : height[(size_t) (y * w + x)]; };

    // Shadow: march from each pixel towards the key light; whatever rises above the ray blocks it.
    // The same march gives the pointer's shadow on the skirt and the knob's shadow on the panel.
    const auto planar = std::sqrt (keyLight.x * keyLight.x + keyLight.y * keyLight.y);
    const auto stepX = keyLight.x / planar, stepY = keyLight.y / planar, rise = keyLight.z / planar;
    const auto softness = 0.04f * radius;
    constexpr float stepLength = 1.5f;
    const auto maxDistance = radius * 0.75f / rise;

    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const auto start = height[(size_t) (y * w + x)];
            float blocked = 0.0f;

            for (float d = stepLength; d < maxDistance && blocked < 1.0f; d += stepLength)
            {
                const auto above = heightAt ((int) std::floor ((float) x + 0.5f + stepX * d),
                                             (int) std::floor ((float) y + 0.5f + stepY * d))
                                   - (start + d * rise);
                blocked = std::max (blocked, clamp01 (above / softness));
            }

            shadow[(size_t) (y * w + x)] = blocked;
        }

    // Penumbra, and a soft contact shadow around the skirt.
    art::blurField (shadow, w, h, std::max (1, juce::roundToInt (radius * 0.025f)), 2);
    auto contact = cover;
    art::blurField (contact, w, h, std::max (1, juce::roundToInt (radius * 0.06f)), 3);

    const auto halfway = (keyLight + art::Vec3{ 0.0f, 0.0f, 1.0f }).normalised();
    const auto fillHalfway = (fillLight + art::Vec3{ 0.0f, 0.0f, 1.0f }).normalised();
    juce::Image::BitmapData data (image, juce::Image::BitmapData::readWrite);

    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const auto i = (size_t) (y * w + x);
            const auto gx = 0.5f * (heightAt (x + 1, y) - heightAt (x - 1, y));
            const auto gy = 0.5f * (heightAt (x, y + 1) - heightAt (x, y - 1));
            const auto normal = art::Vec3{ -gx, -gy, 1.0f }.normalised();
            const auto lit = 1.0f - 0.85f * shadow[i];

            const auto diffuse = std::max (0.0f, normal.dot (keyLight)) * lit;
            const auto fill = std::max (0.0f, normal.dot (fillLight));
            const auto keySpec = std::max (0.0f, normal.dot (halfway));
            const auto fillSpec = std::max (0.0f, normal.dot (fillHalfway));
            const auto specular = lit * (0.75f * std::pow (keySpec, 90.0f) + 0.09f * std::pow (keySpec, 9.0f))
                                  + 0.2f * std::pow (fillSpec, 60.0f);
            const auto ambient = 0.1f + 0.12f * std::max (0.0f, -normal.y) + 0.05f * std::pow (1.0f - normal.z, 3.0f);

            // Black bakelite, with the ivory paint of the index line.
            const auto paint = line[i];
            // Neutral grey bakelite keeps the three channels alike, which the strips' PNG packs far smaller.
            const art::Vec3 albedo{ 0.028f + paint * 0.85f, 0.028f + paint * 0.82f, 0.028f + paint * 0.73f };
            const auto light = ambient + 0.95f * diffuse + 0.22f * fill;
            const auto shine = specular * (1.0f - 0.6f * paint);
            const auto knob = cover[i];
            // The shadow fades out before the edge of the area it was computed in, so no cut shows.
            const auto edge = (float) std::min ({ x, y, w - 1 - x, h - 1 - y });
            const auto shade = std::min (0.75f, 0.55f * shadow[i] + 0.3f * contact[i]) * (1.0f - knob)
                               * art::smoothStep (0.0f, 0.15f * radius, edge);

            // Premultiplied knob over its own shadow, then over what the image already holds.
            const auto alpha = knob + shade;
            const float colour[3] = { toDisplay (albedo.x * light + shine) * knob,
                                      toDisplay (albedo.y * light + shine) * knob,
                                      toDisplay (albedo.z * light + shine) * knob };
            auto* p = data.getPixelPointer (box.getX() + x, box.getY() + y);
            const auto keep = 1.0f - alpha;
            const auto mix = [&] (int index, float value)
            { p[index] = (juce::uint8) juce::jlimit (0.0f, 255.0f, value * 255.0f + (float) p[index] * keep + 0.5f); };

            if (image.hasAlphaChannel())
            {
                mix (juce::PixelARGB::indexR, colour[0]);
                mix (juce::PixelARGB::indexG, colour[1]);
                mix (juce::PixelARGB::indexB, colour[2]);
                mix (juce::PixelARGB::indexA, alpha);
            }
            else
            {
                mix (juce::PixelRGB::indexR, colour[0]);
                mix (juce::PixelRGB::indexG, colour[1]);
                mix (juce::PixelRGB::indexB, colour[2]);
            }
        }
}

void ChickenHeadKnobPainter::render (ArtSet& out)
{
    constexpr int frames = 100;

    for (const auto& control : secret::controls())
    {
        if (control.isSwitch)
            continue;

        const auto cell = control.cell;
        auto strip = art::makeImage (cell.getWidth(), cell.getHeight() * frames);
        const auto centre = secret::pivotOf (control) - cell.getPosition().toFloat();

        for (int k = 0; k < frames; ++k)
        {
            const auto t = (float) k / (float) (frames - 1);
            const auto frame = cell.withPosition (0, k * cell.getHeight());
            paintKnob (strip,
                       frame,
                       centre.translated (0.0f, (float) frame.getY()),
                       secret::knobRadius (control),
                       KnobStripPainter::sweepStart + t * (KnobStripPainter::sweepEnd - KnobStripPainter::sweepStart));
        }

        out.add (control.role, strip);
    }
}
