#pragma once

#include "ArtSet.h"

/** The preset bar in the header: its recessed display, the two arrows and the favourite star. */
class PresetBarPainter
{
public:
    static void render (ArtSet& out);
};
