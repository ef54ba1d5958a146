#pragma once

#include <juce_core/juce_core.h>

namespace OV
{
/** The per-user folder for everything kept outside the host's project: the user's application-data
    folder, "Application Support", then "Orvalen/" and the plug-in name. Computed anew on every call
    and not created here (writers create it). Any thread. */
juce::File settingsFolder (const juce::String& pluginName = "VantorraCoilvox");
} // namespace OV
