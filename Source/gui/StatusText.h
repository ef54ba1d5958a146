#pragma once

#include <juce_core/juce_core.h>

class PluginBodySimple;
class PluginBodyAdvanced;
class PluginBodySecret;

/** The footer's help line: what the mouse is over, from each body's first matching rule.
    Message thread. */
class StatusText
{
public:
    /** What the simple body's rules look at. */
    struct Simple
    {
        bool channelAOn = false, channelBOn = false, channelCOn = false;
        bool lampAHovered = false, lampBHovered = false, lampCHovered = false;
        bool reverbAmountHovered = false, reverbDriveHovered = false;
        bool inputTrimHovered = false, outputTrimHovered = false;
        bool faderAHovered = false, faderBHovered = false, faderCHovered = false;
    };

    /** What the advanced body's rules look at. */
    struct Advanced
    {
        bool tankHovered = false;
        int tankValue = 3;
        bool decayHovered = false, mixHovered = false, toneHovered = false;
        bool preDelayHovered = false, widthHovered = false;
    };

    /** What the hidden body's rules look at; the switches' texts depend on their state. */
    struct Hidden
    {
        bool depthHovered = false, gainHovered = false, topHovered = false, midHovered = false, lowHovered = false;
        bool masterHovered = false, freeSpeedHovered = false, syncedSpeedHovered = false;
        bool syncHovered = false, syncOn = false, cabinetHovered = false, cabinetOn = false;
        bool ampHovered = false, ampOn = false, tremoloHovered = false, tremoloOn = false;
    };

    static juce::String forSimple (const Simple& state);
    static juce::String forAdvanced (const Advanced& state);
    static juce::String forHidden (const Hidden& state);

    /** The states as the bodies show them now; a body that is not showing has nothing hovered. */
    static Simple stateOf (const PluginBodySimple& body);
    static Advanced stateOf (const PluginBodyAdvanced& body);
    static Hidden stateOf (const PluginBodySecret& body);

    /** The line: the oversampling box wins, otherwise the bodies' texts joined. */
    static juce::String compose (bool oversamplingHovered,
                                 const juce::String& simple,
                                 const juce::String& advanced,
                                 const juce::String& hidden = {});
};
