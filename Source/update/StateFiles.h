#pragma once

#include "update/SettingsFolder.h"

namespace OV
{
/** The small JSON state files in the settings folder ("Notification.ov", "Section.ov"): each is an
    object with one key. Read and written on demand without caching; every file error is silent.
    The folder is a parameter so that tests can use a temporary one. Message thread only. */
class StateFiles
{
public:
    /** The key's value, or a void var when the file is missing, is a folder, is not a JSON object or
        lacks the key. */
    static juce::var
    readStateFlag (const juce::String& fileName, const juce::String& key, const juce::File& folder = settingsFolder());

    /** Replaces the file's content with a JSON object holding only this key, creating missing folders.
        The old file stays intact when the write fails. Returns whether it was written. */
    static bool writeStateFile (const juce::String& fileName,
                                const juce::String& key,
                                const juce::var& value,
                                const juce::File& folder = settingsFolder());

    /** Removes the file; when it cannot be removed, the key is written as false instead so that it
        no longer counts. */
    static void deleteStateFile (const juce::String& fileName,
                                 const juce::String& key,
                                 const juce::File& folder = settingsFolder());

    static constexpr const char* notificationFile = "Notification.ov";
    static constexpr const char* notificationKey = "notification_menu_show";
    static constexpr const char* sectionFile = "Section.ov";
    static constexpr const char* sectionKey = "password";
};
} // namespace OV
