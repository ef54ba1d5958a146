#pragma once

#include <juce_graphics/juce_graphics.h>

/** Puts the generated pictures together the way the editor draws them (frame choice, offsets,
    masks and washes as the filmstrip controls apply them), so the artwork can be judged in place.
    Variant 0 shows a fresh instance; variant 1 moves every control elsewhere. */
class PreviewComposer
{
public:
    static juce::Image compose (const juce::File& folder, int variant);

    /** The hidden body with its controls over the cover scene (3000 x 4112). Variant 0: switches off,
        knobs near their defaults, scene unlit; variant 1: everything on and turned, the logo plate
        and the scene's amplifier lit as under the pointer. */
    static juce::Image composeSecret (const juce::File& folder, int variant);

    /** Eight evenly spaced frames of a strip side by side, on the panel colour, for inspection. */
    static juce::Image contactSheet (const juce::File& folder, const juce::String& role, int frames);
};
