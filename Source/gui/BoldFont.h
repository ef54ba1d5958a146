#pragma once

#include <juce_graphics/juce_graphics.h>

/** The embedded Inter Bold at the given height. The typeface is made from the embedded data on first
    use and shared afterwards. Message thread. */
juce::Font makeBoldFont (float height);

/** The embedded typeface with this resource name ("InterMedium_otf"), made once per name; null when
    it is not embedded. Message thread. */
juce::Typeface::Ptr embeddedTypeface (const juce::String& resourceName);
