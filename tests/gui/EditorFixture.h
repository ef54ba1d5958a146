#pragma once

#include "gui/VantorraCoilvoxAudioProcessorEditor.h"
#include "plugin/ParameterIds.h"
#include "update/StateFiles.h"
#include "update/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace juce
{
// The framework's own message pump step (Linux); used to deliver pending asynchronous messages.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

/** Points the home folder at a temporary one for as long as it lives, so that the processor's
    settings file and the settings folder are never the real user's. (The framework finds the user's
    configuration folder through the home folder, not through XDG_CONFIG_HOME.) */
class ScopedConfigHome
{
public:
    ScopedConfigHome()
    {
        if (const auto* old = std::getenv ("HOME"))
            previous = old;

        setenv ("HOME", home.folder.getFullPathName().toRawUTF8(), 1);
    }

    ~ScopedConfigHome()
    {
        if (previous.isEmpty())
            unsetenv ("HOME");
        else
            setenv ("HOME", previous.toRawUTF8(), 1);
    }

    TemporaryFolder home;
    juce::String previous;
};

/** A processor in a temporary configuration folder and, on demand, its editor. */
class EditorFixture : public ::testing::Test
{
public:
    ~EditorFixture() override { editor.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE (juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory)
                         .isAChildOf (configHome.home.folder));
    }

    using Size = juce::Point<int>;

    /** Port 1 on the loopback refuses at once, so the editor's update check ends without delay. */
    static juce::URL unreachableUpdateUrl() { return juce::URL ("http://127.0.0.1:1/CVcurrentVersion.json"); }

    VantorraCoilvoxAudioProcessorEditor& openEditor (const juce::URL& versionUrl = unreachableUpdateUrl())
    {
        editor = std::make_unique<VantorraCoilvoxAudioProcessorEditor> (processor, configHome.home.folder, versionUrl);
        return *editor;
    }

    /** Models a display with this much room for the editor and sizes the editor again for a width. */
    Size resizeOn (Size available, int width)
    {
        editor->availableAreaSource = [available] { return available; };
        return editor->setSizeFromWidth (width);
    }

    /** Stores an answer in the settings folder's "Section.ov" as a correct pass phrase would, for the
        editors opened from now on. */
    void storeSectionPassword (const juce::var& password = "quintaloop")
    {
        OV::StateFiles::writeStateFile (OV::StateFiles::sectionFile,
                                        OV::StateFiles::sectionKey,
                                        password,
                                        configHome.home.folder);
    }

    void setPlain (const char* id, float value)
    {
        auto* p = processor.parameters.getParameter (id);
        p->setValueNotifyingHost (p->convertTo0to1 (value));
    }

    float plain (const char* id) { return processor.parameters.getRawParameterValue (id)->load(); }

    static void pumpMessages()
    {
        while (juce::dispatchNextMessageOnSystemQueue (true))
        {
        }
    }

    ScopedConfigHome configHome;
    VantorraCoilvoxAudioProcessor processor;
    std::unique_ptr<VantorraCoilvoxAudioProcessorEditor> editor;

    static constexpr Size ampleDisplay{ 3840, 2100 };
};

/** Mouse events made by hand for a component, in its own coordinates. */
inline juce::MouseEvent mouseAt (juce::Component& component,
                                 juce::Point<float> position,
                                 juce::Point<float> downPosition = {},
                                 juce::ModifierKeys mods = juce::ModifierKeys::leftButtonModifier)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(),
                             position,
                             mods,
                             0.0f,
                             0.0f,
                             0.0f,
                             0.0f,
                             0.0f,
                             &component,
                             &component,
                             now,
                             downPosition,
                             now,
                             1,
                             position != downPosition);
}

/** Drags a control from one point to another in its own coordinates and releases it. */
inline void
dragBy (juce::Component& component, juce::Point<float> start, juce::Point<float> movement, bool release = true)
{
    component.mouseDown (mouseAt (component, start, start));
    component.mouseDrag (mouseAt (component, start + movement * 0.5f, start));
    component.mouseDrag (mouseAt (component, start + movement, start));

    if (release)
        component.mouseUp (mouseAt (component, start + movement, start, {}));
}
