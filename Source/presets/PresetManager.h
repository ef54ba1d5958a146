#pragma once

#include "gui/FadeImageButton.h"
#include "presets/PresetManagerAudioProcessorListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

class VantorraCoilvoxAudioProcessor;

namespace OV
{
/** The preset bar in the editor's header and the model behind it: the current preset's name with a
    mark when it has been changed, a favourite star, previous and next arrows, and a drop-down menu of
    the preset tree with load and save entries. Presets are the processor's state chunk on disk.
    Sends "PRESET" to its action listener after every change of the shown preset or its mark.
    Message thread only (the processor listener excepted). */
class PresetManager : public juce::Component, public juce::ActionBroadcaster
{
public:
    /** The settings folder is passed in so that tests can work in a temporary folder. */
    PresetManager (VantorraCoilvoxAudioProcessor& processor,
                   const juce::File& settingsFolder,
                   juce::ActionListener* actionListener);
    ~PresetManager() override;

    //==============================================================================
    /** Makes the file the current preset (or clears it when it is not an existing file) and shows it.
        With rebuild the preset tree is rescanned first. */
    void setCurrentPreset (const juce::File& file, bool rebuild);

    /** Loads a preset file into the processor, keeping the editor view. A missing, unreadable or
        invalid file is refused with a message and nothing changes; a preset that needs the locked
        hidden section runs presetSecretFeatureBlockedCallback instead. */
    void loadPreset (const juce::File& file);

    /** Writes the processor's state chunk to the file; the old file stays intact when that fails. */
    void savePreset (const juce::File& file);

    void showLoadPresetFromFileChooser (std::function<void (const juce::FileChooser&)> onComplete = {});
    void showSavePresetAsFileChooser (std::function<void (const juce::FileChooser&)> onComplete = {});

    //==============================================================================
    /** The arrows' click actions. */
    void stepPrevious();
    void stepNext();

    /** The drop-down menu as it is shown when the bar is clicked (creates missing preset folders). */
    juce::PopupMenu createDropDownMenu();

    /** Acts on the ID chosen in the drop-down menu (0: dismissed). */
    void handleMenuResult (int itemId);

    /** Rescans the preset tree into the menu and the list of all preset files. */
    void rebuildPresetMenu();

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent& event) override;

    //==============================================================================
    static constexpr int favouriteIdBase = 1073741823;
    static constexpr int loadFromFileId = -1;
    static constexpr int saveId = -2;
    static constexpr int saveAsId = -3;
    static constexpr const char* noPresetText = "No Preset Loaded";

    juce::File getPresetsFolder() const;
    juce::String getLabelText() const { return nameLabel.getText(); }
    const juce::PopupMenu& getPresetsMenu() const { return presetsMenu; }
    const juce::PopupMenu& getFavouritesMenu() const { return favouritesMenu; }
    bool isPreviousEnabled() const { return previousButton.button.isEnabled(); }
    bool isNextEnabled() const { return nextButton.button.isEnabled(); }

    //==============================================================================
    PresetManagerAudioProcessorListener processorListener;
    FadeImageButton favouriteButton, previousButton, nextButton;
    juce::Label nameLabel;

    juce::StringArray favourites;
    juce::Array<juce::File> allPresetFiles;
    juce::String currentPresetPath, currentRelativePath, currentPresetName;
    int currentIndex = -1;
    int favouriteIndex = -1;

    bool favouritesMode = false;
    bool hasPreset = false;
    bool changed = false;
    bool restoredChanged = false;
    bool hiddenSectionUnlocked = false;
    bool readOnlyPreset = false;

    juce::Point<int> presetCentre;
    int presetRowHeight = 0;

    std::function<void()> presetSecretFeatureBlockedCallback = [] {};

    /** Shows a failure or warning to the user; an asynchronous box with one "OK" button by default.
        Replaceable so that headless tests can see the texts. */
    std::function<void (const juce::String& title, const juce::String& message)> showMessage;

private:
    int buildPresetMenu (const juce::File& folder, juce::PopupMenu& menu, int firstId);
    void updateNavigationState();
    void updateLabel();
    void rebuildFavouritesMenu();
    void favouriteClicked();
    void loadFavourite (int index);
    void releaseFileChooserLater();

    std::unique_ptr<juce::FileChooser> fileChooser;
    juce::ActionListener* actionListener = nullptr;
    juce::Font normalFont, changedFont;
    juce::Image backgroundImage;
    juce::PopupMenu favouritesMenu, presetsMenu;

    VantorraCoilvoxAudioProcessor& processor;
    juce::File settingsFolder;

    JUCE_DECLARE_WEAK_REFERENCEABLE (PresetManager)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetManager)
};
} // namespace OV
