#pragma once

#include "gui/PluginBodyAdvanced.h"
#include "gui/PluginBodySimple.h"
#include "gui/PluginEditorBase.h"
#include "plugin/VantorraCoilvoxAudioProcessor.h"
#include "update/WebAddresses.h"

/** The plug-in's editor: header, the bodies of the current view, footer. Switches between the simple
    view (0) and the simple view with the advanced panel (1); the hidden views (2, 3) are held by
    placeholder sections of their size. Hands the preset identity and a state snapshot back to the
    processor when it closes. Message thread. */
class VantorraCoilvoxAudioProcessorEditor : public OV::PluginEditorBase<VantorraCoilvoxAudioProcessor>,
                                            public juce::Timer,
                                            private juce::ValueTree::Listener
{
public:
    /** The version document's address can be replaced, e.g. by a local server in tests. */
    explicit VantorraCoilvoxAudioProcessorEditor (VantorraCoilvoxAudioProcessor& processor,
                                                  const juce::File& settingsFolder = OV::settingsFolder(),
                                                  const juce::URL& versionUrl = OV::WebAddresses::versionFile());
    ~VantorraCoilvoxAudioProcessorEditor() override;

    void timerCallback() override;
    void actionListenerCallback (const juce::String& message) override;

    /** The ADVANCED button's action, after the button has flipped its own state. */
    void viewButtonClicked();

    /** The hidden-section button's action. */
    void secretButtonClicked();

    static constexpr int timerIntervalMs = 33;

    /** The hidden section's bodies are exactly as tall as the simple and advanced bodies together. */
    struct HiddenPlaceholder : public OV::PluginEditorSection
    {
        HiddenPlaceholder()
            : OV::PluginEditorSection (3000.0, 2056.0)
        {
        }

        void paint (juce::Graphics& g) override { g.fillAll (juce::Colour (0xff1c1b1a)); }
    };

    std::unique_ptr<PluginBodySimple> simpleBody;
    std::unique_ptr<PluginBodyAdvanced> advancedBody;
    std::unique_ptr<HiddenPlaceholder> secretBody, secretScene;

    bool showSceneFirst = true;
    bool secretButtonShown = false;
    bool secretUnlocked = false;

private:
    void valueTreeRedirected (juce::ValueTree& newTree) override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VantorraCoilvoxAudioProcessorEditor)
};
