#pragma once

#include <juce_graphics/juce_graphics.h>
#include <functional>
#include <vector>

/** Palette, typefaces and small drawing helpers shared by every painter. */
namespace art
{
namespace colours
{
    // Front panel: aged cream enamel and black crackle paint.
    const juce::Colour cream { 0xffebe0c2 };
    const juce::Colour creamDark { 0xffd9cba6 };
    const juce::Colour panelBlack { 0xff1d1c1a };
    const juce::Colour panelBlackEdge { 0xff2c2a27 };
    const juce::Colour ink { 0xff1b1a18 };         // print on cream
    const juce::Colour legend { 0xfff1e7cc };      // print on black
    const juce::Colour accentRed { 0xffa8321f };   // the maker's red, used sparingly

    // Header, footer and dialogs.
    const juce::Colour headerBack { 0xff222222 };
    const juce::Colour headerText { 0xfffaf3e3 };
    const juce::Colour headerAmber { 0xffffb347 };

    // Metal.
    const juce::Colour chromeLight { 0xfff4f4f2 };
    const juce::Colour chromeMid { 0xffb9bab8 };
    const juce::Colour chromeDark { 0xff5d5f60 };
}

/** The Inter faces, loaded from the font files that the plug-in embeds. */
struct Fonts
{
    static bool load (const juce::File& folder);
    static juce::Font light (float height);
    static juce::Font medium (float height);
    static juce::Font bold (float height);
};

/** A cleared ARGB image, or an opaque RGB one for the full-panel backgrounds. */
juce::Image makeImage (int width, int height, bool opaque = false);

/** Text centred in an area, with extra letter spacing as on engraved panels. */
void drawLegend (juce::Graphics& g, const juce::String& text, juce::Font font, juce::Colour colour,
                 juce::Rectangle<float> area, juce::Justification justification = juce::Justification::centred,
                 float kerning = 0.12f);

/** Faint horizontal streaks over a filled area, as on brushed or enamelled sheet metal. Streaks are
    whole rows of similar grey so the PNG filters keep the file small. */
void drawSheetTexture (juce::Graphics& g, juce::Rectangle<int> area, juce::Random& random,
                       float strength, bool darkStreaks);

/** A slotted panel screw with its countersink, rotated by angle (radians). */
void drawScrew (juce::Graphics& g, juce::Point<float> centre, float radius, float angle);

/** A soft shadow under a path, built from stacked translucent copies so it stays deterministic. */
void drawSoftShadow (juce::Graphics& g, const juce::Path& shape, juce::Point<float> offset,
                     float spread, float opacity);

/** Which side of an area a fade starts from. */
enum class Edge
{
    top,
    bottom,
    left,
    right
};

/** Fills area with colour at its from edge, fading to transparent at the opposite edge: shadows
    under lips and ledges, and light along edges. */
void fillFade (juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour, Edge from);

/** Radial glow: colour at the centre fading to transparent at radius. */
void fillGlow (juce::Graphics& g, juce::Point<float> centre, float radiusX, float radiusY,
               juce::Colour colour, float opacity);

/** Converts an image's alpha into an alpha mask: white wherever the image covers anything. */
juce::Image maskFromAlpha (const juce::Image& source, int width, int height, int grow);

//==============================================================================
/** Three floats: a direction for shading, or red, green and blue light gains. */
struct Vec3
{
    float x = 0.0f, y = 0.0f, z = 0.0f;

    Vec3 operator+ (Vec3 o) const { return { x + o.x, y + o.y, z + o.z }; }
    Vec3 operator- (Vec3 o) const { return { x - o.x, y - o.y, z - o.z }; }
    Vec3 operator* (float k) const { return { x * k, y * k, z * k }; }
    float dot (Vec3 o) const { return x * o.x + y * o.y + z * o.z; }
    Vec3 times (Vec3 o) const { return { x * o.x, y * o.y, z * o.z }; }
    Vec3 normalised() const { return *this * (1.0f / std::sqrt (dot (*this))); }
};

//==============================================================================
// Per-pixel work for the photographic pictures. Noise comes from a hash of the pixel lattice and a
// seed, never from a clock, so every run draws the same bytes.

/** Smooth value noise in 0..1 with one lattice cell per unit. */
float valueNoise (float x, float y, juce::uint32 seed);

/** Octaves of value noise, each twice as fine and half as strong, in 0..1. */
float fractalNoise (float x, float y, int octaves, juce::uint32 seed);

/** A hash of one lattice point in 0..1: per-pixel grain or per-plank variation. */
float latticeNoise (int x, int y, juce::uint32 seed);

/** Multiplies every pixel's colour in area by gain (x, y) (alpha unchanged, colour kept within it). */
void scalePixels (juce::Image& image, juce::Rectangle<int> area, const std::function<float (int, int)>& gain);

/** Replaces every pixel in area by map (x, y, colour); colours are unpremultiplied. */
void mapPixels (juce::Image& image,
                juce::Rectangle<int> area,
                const std::function<juce::Colour (int, int, juce::Colour)>& map);

/** Separable box blur of a w x h float field, repeated passes times (three come close to a Gaussian). */
void blurField (std::vector<float>& field, int width, int height, int radius, int passes);

/** A copy of image blurred by blurField on each premultiplied channel. */
juce::Image blurImage (const juce::Image& image, int radius, int passes);

/** Area average of area, factor x factor pixels into one: a clean reduction for a distant view. */
juce::Image downsample (const juce::Image& source, juce::Rectangle<int> area, int factor);

/** x clamped to 0..1 and eased, as GLSL's smoothstep. */
float smoothStep (float edge0, float edge1, float x);
} // namespace art
