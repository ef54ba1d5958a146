#pragma once

#include <juce_core/juce_core.h>

namespace OV
{
/** The preset tree below the settings folder, the favourites file beside it, and the checks made on
    a preset file's content before it reaches the processor. Message thread only. */
class PresetFiles
{
public:
    static juce::File presetsFolder (const juce::File& settingsFolder)
    {
        return settingsFolder.getChildFile ("Presets");
    }
    static juce::File favouritesFile (const juce::File& settingsFolder)
    {
        return settingsFolder.getChildFile ("FavouritePresets.ov");
    }

    /** Creates "Presets" and its "Factory", "Talents" and "User" folders where they are missing. */
    static void createFolders (const juce::File& settingsFolder);

    /** The path of a file relative to the "Presets" folder, with "/" between names (".." for files
        outside the tree). */
    static juce::String relativePath (const juce::File& presets, const juce::File& file);

    /** Entries the tree walk ignores: empty names, names starting with a dot, and "desktop.ini". */
    static bool isSkippedName (const juce::String& name);

    //==============================================================================
    /** The favourites in the file, in favourites order: only strings naming an existing file
        (not a folder) below or relative to the "Presets" folder. Missing or malformed: none. */
    static juce::StringArray readFavourites (const juce::File& settingsFolder);

    /** Writes the list as a JSON array of strings; the old file stays intact on failure. */
    static bool writeFavourites (const juce::File& settingsFolder, const juce::StringArray& favourites);

    /** Favourites order: natural, case-insensitive order of the file names without extension
        (2 before 10), then plain order of the relative paths. Negative when a comes first. */
    static int compareFavourites (const juce::String& a, const juce::String& b);

    /** Inserts at the sorted position, after entries that compare equal. */
    static void insertFavourite (juce::StringArray& favourites, const juce::String& relative);

    //==============================================================================
    /** True when the data is a state chunk this plug-in can restore: the binary header with a
        complete XML document whose root has the given tag (letter case ignored). */
    static bool isValidStateChunk (const juce::MemoryBlock& data, const juce::String& rootTag);

    /** True when the chunk switches the amplifier ("AMP") on: the last "PARAM" element with that id
        decides, and a value counts as on when its first non-blank character is 1, t, y, T or Y. */
    static bool usesHiddenFeature (const juce::MemoryBlock& data);
};
} // namespace OV
