#include "ArtVerifier.h"
#include "SecretLayout.h"

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

    double luminance (juce::Colour c)
    {
        return c.getFloatAlpha() * (0.3 * c.getFloatRed() + 0.59 * c.getFloatGreen() + 0.11 * c.getFloatBlue());
    }

    /** Mean colour difference between an overlay's outermost pixels and the picture under them, 0..1. */
    double borderMismatch (const juce::Image& base, const juce::Image& overlay, juce::Point<int> at)
    {
        double sum = 0.0;
        int count = 0;

        for (int y = 0; y < overlay.getHeight(); ++y)
            for (int x = 0; x < overlay.getWidth(); ++x)
            {
                if (x != 0 && y != 0 && x != overlay.getWidth() - 1 && y != overlay.getHeight() - 1)
                    continue;

                const auto a = overlay.getPixelAt (x, y), b = base.getPixelAt (at.x + x, at.y + y);
                sum += (std::abs (a.getFloatRed() - b.getFloatRed()) + std::abs (a.getFloatGreen() - b.getFloatGreen())
                        + std::abs (a.getFloatBlue() - b.getFloatBlue()))
                       / 3.0;
                ++count;
            }

        return sum / (double) std::max (1, count);
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

    for (auto role : { "simpleBackground",
                       "advancedBackground",
                       "secretBodyBackground",
                       "secretSceneImage",
                       "secretSceneHighlight",
                       "secretReturnHighlight" })
        if (countAlpha (images[role]).opaque != images[role].getWidth() * images[role].getHeight())
            failures.add (juce::String (role) + ": not opaque, what lies under it would show through");

    for (auto role : { "channelFaderMask", "reverbFaderMask", "smallKnobMask", "tankSelectorMask", "toneFaderMask", "mixFaderMask" })
        if (countAlpha (images[role]).opaque == 0)
            failures.add (juce::String (role) + ": masks everything away");

    for (auto role : { "channelFaderMask", "reverbFaderMask", "smallKnobMask", "toneFaderMask", "mixFaderMask" })
        if (countAlpha (images[role]).clear == 0)
            failures.add (juce::String (role) + ": masks nothing");

    // The knobs and wheels turn in place, so every step must show.
    juce::StringArray turning{ "smallKnobStrip", "inputTrimStrip", "outputTrimStrip" };
    for (const auto& control : secret::controls())
        if (! control.isSwitch)
            turning.add (control.role);

    for (const auto& role : turning)
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

    checkHiddenSection (images, failures);
    return failures;
}

void ArtVerifier::checkHiddenSection (std::map<juce::String, juce::Image>& images, juce::StringArray& failures)
{
    // Controls are drawn over the body, which must show around them: every frame's corners are clear.
    for (const auto& control : secret::controls())
    {
        const auto& strip = images[control.role];
        const auto w = control.cell.getWidth(), h = control.cell.getHeight();

        for (int frame = 0; frame < strip.getHeight() / h; ++frame)
            for (auto corner : { juce::Point<int> (0, 0), { w - 1, 0 }, { 0, h - 1 }, { w - 1, h - 1 } })
                if (strip.getPixelAt (corner.x, frame * h + corner.y).getAlpha() != 0)
                {
                    failures.add (juce::String (control.role) + ": frame " + juce::String (frame)
                                  + " covers its cell's corner");
                    frame = strip.getHeight();
                    break;
                }
    }

    // The pilot lamp's lower frame is the lit one: compare the jewels in the middle of the frames.
    const auto jewel = secret::lamp.withZeroOrigin().withSizeKeepingCentre (40, 40);
    if (meanBrightness (images["secretLampStrip"], jewel.translated (0, secret::lamp.getHeight()))
        < meanBrightness (images["secretLampStrip"], jewel) + 0.15)
        failures.add ("secretLampStrip: the lit frame is barely brighter than the dark one");

    // Both highlights are drawn over their pictures when hovered: they must agree with them along
    // their border, or a seam shows, and be clearly brighter inside, or nothing lights up.
    struct Overlay
    {
        const char* role;
        const char* base;
        juce::Rectangle<int> at;
    };
    for (const auto& o : { Overlay{ "secretSceneHighlight", "secretSceneImage", secret::sceneAmp },
                           Overlay{ "secretReturnHighlight", "secretBodyBackground", secret::logoPlate } })
    {
        if (borderMismatch (images[o.base], images[o.role], o.at.getPosition()) > 1.5 / 255.0)
            failures.add (juce::String (o.role) + ": its border does not match " + o.base + " underneath");

        const auto inner = o.at.withZeroOrigin().reduced (o.at.getWidth() / 6, o.at.getHeight() / 6);
        if (meanBrightness (images[o.role], inner) < meanBrightness (images[o.base], inner + o.at.getPosition()) + 0.04)
            failures.add (juce::String (o.role) + ": barely brighter than " + o.base + " underneath");
    }

    // The division read-out appears beside the sync switch: no printing there.
    const auto& body = images["secretBodyBackground"];
    double darkest = 1.0, brightest = 0.0;
    for (int y = secret::divisionLabel.getY(); y < secret::divisionLabel.getBottom(); ++y)
        for (int x = secret::divisionLabel.getX(); x < secret::divisionLabel.getRight(); ++x)
        {
            darkest = std::min (darkest, luminance (body.getPixelAt (x, y)));
            brightest = std::max (brightest, luminance (body.getPixelAt (x, y)));
        }
    if (darkest < brightest * plainPanelContrast)
        failures.add ("secretBodyBackground: something is printed where the division read-out appears");

    // Dialog icons are white shapes on transparency, tinted by the dialogs.
    for (auto role : { "chevronImage", "openLockIcon", "disguiseIcon" })
    {
        const auto& icon = images[role];
        bool white = true;
        for (int y = 0; y < icon.getHeight() && white; ++y)
            for (int x = 0; x < icon.getWidth() && white; ++x)
            {
                const auto c = icon.getPixelAt (x, y);
                white = c.getAlpha() < 64 || std::min ({ c.getRed(), c.getGreen(), c.getBlue() }) > 200;
            }

        if (! white || countAlpha (icon).clear == 0)
            failures.add (juce::String (role) + ": not a white shape on transparency");
    }
}
