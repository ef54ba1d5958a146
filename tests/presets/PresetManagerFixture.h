#pragma once

#include "plugin/ProcessorFixture.h"
#include "update/TemporaryFolder.h"

#include "presets/PresetManager.h"

#include <gtest/gtest.h>

namespace juce
{
// The framework's own message pump step (Linux); used to deliver pending asynchronous messages.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

/** Records the editor's action messages. */
struct ActionRecorder : public juce::ActionListener
{
    void actionListenerCallback (const juce::String& message) override { messages.add (message); }
    juce::StringArray messages;
};

/** A processor, a temporary settings folder and a preset bar on them, with the bar's message boxes
    captured instead of shown. */
class PresetManagerFixture : public ::testing::Test, public ProcessorFixture
{
public:
    ~PresetManagerFixture() override { manager.reset(); }

    OV::PresetManager& createManager()
    {
        manager = std::make_unique<OV::PresetManager> (processor, settings.folder, &recorder);
        manager->showMessage = [this] (const juce::String& title, const juce::String& message) {
            shownMessages.push_back ({ title, message });
        };
        manager->presetSecretFeatureBlockedCallback = [this] { ++blockedCount; };
        return *manager;
    }

    static void pumpMessages()
    {
        while (juce::dispatchNextMessageOnSystemQueue (true))
        {
        }
    }

    juce::File presets (const juce::String& relative = {}) const
    {
        return settings.folder.getChildFile ("Presets").getChildFile (relative);
    }

    /** Writes the processor's current state chunk as a preset file. */
    juce::File writePreset (const juce::String& relative)
    {
        juce::MemoryBlock chunk;
        processor.getStateInformation (chunk);
        auto file = presets (relative);
        file.getParentDirectory().createDirectory();
        file.replaceWithData (chunk.getData(), chunk.getSize());
        return file;
    }

    static juce::File touch (const juce::File& file, const juce::String& content = "x")
    {
        file.getParentDirectory().createDirectory();
        file.replaceWithText (content);
        return file;
    }

    TemporaryFolder settings;
    ActionRecorder recorder;
    std::unique_ptr<OV::PresetManager> manager;
    std::vector<std::pair<juce::String, juce::String>> shownMessages;
    int blockedCount = 0;
};

/** The menu as text lines: "Folder/" opens a sub-menu, "name #id" is an item (indented by depth). */
inline juce::StringArray describeMenu (const juce::PopupMenu& menu, int depth = 0)
{
    juce::StringArray lines;

    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        const auto& item = it.getItem();
        const auto indent = juce::String::repeatedString ("  ", depth);

        if (item.isSeparator)
            lines.add (indent + "---");
        else if (item.subMenu != nullptr)
        {
            lines.add (indent + item.text + "/");
            lines.addArray (describeMenu (*item.subMenu, depth + 1));
        }
        else
            lines.add (indent + item.text + " #" + juce::String (item.itemID) + (item.isEnabled ? "" : " (disabled)"));
    }

    return lines;
}
