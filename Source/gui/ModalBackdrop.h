#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace OV
{
/** The dimming layer behind an open dialog. It covers the editor and swallows every click outside the
    dialog, which stays open until it is closed. Message thread. */
class ModalBackdrop : public juce::Component
{
public:
    void paint (juce::Graphics& g) override { g.fillAll (juce::Colour (0x66000000)); }
};
} // namespace OV
