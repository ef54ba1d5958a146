#pragma once

#include "ArtSet.h"

/** Checks a folder of generated pictures against what the editor relies on: every role present at
    its exact size, strips whose frames actually change, a meter lamp that dims at every step from frame 0 (full) to 20 (dark),
    masks that both pass and block, opaque backgrounds, and lit lamps brighter than the dark ones
    printed on the panel. Returns the list of failures (empty when all is well). */
class ArtVerifier
{
public:
    static juce::StringArray check (const juce::File& folder);
};
