#include "PresetBarPainter.h"
#include "ArtCommon.h"

namespace
{
    const auto ink = art::colours::headerText;

    juce::Image barBackground()
    {
        // Stretched to 1094 x 108 in the header; the star sits left of x = 112 and the arrows
        // right of x = 640 (image pixels), the name between them.
        auto image = art::makeImage (750, 74);
        juce::Graphics g (image);
        const auto outer = image.getBounds().toFloat().reduced (1.0f);

        g.setColour (juce::Colour (0xff161616));
        g.fillRoundedRectangle (outer, 14.0f);

        // Inner shadow along the top edge: the display sits below the panel surface.
        g.setGradientFill (juce::ColourGradient (juce::Colours::black.withAlpha (0.7f), 0.0f, outer.getY(),
                                                 juce::Colours::black.withAlpha (0.0f), 0.0f, outer.getY() + 14.0f, false));
        g.fillRoundedRectangle (outer.withHeight (20.0f), 14.0f);

        g.setColour (juce::Colour (0xff3a3936));
        g.drawRoundedRectangle (outer, 14.0f, 1.5f);
        g.setColour (juce::Colours::white.withAlpha (0.06f));
        g.drawLine (outer.getX() + 14.0f, outer.getBottom() - 0.5f, outer.getRight() - 14.0f, outer.getBottom() - 0.5f, 1.0f);

        // Hairline dividers between star, name and arrows.
        for (auto x : { 111.0f, 641.0f })
        {
            g.setColour (juce::Colours::black.withAlpha (0.8f));
            g.fillRect (juce::Rectangle<float> (x, 14.0f, 1.5f, 46.0f));
            g.setColour (juce::Colours::white.withAlpha (0.07f));
            g.fillRect (juce::Rectangle<float> (x + 1.5f, 14.0f, 1.0f, 46.0f));
        }
        return image;
    }

    juce::Image arrow (bool up)
    {
        auto image = art::makeImage (83, 45);
        juce::Graphics g (image);
        juce::Path chevron;
        const auto cx = 41.5f, cy = 22.5f;
        const auto dy = up ? -1.0f : 1.0f;
        chevron.startNewSubPath (cx - 20.0f, cy - dy * 9.0f);
        chevron.lineTo (cx, cy + dy * 10.0f);
        chevron.lineTo (cx + 20.0f, cy - dy * 9.0f);
        g.setColour (ink);
        g.strokePath (chevron, juce::PathStrokeType (5.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
        return image;
    }

    juce::Image star (bool on)
    {
        auto image = art::makeImage (60, 56);
        juce::Graphics g (image);
        juce::Path shape;
        shape.addStar ({ 30.0f, 29.5f }, 5, 10.5f, 25.0f);
        const auto stroke = juce::PathStrokeType (3.5f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded);

        if (on)
        {
            art::fillGlow (g, { 30.0f, 29.5f }, 30.0f, 28.0f, art::colours::headerAmber, 0.35f);
            g.setColour (art::colours::headerAmber);
            g.fillPath (shape);
            g.strokePath (shape, stroke);
        }
        else
        {
            g.setColour (ink);
            g.strokePath (shape, stroke);
        }
        return image;
    }
}

void PresetBarPainter::render (ArtSet& out)
{
    out.add ("presetBarBackground", barBackground());
    out.add ("presetArrowUp", arrow (true));
    out.add ("presetArrowDown", arrow (false));
    out.add ("favouriteOffImage", star (false));
    out.add ("favouriteOnImage", star (true));
}
