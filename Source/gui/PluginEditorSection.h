#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace OV
{
/** A full-width band of the editor, drawn in its own base units and scaled by the editor so that it
    spans the window's width. The base size is fixed at construction. Message thread. */
class PluginEditorSection : public juce::Component
{
public:
    PluginEditorSection (double width, double height)
        : baseWidth (width)
        , baseHeight (height)
    {
    }

    const double baseWidth;
    const double baseHeight;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginEditorSection)
};
} // namespace OV
