#include "gui/VantorraCoilvoxAudioProcessorEditor.h"

#include "gui/StatusText.h"

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
    updateUrl = versionUrl;
    updateServer->start (updateUrl);
    downloadsUrl = OV::WebAddresses::downloads();
    manualUrl = OV::WebAddresses::manual();

    aboutModal.titleText = juce::String ("Vantorra Coilvox Version ") + currentVersion;
    aboutModal.creditText = "Designed and built by Orvalen";

    processor.parameters.state.addListener (this);

    simpleBody = std::make_unique<PluginBodySimple> (p);
    advancedBody = std::make_unique<PluginBodyAdvanced> (p);
    secretBody = std::make_unique<HiddenPlaceholder>();
    secretScene = std::make_unique<HiddenPlaceholder>();

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

    stopTimer();
    sections.clear();
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
                                           StatusText::forAdvanced (StatusText::stateOf (*advancedBody)));
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
    // The pass-phrase dialog belongs to the hidden section; while it is locked nothing changes.
    if (! secretUnlocked)
        return;

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
