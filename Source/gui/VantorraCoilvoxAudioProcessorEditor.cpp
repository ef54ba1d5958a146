#include "gui/VantorraCoilvoxAudioProcessorEditor.h"

#include "gui/StatusText.h"
#include "update/StateFiles.h"

namespace
{
const juce::Identifier presetInfoType ("previousPresetInfo");
const juce::Identifier presetFilePathKey ("PRES_FILE_PATH");
const juce::Identifier presetChangedKey ("PRES_CHANGED");
} // namespace

VantorraCoilvoxAudioProcessorEditor::VantorraCoilvoxAudioProcessorEditor (VantorraCoilvoxAudioProcessor& p,
                                                                          const juce::File& settingsFolder,
                                                                          const juce::URL& versionUrl)
    : OV::PluginEditorBase<VantorraCoilvoxAudioProcessor> (p, "VantorraCoilvox", settingsFolder)
{
    // Copy-constructed, then moved: the framework's copy assignment of a URL hands memcpy a null
    // pointer for the empty post data (undefined behaviour).
    updateUrl = juce::URL (versionUrl);
    updateServer->start (updateUrl);
    downloadsUrl = OV::WebAddresses::downloads();
    manualUrl = OV::WebAddresses::manual();

    aboutModal.titleText = juce::String ("Vantorra Coilvox Version ") + currentVersion;
    aboutModal.creditText = "Designed and built by Orvalen";

    processor.parameters.state.addListener (this);

    // Only the pass phrase exactly as it was stored unlocks; the file is the one proof of an unlock.
    const auto stored =
        OV::StateFiles::readStateFlag (OV::StateFiles::sectionFile, OV::StateFiles::sectionKey, settingsFolderPath);

    if (stored.isString() && stored.toString() == passPhrase)
    {
        showSceneFirst = false;
        secretButtonShown = true;
        secretUnlocked = true;
    }

    unlockModal = std::make_unique<SecretUnlockModal> (modalBackdrop, passPhrase);
    unlockModal->onCorrect = [this] { answerAccepted(); };
    unlockedModal = std::make_unique<SecretUnlockModalOnCorrect> (modalBackdrop);
    unlockedModal->onUnlock = [this] { unlock(); };
    presetBlockedModal = std::make_unique<SecretPresetBlockedModal> (modalBackdrop);
    presetBlockedModal->onHints = [this] { openHints(); };
    addModal (*unlockModal);
    addModal (*unlockedModal);
    addModal (*presetBlockedModal);

    simpleBody = std::make_unique<PluginBodySimple> (p);
    advancedBody = std::make_unique<PluginBodyAdvanced> (p);
    secretBody = std::make_unique<PluginBodySecret> (p);
    secretScene = std::make_unique<PluginBodySecretScene>();

    // A project saved in a hidden view and opened where the section is locked would leave no way back
    // to the unit's controls (the hidden-section button is not even shown), so it opens simple.
    if (! secretUnlocked && (processor.guiState == 2 || processor.guiState == 3))
    {
        processor.guiState = 0;
        header->secretButton.button.setToggleState (false, juce::dontSendNotification);
    }

    switch (processor.guiState)
    {
        case 0:
            addSection (*simpleBody);
            break;
        case 1:
            addSection (*simpleBody);
            addSection (*advancedBody);
            break;
        case 2:
            addSection (*secretBody);
            break;
        case 3:
            addSection (*secretScene);
            break;
        default:
            break;
    }

    auto& presetManager = header->presetManager;

    header->viewButton.setVisible (true);
    header->resized();
    header->viewButton.button.onClick = [this] { viewButtonClicked(); };

    header->secretButton.setVisible (secretButtonShown);
    header->resized();
    presetManager.hiddenSectionUnlocked = secretUnlocked;
    header->secretButton.button.setToggleable (secretUnlocked);
    header->secretButton.button.setClickingTogglesState (secretUnlocked);
    header->secretButton.button.onClick = [this] { secretButtonClicked(); };

    presetManager.presetSecretFeatureBlockedCallback = [this] { showModal (*presetBlockedModal); };

    secretScene->enterButton.onClick = [this] { enterSecretBody(); };
    secretBody->returnButton.onClick = [this] { returnToSecretScene(); };

    // Parameters moved while no editor was open make the shown preset a changed one.
    if (! processor.presetChanged && processor.stateSnapshot.getSize() > 0)
    {
        juce::MemoryBlock current;
        processor.getStateInformation (current);
        processor.presetChanged = current != processor.stateSnapshot;
    }

    presetManager.restoredChanged = processor.presetChanged;
    presetManager.changed = processor.presetChanged;
    presetManager.setCurrentPreset (juce::File (processor.presetFilePath), false);

    startTimer (timerIntervalMs);
}

VantorraCoilvoxAudioProcessorEditor::~VantorraCoilvoxAudioProcessorEditor()
{
    processor.getStateInformation (processor.stateSnapshot);
    processor.presetFilePath = header->presetManager.currentPresetPath;
    processor.presetChanged = header->presetManager.changed;
    processor.parameters.state.removeListener (this);

    header->presetManager.presetSecretFeatureBlockedCallback = [] {};

    stopTimer();
    sections.clear();
    modals.removeFirstMatchingValue (unlockModal.get());
    modals.removeFirstMatchingValue (unlockedModal.get());
    modals.removeFirstMatchingValue (presetBlockedModal.get());
    presetBlockedModal.reset();
    unlockedModal.reset();
    unlockModal.reset();
    secretScene.reset();
    secretBody.reset();
    advancedBody.reset();
    simpleBody.reset();
}

void VantorraCoilvoxAudioProcessorEditor::timerCallback()
{
    simpleBody->levelMeter.repaint();

    const auto text = StatusText::compose (footer->oversamplingBox.isMouseOver (false),
                                           StatusText::forSimple (StatusText::stateOf (*simpleBody)),
                                           StatusText::forAdvanced (StatusText::stateOf (*advancedBody)),
                                           StatusText::forHidden (StatusText::stateOf (*secretBody)));
    footer->statusLabel.setText (text, juce::dontSendNotification);

    if (! secretUnlocked)
    {
        const bool shown = processor.hiddenComboSet.load();

        if (shown != secretButtonShown)
        {
            secretButtonShown = shown;
            header->secretButton.setVisible (shown);
            header->resized();
        }
    }
}

void VantorraCoilvoxAudioProcessorEditor::actionListenerCallback (const juce::String& message)
{
    if (message != "PRESET")
        return;

    const auto& presetManager = header->presetManager;
    processor.presetFilePath = presetManager.currentPresetPath;
    processor.presetChanged = presetManager.changed;

    auto info = processor.parameters.state.getOrCreateChildWithName (presetInfoType, nullptr);
    info.setProperty (presetFilePathKey, processor.presetFilePath, nullptr);
    info.setProperty (presetChangedKey, processor.presetChanged, nullptr);
}

void VantorraCoilvoxAudioProcessorEditor::valueTreeRedirected (juce::ValueTree& newTree)
{
    const auto info = newTree.getChildWithName (presetInfoType);

    if (! info.isValid())
        return;

    auto& presetManager = header->presetManager;
    const bool changed = info.getProperty (presetChangedKey, false);
    presetManager.restoredChanged = changed;
    presetManager.changed = changed;
    presetManager.setCurrentPreset (juce::File (info.getProperty (presetFilePathKey, "").toString()), false);
}

void VantorraCoilvoxAudioProcessorEditor::viewButtonClicked()
{
    if (header->secretButton.button.getToggleState())
    {
        processor.guiState = 2;
        return;
    }

    if (header->viewButton.button.getToggleState())
    {
        addSection (*advancedBody);
        processor.guiState = 1;
    }
    else
    {
        removeSection (*advancedBody);
        processor.guiState = 0;
    }
}

void VantorraCoilvoxAudioProcessorEditor::secretButtonClicked()
{
    // While locked the button only asks for the pass phrase; it does not toggle.
    if (! secretUnlocked)
    {
        showModal (*unlockModal);
        return;
    }

    if (header->secretButton.button.getToggleState())
    {
        removeSection (*simpleBody);
        removeSection (*advancedBody);

        if (showSceneFirst)
        {
            addSection (*secretScene);
            processor.guiState = 3;
        }
        else
        {
            addSection (*secretBody);
            processor.guiState = 2;
        }
    }
    else
    {
        removeSection (*secretBody);
        removeSection (*secretScene);
        addSection (*simpleBody);
        processor.guiState = 0;

        if (header->viewButton.button.getToggleState())
        {
            addSection (*advancedBody);
            processor.guiState = 1;
        }
    }
}

void VantorraCoilvoxAudioProcessorEditor::enterSecretBody()
{
    showSceneFirst = false;
    removeSection (*secretScene);
    addSection (*secretBody);
    processor.guiState = 2;
}

void VantorraCoilvoxAudioProcessorEditor::returnToSecretScene()
{
    removeSection (*secretBody);
    addSection (*secretScene);
    processor.guiState = 3;
}

void VantorraCoilvoxAudioProcessorEditor::showModal (OV::Modal& modal)
{
    modalBackdrop.setVisible (true);
    modal.setVisible (true);
}

void VantorraCoilvoxAudioProcessorEditor::answerAccepted()
{
    // A file that cannot be written only means the next editor asks again.
    OV::StateFiles::writeStateFile (OV::StateFiles::sectionFile,
                                    OV::StateFiles::sectionKey,
                                    juce::String (passPhrase),
                                    settingsFolderPath);
    unlockModal->close();
    showModal (*unlockedModal);
}

void VantorraCoilvoxAudioProcessorEditor::unlock()
{
    unlockedModal->close();
    secretUnlocked = true;
    header->presetManager.hiddenSectionUnlocked = true;

    auto& button = header->secretButton.button;
    button.setToggleable (true);
    button.setClickingTogglesState (true);
    // As if the user clicked it again: the hidden view opens.
    button.triggerClick();
    processor.hiddenUnlocked = true;
}

void VantorraCoilvoxAudioProcessorEditor::openHints()
{
    openWebPage (OV::WebAddresses::hints());
    presetBlockedModal->close();
}
