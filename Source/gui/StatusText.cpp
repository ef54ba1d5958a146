#include "gui/StatusText.h"

#include "gui/PluginBodyAdvanced.h"
#include "gui/PluginBodySimple.h"
#include "gui/hidden/PluginBodySecret.h"

juce::String StatusText::forSimple (const Simple& s)
{
    if (! s.channelAOn && s.lampAHovered)
        return "Turn ON Channel A";
    if (! s.channelBOn && s.lampBHovered && ! s.channelAOn)
        return "Turn ON Channel B";
    if (! s.channelCOn && s.lampCHovered && ! s.channelAOn)
        return "Turn ON Channel C";
    if (s.channelAOn && s.lampAHovered)
        return "Turn OFF Channel A";
    if (s.channelBOn && s.lampBHovered)
        return "Turn OFF Channel B";
    if (s.channelCOn && s.lampCHovered)
        return "Turn OFF Channel C";
    if (s.channelAOn && s.lampBHovered && ! s.channelBOn)
        return "Daisy chain channel B";
    if ((s.channelAOn || s.channelBOn) && s.lampCHovered)
        return "Daisy chain channel C";
    if (s.reverbAmountHovered)
        return "Reverb amount";
    if (s.reverbDriveHovered)
        return "Reverb drive";
    if (s.inputTrimHovered)
        return "Adjust the input level";
    if (s.outputTrimHovered)
        return "Adjust the output level";
    if (s.faderAHovered)
        return "Channel A level";
    if (s.faderBHovered)
        return "Channel B level";
    if (s.faderCHovered)
        return "Channel C level";
    return {};
}

juce::String StatusText::forAdvanced (const Advanced& s)
{
    if (s.tankHovered && s.tankValue == 3)
        return "Spring tank: Coilvox";
    if (s.tankHovered && s.tankValue == 2)
        return "Spring tank: Belton";
    if (s.tankHovered && s.tankValue == 1)
        return "Spring tank: Accutronics";
    if (s.decayHovered)
        return "Adjust reverb decay";
    if (s.mixHovered)
        return "Unit mix";
    if (s.toneHovered)
        return "Overall EQ";
    if (s.preDelayHovered)
        return "Reverb pre-delay";
    if (s.widthHovered)
        return "Reverb width";
    return {};
}

juce::String StatusText::forHidden (const Hidden& s)
{
    if (s.depthHovered)
        return "Tremolo depth";
    if (s.gainHovered)
        return "Input gain";
    if (s.topHovered)
        return "Amp high EQ";
    if (s.midHovered)
        return "Amp mid EQ";
    if (s.lowHovered)
        return "Amp low EQ";
    if (s.masterHovered)
        return "Master output volume";
    if (s.freeSpeedHovered)
        return "Tremolo speed frequency";
    if (s.syncedSpeedHovered)
        return "Tremolo BPM-synced frequency";
    if (s.syncHovered)
        return s.syncOn ? "Turn OFF BPM sync" : "Turn ON BPM sync";
    if (s.cabinetHovered)
        return s.cabinetOn ? "Turn OFF the cabinet" : "Turn ON the cabinet";
    if (s.ampHovered)
        return s.ampOn ? "Turn OFF the amp" : "Turn ON the amp";
    if (s.tremoloHovered)
        return s.tremoloOn ? "Turn OFF tremolo" : "Turn ON tremolo";
    return {};
}

namespace
{
bool hovered (const juce::Component& component) { return component.isShowing() && component.isMouseOver (false); }
} // namespace

StatusText::Simple StatusText::stateOf (const PluginBodySimple& body)
{
    Simple s;
    s.channelAOn = body.channelAButton.getToggleState();
    s.channelBOn = body.channelBButton.getToggleState();
    s.channelCOn = body.channelCButton.getToggleState();
    s.lampAHovered = hovered (body.channelAButton);
    s.lampBHovered = hovered (body.channelBButton);
    s.lampCHovered = hovered (body.channelCButton);
    s.reverbAmountHovered = hovered (body.reverbAmountFader);
    s.reverbDriveHovered = hovered (body.reverbDriveFader);
    s.inputTrimHovered = hovered (body.inputTrim);
    s.outputTrimHovered = hovered (body.outputTrim);
    s.faderAHovered = hovered (body.faderA);
    s.faderBHovered = hovered (body.faderB);
    s.faderCHovered = hovered (body.faderC);
    return s;
}

StatusText::Advanced StatusText::stateOf (const PluginBodyAdvanced& body)
{
    Advanced s;
    s.tankHovered = hovered (body.tankSelector);
    s.tankValue = juce::roundToInt (body.tankSelector.getValue());
    s.decayHovered = hovered (body.decaySlider);
    s.mixHovered = hovered (body.mixFader);
    s.toneHovered = hovered (body.toneFader);
    s.preDelayHovered = hovered (body.preDelayKnob);
    s.widthHovered = hovered (body.widthKnob);
    return s;
}

StatusText::Hidden StatusText::stateOf (const PluginBodySecret& body)
{
    Hidden s;
    s.depthHovered = hovered (body.depthKnob);
    s.gainHovered = hovered (body.gainKnob);
    s.topHovered = hovered (body.topKnob);
    s.midHovered = hovered (body.midKnob);
    s.lowHovered = hovered (body.lowKnob);
    s.masterHovered = hovered (body.masterKnob);
    s.freeSpeedHovered = hovered (body.freeSpeedKnob);
    s.syncedSpeedHovered = hovered (body.syncedSpeedKnob);
    s.syncHovered = hovered (body.syncSwitch);
    s.syncOn = body.syncSwitch.getToggleState();
    s.cabinetHovered = hovered (body.cabinetSwitch);
    s.cabinetOn = body.cabinetSwitch.getToggleState();
    s.ampHovered = hovered (body.ampSwitch);
    s.ampOn = body.ampSwitch.getToggleState();
    s.tremoloHovered = hovered (body.tremoloSwitch);
    s.tremoloOn = body.tremoloSwitch.getToggleState();
    return s;
}

juce::String StatusText::compose (bool oversamplingHovered,
                                  const juce::String& simple,
                                  const juce::String& advanced,
                                  const juce::String& hidden)
{
    return oversamplingHovered ? juce::String ("Oversampling") : simple + advanced + hidden;
}
