#include "PreviewComposer.h"
#include "SecretLayout.h"

namespace
{
    juce::Image load (const juce::File& folder, const juce::String& role)
    {
        juce::FileInputStream in (folder.getChildFile (role + ".png"));
        juce::PNGImageFormat png;
        return in.openedOk() ? png.decodeImage (in) : juce::Image();
    }

    struct Strip
    {
        juce::Image image, mask;
        int frameWidth, frameHeight, numFrames;
        float offsetStep;
        bool vertical, inverted;
        float overlayOpacity = 0.0f;
    };

    /** The editor's filmstrip drawing for proportion q (skew already applied). */
    void drawStrip (juce::Graphics& g, juce::Point<int> origin, const Strip& s, double q)
    {
        const auto k = (int) std::ceil ((s.numFrames - 1) * q);
        float drawX = 0.0f, drawY = 0.0f;

        if (s.vertical)
            drawY = (float) (s.numFrames - k) * s.offsetStep;
        else
            drawX = s.numFrames == 1 ? (float) q * (float) s.frameWidth * s.offsetStep : (float) k * s.offsetStep;

        const auto row = s.inverted ? s.numFrames - 1 - k : k;
        g.saveState();
        g.setOrigin (origin);

        if (s.mask.isValid())
            g.reduceClipRegion (s.mask, juce::AffineTransform::translation (drawX, drawY));

        g.drawImage (s.image, (int) drawX, (int) drawY, s.frameWidth, s.frameHeight, 0, row * s.frameHeight, s.frameWidth, s.frameHeight);

        if (s.overlayOpacity > 0.0f)
        {
            g.beginTransparencyLayer (s.overlayOpacity);
            g.setColour (juce::Colours::white);
            g.fillRect (juce::Rectangle<float> (drawX, drawY, (float) s.frameWidth, (float) s.frameHeight));
            g.endTransparencyLayer();
        }

        g.restoreState();
    }
}

juce::Image PreviewComposer::compose (const juce::File& f, int variant)
{
    const bool alt = variant != 0;
    juce::Image out (juce::Image::RGB, 3000, 1337 + 719, true);
    juce::Graphics g (out);
    g.drawImageAt (load (f, "simpleBackground"), 0, 0);

    // Simple body.
    const Strip fader { load (f, "channelFaderStrip"), load (f, "channelFaderMask"), 270, 243, 100, 4.5f, true, false };
    const double levels[] = { alt ? 0.3 : 1.0, alt ? 0.65 : 0.0, alt ? 0.001 : 0.0 };
    const int faderX[] = { 531, 1365, 2199 };
    for (int i = 0; i < 3; ++i)
        drawStrip (g, { faderX[i], 274 }, fader, levels[i]);

    const bool lit[] = { ! alt, true, alt };
    const char* lamps[] = { "channelALamp", "channelBLamp", "channelCLamp" };
    const int lampX[] = { 281, 1115, 1948 };
    for (int i = 0; i < 3; ++i)
        if (lit[i])
            g.drawImageAt (load (f, lamps[i]), lampX[i], 274);

    const Strip inTrim { load (f, "inputTrimStrip"), {}, 131, 55, 100, 0.0f, true, true };
    const Strip outTrim { load (f, "outputTrimStrip"), {}, 131, 55, 100, 0.0f, true, true };
    drawStrip (g, { 275, 23 }, inTrim, std::pow (alt ? 0.3 : 0.875, 5.2));
    drawStrip (g, { 2594, 23 }, outTrim, std::pow (alt ? 0.99 : 70.0 / 76.0, 8.2));

    Strip reverb { load (f, "reverbFaderStrip"), load (f, "reverbFaderMask"), 303, 150, 100, 4.5f, false, false, 0.02f };
    drawStrip (g, { 1135, 1058 }, reverb, alt ? 0.0 : 0.23);
    reverb.overlayOpacity = 0.03f;
    drawStrip (g, { 1970, 1058 }, reverb, alt ? 1.0 : 0.47);

    // The meter picks a frame by level: 0 is full glow, 20 dark.
    const auto meterFrame = alt ? 0 : 8;
    g.drawImage (load (f, "meterStrip"), 116, 25, 116, 53, 0, meterFrame * 53, 116, 53);

    // Advanced body below.
    g.setOrigin ({ 0, 1337 });
    g.drawImageAt (load (f, "advancedBackground"), 0, 0);
    const Strip decay { load (f, "decayCapImage"), {}, 122, 94, 1, 2.0f, false, false };
    drawStrip (g, { 795, 418 }, decay, alt ? 1.0 : 0.4);
    const Strip tank { load (f, "tankSelectorStrip"), load (f, "tankSelectorMask"), 290, 204, 3, 0.0f, true, true };
    drawStrip (g, { 937, 195 }, tank, alt ? 0.0 : 1.0);
    const Strip tone { load (f, "toneFaderStrip"), load (f, "toneFaderMask"), 272, 165, 100, 4.5f, false, false };
    drawStrip (g, { 1276, 259 }, tone, alt ? 0.0 : 0.5);
    const Strip mix { load (f, "mixFaderStrip"), load (f, "mixFaderMask"), 270, 165, 100, 4.5f, false, false, 0.01f };
    drawStrip (g, { 2000, 259 }, mix, alt ? 0.0 : 1.0);
    const Strip knob { load (f, "smallKnobStrip"), load (f, "smallKnobMask"), 110, 100, 100, 0.0f, true, false };
    drawStrip (g, { 351, 187 }, knob, alt ? 1.0 : 0.1);
    drawStrip (g, { 351, 379 }, knob, alt ? 0.0 : 0.5);
    return out;
}

juce::Image PreviewComposer::composeSecret (const juce::File& f, int variant)
{
    const bool alt = variant != 0;
    constexpr int sectionHeight = 2056;
    juce::Image out (juce::Image::RGB, secret::bodyWidth, sectionHeight * 2, true);
    juce::Graphics g (out);

    // The body: switches off and knobs near their defaults, or everything switched on and turned.
    g.drawImageAt (load (f, "secretBodyBackground"), 0, 0);
    const double settings[] = { 0.5, 0.3, 0.45, 0.2, 0.5, 0.5, 0.5 };
    const double altSettings[] = { 1.0, 0.0, 0.8, 0.6, 0.1, 0.9, 0.33 };
    int knob = 0;

    for (const auto& control : secret::controls())
    {
        const auto image = load (f, control.role);
        const auto cell = control.cell;

        if (control.isSwitch)
            g.drawImage (image,
                         cell.getX(),
                         cell.getY(),
                         cell.getWidth(),
                         cell.getHeight(),
                         0,
                         alt ? cell.getHeight() : 0,
                         cell.getWidth(),
                         cell.getHeight());
        else
        {
            const Strip strip{ image, {}, cell.getWidth(), cell.getHeight(), 100, 0.0f, true, false };
            drawStrip (g, cell.getPosition(), strip, alt ? altSettings[knob] : settings[knob]);
            ++knob;
        }
    }

    const auto lamp = secret::lamp;
    g.drawImage (load (f, "secretLampStrip"),
                 lamp.getX(),
                 lamp.getY(),
                 lamp.getWidth(),
                 lamp.getHeight(),
                 0,
                 alt ? lamp.getHeight() : 0,
                 lamp.getWidth(),
                 lamp.getHeight());

    if (alt)
        g.drawImageAt (load (f, "secretReturnHighlight"), secret::logoPlate.getX(), secret::logoPlate.getY());

    // The cover scene below, with the amplifier lit as under the pointer in the second variant.
    g.setOrigin ({ 0, sectionHeight });
    g.drawImageAt (load (f, "secretSceneImage"), 0, 0);

    if (alt)
        g.drawImageAt (load (f, "secretSceneHighlight"), secret::sceneAmp.getX(), secret::sceneAmp.getY());

    return out;
}

juce::Image PreviewComposer::contactSheet (const juce::File& folder, const juce::String& role, int frames)
{
    const auto strip = load (folder, role);
    const auto frameHeight = strip.getHeight() / std::max (1, frames);
    constexpr int shown = 8;
    juce::Image out (juce::Image::RGB, strip.getWidth() * shown, frameHeight, true);
    juce::Graphics g (out);
    g.fillAll (juce::Colour (0xffe3d7b8));

    for (int i = 0; i < shown; ++i)
    {
        const auto k = (frames - 1) * i / (shown - 1);
        g.drawImage (strip, i * strip.getWidth(), 0, strip.getWidth(), frameHeight, 0, k * frameHeight, strip.getWidth(), frameHeight);
    }

    return out;
}
