#include "ArtVerifier.h"

namespace
{
    juce::Image load (const juce::File& file)
    {
        juce::FileInputStream in (file);
        juce::PNGImageFormat png;
        return in.openedOk() ? png.decodeImage (in) : juce::Image();
    }

    bool sameFrames (const juce::Image& strip, int frameHeight, int a, int b)
    {
        const juce::Image::BitmapData data (strip, juce::Image::BitmapData::readOnly);

        for (int y = 0; y < frameHeight; ++y)
            for (int x = 0; x < strip.getWidth(); ++x)
                if (data.getPixelColour (x, a * frameHeight + y) != data.getPixelColour (x, b * frameHeight + y))
                    return false;

        return true;
    }

    /** Mean brightness of a region, with transparent pixels counting as black. */
    double meanBrightness (const juce::Image& image, juce::Rectangle<int> area)
    {
        const juce::Image::BitmapData data (image, juce::Image::BitmapData::readOnly);
        double sum = 0.0;

        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
            {
                const auto c = data.getPixelColour (x, y);
                sum += c.getFloatAlpha() * (c.getFloatRed() + c.getFloatGreen() + c.getFloatBlue()) / 3.0;
            }

        return sum / (double) std::max (1, area.getWidth() * area.getHeight());
    }

    struct AlphaCounts { int opaque = 0, clear = 0; };

    AlphaCounts countAlpha (const juce::Image& image)
    {
        const juce::Image::BitmapData data (image, juce::Image::BitmapData::readOnly);
        AlphaCounts counts;

        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
            {
                const auto a = data.getPixelColour (x, y).getAlpha();
                counts.opaque += a == 255 ? 1 : 0;
                counts.clear += a == 0 ? 1 : 0;
            }

        return counts;
    }
}

juce::StringArray ArtVerifier::check (const juce::File& folder)
{
    juce::StringArray failures;
    std::map<juce::String, juce::Image> images;

    for (const auto& spec : allRoles())
    {
        const auto image = load (folder.getChildFile (juce::String (spec.role) + ".png"));

        if (! image.isValid())
        {
            failures.add (juce::String (spec.role) + ": missing or unreadable");
            continue;
        }

        if (image.getWidth() != spec.width || image.getHeight() != spec.height)
        {
            failures.add (juce::String (spec.role) + ": " + juce::String (image.getWidth()) + "x" + juce::String (image.getHeight())
                          + ", expected " + juce::String (spec.width) + "x" + juce::String (spec.height));
            continue;
        }

        if (countAlpha (image).opaque == 0)
            failures.add (juce::String (spec.role) + ": nothing drawn");

        // A strip whose ends look alike would leave its control frozen on screen.
        if (spec.frames > 1 && sameFrames (image, spec.height / spec.frames, 0, spec.frames - 1))
            failures.add (juce::String (spec.role) + ": first and last frame are identical");

        images[spec.role] = image;
    }

    if (! failures.isEmpty())
        return failures;

    for (auto role : { "simpleBackground", "advancedBackground" })
        if (countAlpha (images[role]).opaque != images[role].getWidth() * images[role].getHeight())
            failures.add (juce::String (role) + ": not opaque, the header colour would show through");

    for (auto role : { "channelFaderMask", "reverbFaderMask", "smallKnobMask", "tankSelectorMask", "toneFaderMask", "mixFaderMask" })
        if (countAlpha (images[role]).opaque == 0)
            failures.add (juce::String (role) + ": masks everything away");

    for (auto role : { "channelFaderMask", "reverbFaderMask", "smallKnobMask", "toneFaderMask", "mixFaderMask" })
        if (countAlpha (images[role]).clear == 0)
            failures.add (juce::String (role) + ": masks nothing");

    // The knobs and wheels turn in place, so every step must show.
    for (auto role : { "smallKnobStrip", "inputTrimStrip", "outputTrimStrip" })
    {
        const auto& strip = images[role];
        const auto frameHeight = strip.getHeight() / 100;

        for (int k = 0; k + 1 < 100; ++k)
            if (sameFrames (strip, frameHeight, k, k + 1))
            {
                failures.add (juce::String (role) + ": frames " + juce::String (k) + " and " + juce::String (k + 1) + " are identical");
                break;
            }
    }

    // The meter shows frame 0 at full level and frame 20 in silence, so each step must be dimmer.
    const auto& meter = images["meterStrip"];
    for (int k = 1; k < 21; ++k)
        if (meanBrightness (meter, { 0, k * 53, 116, 53 }) >= meanBrightness (meter, { 0, (k - 1) * 53, 116, 53 }))
            failures.add ("meterStrip: frame " + juce::String (k) + " is not dimmer than frame " + juce::String (k - 1));

    // A lit lamp must read as lit against the dark lamp printed where the editor places it.
    const int lampX[] = { 281, 1115, 1948 };
    const char* lampRoles[] = { "channelALamp", "channelBLamp", "channelCLamp" };
    for (int i = 0; i < 3; ++i)
    {
        auto lit = images["simpleBackground"].createCopy();
        {
            juce::Graphics g (lit);
            g.drawImageAt (images[lampRoles[i]], lampX[i], 274);
        }
        const juce::Rectangle<int> area (lampX[i], 274, 175, 154);

        if (meanBrightness (lit, area) < meanBrightness (images["simpleBackground"], area) + 0.08)
            failures.add (juce::String (lampRoles[i]) + ": barely brighter than the unlit lamp on the panel");
    }

    return failures;
}
