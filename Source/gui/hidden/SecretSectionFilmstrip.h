#pragma once

#include "gui/Filmstrip.h"

/** The hidden body's switches: the strip's top frame is the switch off, the second frame the switch
    on (the other way round from the unit's own lamps). Message thread. */
class SecretSectionFilmstrip : public Filmstrip
{
public:
    void drawToggleButton (juce::Graphics& g, juce::ToggleButton& button, bool highlighted, bool down) override;
};
