#pragma once

#include "ArtSet.h"

/** Checks a folder of generated pictures against what the editor relies on: every role present at
    its exact size, strips whose frames actually change, a meter lamp that dims at every step from frame 0 (full) to 20
   (dark), masks that both pass and block, opaque backgrounds, and lit lamps brighter than the dark ones printed on the
   panel. For the hidden section also: controls that leave their cells' corners clear, a pilot lamp lit in its lower
   frame, highlights that match their pictures along the border and are brighter inside, a plain panel where the
   division read-out appears, and white dialog icons. Returns the list of failures (empty when all is well). */
class ArtVerifier
{
public:
    static juce::StringArray check (const juce::File& folder);

private:
    static void checkHiddenSection (std::map<juce::String, juce::Image>& images, juce::StringArray& failures);

    /** The darkest pixel of a plain stretch of the gold panel stays above this share of its brightest:
        brushing and light vary it, printed ink does not stay within it. */
    static constexpr double plainPanelContrast = 0.55;
};
