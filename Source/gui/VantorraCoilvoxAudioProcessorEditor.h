#pragma once

#include "gui/PluginBodyAdvanced.h"
#include "gui/PluginBodySimple.h"
#include "gui/PluginEditorBase.h"
#include "gui/hidden/PluginBodySecret.h"
#include "gui/hidden/PluginBodySecretScene.h"
#include "gui/hidden/SecretPresetBlockedModal.h"
#include "gui/hidden/SecretUnlockModal.h"
#include "gui/hidden/SecretUnlockModalOnCorrect.h"
#include "plugin/VantorraCoilvoxAudioProcessor.h"
#include "update/WebAddresses.h"

/** The plug-in's editor: header, the bodies of the current view, footer. Switches between the simple
    view (0), the simple view with the advanced panel (1), and, once the hidden section is unlocked,
    the hidden amplifier body (2) and its cover scene (3). The hidden section unlocks with a pass
    phrase, remembered in "Section.ov" of the settings folder for every later editor. Hands the
    preset identity and a state snapshot back to the processor when it closes. Message thread. */
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

    /** The hidden-section button's action: the pass-phrase dialog while locked, else the hidden view
        on or off. */
    void secretButtonClicked();

    /** The cover scene's amplifier: into the hidden body. */
    void enterSecretBody();

    /** The hidden body's logo plate: back to the cover scene. */
    void returnToSecretScene();

    static constexpr int timerIntervalMs = 33;
    static constexpr const char* passPhrase = "quintaloop";

    std::unique_ptr<SecretUnlockModal> unlockModal;
    std::unique_ptr<SecretUnlockModalOnCorrect> unlockedModal;
    std::unique_ptr<SecretPresetBlockedModal> presetBlockedModal;

    std::unique_ptr<PluginBodySimple> simpleBody;
    std::unique_ptr<PluginBodyAdvanced> advancedBody;
    std::unique_ptr<PluginBodySecret> secretBody;
    std::unique_ptr<PluginBodySecretScene> secretScene;

    bool showSceneFirst = true;
    bool secretButtonShown = false;
    bool secretUnlocked = false;

    /** Opens a web page in the default browser; replaceable so that tests can see the address. */
    std::function<void (const juce::URL&)> openWebPage = [] (const juce::URL& url) { url.launchInDefaultBrowser(); };

private:
    /** The dialogs' actions: the right answer stored and confirmed, the section unlocked, the hints
        page opened. */
    void answerAccepted();
    void unlock();
    void openHints();

    void showModal (OV::Modal& modal);

    void valueTreeRedirected (juce::ValueTree& newTree) override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VantorraCoilvoxAudioProcessorEditor)
};
