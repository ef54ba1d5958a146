#include "presets/PresetManager.h"

#include "gui/ImageStore.h"
#include "plugin/VantorraCoilvoxAudioProcessor.h"
#include "presets/PresetFiles.h"
#include "update/SafeFileWriter.h"

namespace OV
{
namespace
{
    constexpr float labelFontHeight = 64.0f;
    constexpr int arrowAreaWidth = 140;

    juce::Font italicFont()
    {
        // The embedded light italic; the default typeface slanted when it is not there.
        for (const auto* name : { "InterLightItalic_otf", "Inter_LightItalic_otf", "Inter-LightItalic_otf" })
        {
            int size = 0;

            if (const auto* data = ImageStore::getData (name, size))
                return juce::Font (juce::Typeface::createSystemTypefaceFor (data, (size_t) size))
                    .withHeight (labelFontHeight);
        }

        return juce::Font (labelFontHeight, juce::Font::italic);
    }

    void showAlert (const juce::String& title, const juce::String& message)
    {
        juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::WarningIcon, title, message, "OK");
    }
} // namespace

//==============================================================================
PresetManager::PresetManager (VantorraCoilvoxAudioProcessor& processorToUse,
                              const juce::File& settingsFolderToUse,
                              juce::ActionListener* listener)
    : processorListener (
        [this] (bool flag)
        {
            changed = restoredChanged || flag;
            updateLabel();
        })
    , actionListener (listener)
    , normalFont (labelFontHeight)
    , changedFont (italicFont())
    , backgroundImage (ImageStore::get ("presetBarBackground"))
    , processor (processorToUse)
    , settingsFolder (settingsFolderToUse)
{
    showMessage = showAlert;
    PresetFiles::createFolders (settingsFolder);

    processor.addListener (&processorListener);

    if (actionListener != nullptr)
        addActionListener (actionListener);

    const auto favouriteOff = ImageStore::get ("favouriteOffImage");
    const auto favouriteOn = ImageStore::get ("favouriteOnImage");
    favouriteButton.setFadeImages (favouriteOff, favouriteOff, favouriteOn, 1.0f, 1.0f, 1.0f);
    // The framework counts a button that toggles on click as toggleable, so both are switched together.
    favouriteButton.button.setClickingTogglesState (false);
    favouriteButton.button.setToggleable (false);
    favouriteButton.button.setEnabled (false);
    favouriteButton.button.onClick = [this] { favouriteClicked(); };
    addAndMakeVisible (favouriteButton);

    nameLabel.setColour (juce::Label::textColourId, juce::Colour (0xFFBCBCBC));
    nameLabel.setJustificationType (juce::Justification::centredLeft);
    nameLabel.setMinimumHorizontalScale (1.0f);
    nameLabel.setFont (normalFont);
    nameLabel.setInterceptsMouseClicks (false, false);
    addAndMakeVisible (nameLabel);
    updateLabel();

    const auto arrowUp = ImageStore::get ("presetArrowUp");
    const auto arrowDown = ImageStore::get ("presetArrowDown");
    previousButton.setFadeImages (arrowUp, arrowUp, arrowUp, 1.0f, 1.0f, 1.0f);
    nextButton.setFadeImages (arrowDown, arrowDown, arrowDown, 1.0f, 1.0f, 1.0f);
    previousButton.button.onClick = [this] { stepPrevious(); };
    nextButton.button.onClick = [this] { stepNext(); };
    addAndMakeVisible (previousButton);
    addAndMakeVisible (nextButton);

    rebuildPresetMenu();

    favourites = PresetFiles::readFavourites (settingsFolder);
    rebuildFavouritesMenu();
}

PresetManager::~PresetManager()
{
    processor.removeListener (&processorListener);
    processorListener.updater.cancelPendingUpdate();

    if (actionListener != nullptr)
        removeActionListener (actionListener);
}

juce::File PresetManager::getPresetsFolder() const { return PresetFiles::presetsFolder (settingsFolder); }

//==============================================================================
void PresetManager::rebuildPresetMenu() { buildPresetMenu (getPresetsFolder(), presetsMenu, 0); }

int PresetManager::buildPresetMenu (const juce::File& folder, juce::PopupMenu& menu, int firstId)
{
    int nextId = firstId;

    if (firstId == 0)
    {
        nextId = 1;
        allPresetFiles.clear();
        menu.clear();
    }

    auto children = folder.findChildFiles (juce::File::findFilesAndDirectories, false, "*");
    std::stable_sort (children.begin(),
                      children.end(),
                      [] (const juce::File& a, const juce::File& b)
                      {
                          const auto byPath = a.getFullPathName().compareIgnoreCase (b.getFullPathName());
                          return byPath != 0 ? byPath < 0 : a.getFullPathName() < b.getFullPathName();
                      });

    for (const auto& child : children)
    {
        if (PresetFiles::isSkippedName (child.getFileName()))
            continue;

        if (child.isDirectory())
        {
            juce::PopupMenu subMenu;
            nextId = buildPresetMenu (child, subMenu, nextId);
            menu.addSubMenu (child.getFileName(), subMenu);
        }
        else
        {
            allPresetFiles.add (child);
            menu.addItem (nextId++, child.getFileNameWithoutExtension());
        }
    }

    if (firstId == 0)
        updateNavigationState();

    return nextId;
}

void PresetManager::rebuildFavouritesMenu()
{
    favouritesMenu.clear();

    for (int i = 0; i < favourites.size(); ++i)
        favouritesMenu.addItem (favouriteIdBase + i,
                                getPresetsFolder().getChildFile (favourites[i]).getFileNameWithoutExtension());

    updateNavigationState();
}

void PresetManager::updateNavigationState()
{
    currentIndex = -1;

    for (int i = 0; i < allPresetFiles.size(); ++i)
        if (allPresetFiles.getReference (i).getFullPathName() == currentPresetPath && currentPresetPath.isNotEmpty())
            currentIndex = i;

    favouriteIndex = currentRelativePath.isEmpty() ? -1 : favourites.indexOf (currentRelativePath);

    if (favouritesMode && favouriteIndex >= 0)
    {
        previousButton.button.setEnabled (!allPresetFiles.isEmpty());
        nextButton.button.setEnabled (favouriteIndex < favourites.size() - 1);
    }
    else
    {
        previousButton.button.setEnabled (currentIndex > 0);
        nextButton.button.setEnabled (currentIndex >= 0 && currentIndex < allPresetFiles.size() - 1);
    }
}

//==============================================================================
void PresetManager::setCurrentPreset (const juce::File& file, bool rebuild)
{
    if (file == juce::File() || !file.existsAsFile())
    {
        currentPresetPath = {};
        currentRelativePath = {};
        currentPresetName = {};
        favouriteButton.button.setClickingTogglesState (false);
        favouriteButton.button.setToggleable (false);
        favouriteButton.button.setEnabled (false);
        favouriteButton.button.setToggleState (false, juce::dontSendNotification);
        hasPreset = false;
        readOnlyPreset = false;
    }
    else
    {
        processorListener.rearm();

        const auto presets = getPresetsFolder();
        currentPresetPath = file.getFullPathName();
        currentRelativePath = PresetFiles::relativePath (presets, file);
        currentPresetName = file.getFileNameWithoutExtension();
        favouriteButton.button.setToggleable (true);
        favouriteButton.button.setClickingTogglesState (true);
        favouriteButton.button.setEnabled (true);
        favouriteButton.button.setToggleState (favourites.contains (currentRelativePath), juce::dontSendNotification);
        hasPreset = true;
        readOnlyPreset =
            file.isAChildOf (presets.getChildFile ("Factory")) || file.isAChildOf (presets.getChildFile ("Talents"));
    }

    if (rebuild)
        rebuildPresetMenu();
    else
        updateNavigationState();

    updateLabel();
}

void PresetManager::updateLabel()
{
    const auto name = hasPreset ? currentPresetName : juce::String (noPresetText);

    if (changed || restoredChanged)
    {
        changed = restoredChanged = true;
        nameLabel.setFont (changedFont);
        nameLabel.setText (name + " *", juce::dontSendNotification);
    }
    else
    {
        nameLabel.setFont (normalFont);
        nameLabel.setText (name, juce::dontSendNotification);
    }

    sendActionMessage ("PRESET");
}

//==============================================================================
void PresetManager::loadPreset (const juce::File& file)
{
    juce::MemoryBlock content;
    const bool readable =
        file.existsAsFile() && file.loadFileAsData (content) && (juce::int64) content.getSize() == file.getSize();

    // A file the processor would silently ignore must not become the current preset.
    if (readable && PresetFiles::isValidStateChunk (content, processor.parameters.state.getType().toString()))
    {
        if (PresetFiles::usesHiddenFeature (content) && !hiddenSectionUnlocked)
        {
            if (presetSecretFeatureBlockedCallback)
                presetSecretFeatureBlockedCallback();

            return;
        }

        // A preset never changes the editor's view.
        const auto view = processor.guiState;
        processor.setStateInformation (content.getData(), (int) content.getSize());
        processor.guiState = view;

        changed = restoredChanged = false;
        setCurrentPreset (file, false);
        return;
    }

    showMessage ("Unable to load preset",
                 "Unable to load the following preset: \"" + file.getFullPathName()
                     + "\" - please make sure the preset file exists on your disk.");
}

void PresetManager::savePreset (const juce::File& file)
{
    if (!file.isAChildOf (getPresetsFolder().getChildFile ("User")))
        showMessage ("Warning",
                     "Custom presets will not be available unless saved in the \"User\" directory: \""
                         + file.getFullPathName() + "\"");

    juce::MemoryBlock chunk;
    processor.getStateInformation (chunk);

    if (!SafeFileWriter::replaceContent (file, chunk.getData(), chunk.getSize()))
    {
        showMessage ("Unable to save preset",
                     "Unable to save the following preset: \"" + file.getFullPathName()
                         + "\" - please make sure the specified location is valid.");
        return;
    }

    changed = restoredChanged = false;
    setCurrentPreset (file, true);
}

//==============================================================================
void PresetManager::releaseFileChooserLater()
{
    // The chooser is still on the stack of its own callback; let it return first.
    juce::MessageManager::callAsync (
        [safe = juce::WeakReference<PresetManager> (this)]
        {
            if (safe != nullptr)
                safe->fileChooser.reset();
        });
}

void PresetManager::showLoadPresetFromFileChooser (std::function<void (const juce::FileChooser&)> onComplete)
{
    fileChooser = std::make_unique<juce::FileChooser> ("Load preset from file...", getPresetsFolder(), "*.preset");
    fileChooser->launchAsync (juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles,
                              [this, onComplete] (const juce::FileChooser& chooser)
                              {
                                  const auto result = chooser.getResult();

                                  if (result == juce::File())
                                      return;

                                  favouritesMode = false;
                                  loadPreset (result);

                                  if (onComplete)
                                      onComplete (chooser);

                                  releaseFileChooserLater();
                              });
}

void PresetManager::showSavePresetAsFileChooser (std::function<void (const juce::FileChooser&)> onComplete)
{
    fileChooser = std::make_unique<juce::FileChooser> ("Save preset to file...",
                                                       getPresetsFolder().getChildFile ("User"),
                                                       "*.preset");
    fileChooser->launchAsync (juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles
                                  | juce::FileBrowserComponent::warnAboutOverwriting,
                              [this, onComplete] (const juce::FileChooser& chooser)
                              {
                                  auto result = chooser.getResult();

                                  if (result == juce::File())
                                      return;

                                  // A name typed without extension still gets the preset extension.
                                  if (result.getFileExtension().isEmpty())
                                      result = result.withFileExtension ("preset");

                                  favouritesMode = false;
                                  savePreset (result);

                                  if (onComplete)
                                      onComplete (chooser);

                                  releaseFileChooserLater();
                              });
}

//==============================================================================
void PresetManager::loadFavourite (int index)
{
    loadPreset (juce::isPositiveAndBelow (index, favourites.size())
                    ? getPresetsFolder().getChildFile (favourites[index])
                    : juce::File());
}

void PresetManager::stepPrevious()
{
    if (favouritesMode && favouriteIndex >= 0)
    {
        if (favouriteIndex > 0)
        {
            loadFavourite (favouriteIndex - 1);
        }
        else if (!allPresetFiles.isEmpty())
        {
            favouritesMode = false;
            loadPreset (allPresetFiles.getLast());
        }
    }
    else if (currentIndex >= 1)
    {
        loadPreset (allPresetFiles[currentIndex - 1]);
    }
}

void PresetManager::stepNext()
{
    if (favouritesMode && favouriteIndex >= 0)
    {
        if (favouriteIndex + 1 < favourites.size())
            loadFavourite (favouriteIndex + 1);
    }
    else if (juce::isPositiveAndBelow (currentIndex + 1, allPresetFiles.size()))
    {
        loadPreset (allPresetFiles[currentIndex + 1]);
    }
}

void PresetManager::favouriteClicked()
{
    if (!favouriteButton.button.isToggleable())
        return;

    if (favouriteButton.button.getToggleState())
        PresetFiles::insertFavourite (favourites, currentRelativePath);
    else
        favourites.removeString (currentRelativePath);

    // A failed write keeps the old file; the list in memory is still right for this session.
    PresetFiles::writeFavourites (settingsFolder, favourites);
    rebuildFavouritesMenu();
}

//==============================================================================
juce::PopupMenu PresetManager::createDropDownMenu()
{
    PresetFiles::createFolders (settingsFolder);

    juce::PopupMenu menu (presetsMenu);

    if (!favourites.isEmpty())
    {
        menu.addSeparator();
        menu.addSubMenu ("Favourites", favouritesMenu);
    }

    menu.addSeparator();
    menu.addItem (loadFromFileId, "Load Preset From...");
    menu.addItem (saveId, "Save Preset", !readOnlyPreset);
    menu.addItem (saveAsId, "Save Preset As...");
    return menu;
}

void PresetManager::handleMenuResult (int itemId)
{
    if (itemId >= favouriteIdBase)
    {
        favouritesMode = true;
        loadFavourite (itemId - favouriteIdBase);
    }
    else if (itemId >= 1)
    {
        favouritesMode = false;
        loadPreset (itemId <= allPresetFiles.size() ? allPresetFiles[itemId - 1] : juce::File());
    }
    else if (itemId == loadFromFileId)
    {
        showLoadPresetFromFileChooser();
    }
    else if (itemId == saveId)
    {
        if (const juce::File current (currentPresetPath); currentPresetPath.isNotEmpty() && current.existsAsFile())
            savePreset (current);
        else
            showSavePresetAsFileChooser();
    }
    else if (itemId == saveAsId)
    {
        showSavePresetAsFileChooser();
    }
}

void PresetManager::mouseDown (const juce::MouseEvent& event)
{
    if (event.x > getWidth() - arrowAreaWidth)
    {
        auto& arrow = event.y < getHeight() / 2 ? previousButton : nextButton;

        if (arrow.button.isEnabled())
            arrow.button.onClick();

        return;
    }

    createDropDownMenu().showMenuAsync (
        juce::PopupMenu::Options().withTargetComponent (this).withMinimumWidth (getWidth()),
        [safe = juce::WeakReference<PresetManager> (this)] (int result)
        {
            if (safe != nullptr)
                safe->handleMenuResult (result);
        });
}

//==============================================================================
void PresetManager::paint (juce::Graphics& g)
{
    if (backgroundImage.isValid())
        g.drawImage (backgroundImage, getLocalBounds().toFloat());
}

void PresetManager::resized()
{
    const int width = getWidth();
    const int height = getHeight();
    const int a = juce::jmin (width, arrowAreaWidth);
    const int b = juce::jmin (width - a, arrowAreaWidth);
    const int r = (juce::jmax (height, 42) - 42) / 2;
    const auto clamped = [] (int x, int y, int w, int h)
    { return juce::Rectangle<int> (juce::jmax (0, x), juce::jmax (0, y), juce::jmax (0, w), juce::jmax (0, h)); };

    favouriteButton.setBounds (clamped (24, 24, a - 48, height - 48));
    previousButton.setBounds (clamped (width - b + 32, 20, b - 64, r - 6));
    nextButton.setBounds (clamped (width - b + 32, r + 26, b - 64, juce::jmax (height, 42) - r - 48));
    nameLabel.setBounds (clamped (a + 24, 0, width - a - b - 48, height));
}
} // namespace OV
