#include "update/SettingsFolder.h"

namespace OV
{
juce::File settingsFolder (const juce::String& pluginName)
{
    return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory)
        .getChildFile ("Application Support")
        .getChildFile ("Orvalen/" + pluginName);
}
} // namespace OV
