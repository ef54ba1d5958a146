#pragma once

#include "ArtSet.h"

/** The hidden body's background: the amplifier head close up on its cabinet, before the stage's
    velvet curtain out of focus, under a warm key light from the upper left; and the logo plate lit
    up, which the editor shows over the plate while the pointer is on it. */
class SecretBodyPainter
{
public:
    static void render (ArtSet& out);
};
