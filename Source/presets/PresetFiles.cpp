#include "presets/PresetFiles.h"

#include "plugin/ParameterIds.h"
#include "plugin/StateChunk.h"
#include "update/BoundedJson.h"
#include "update/SafeFileWriter.h"

namespace OV
{
void PresetFiles::createFolders (const juce::File& settingsFolder)
{
    const auto presets = presetsFolder (settingsFolder);

    for (const auto* name : { "Factory", "Talents", "User" })
        presets.getChildFile (name).createDirectory();
}

juce::String PresetFiles::relativePath (const juce::File& presets, const juce::File& file)
{
    return file.getRelativePathFrom (presets).replaceCharacter ('\\', '/');
}

bool PresetFiles::isSkippedName (const juce::String& name)
{
    return name.isEmpty() || name.startsWithChar ('.') || name == "desktop.ini";
}

//==============================================================================
juce::StringArray PresetFiles::readFavourites (const juce::File& settingsFolder)
{
    juce::StringArray favourites;
    const auto file = favouritesFile (settingsFolder);

    if (!file.existsAsFile())
        return favourites;

    const auto parsed = BoundedJson::parse (file.loadFileAsString());

    if (const auto* entries = parsed.getArray())
    {
        const auto presets = presetsFolder (settingsFolder);

        for (const auto& entry : *entries)
            // A repeated entry would show twice and keep its star on after being toggled off once.
            if (entry.isString() && entry.toString().isNotEmpty() && !favourites.contains (entry.toString())
                && presets.getChildFile (entry.toString()).existsAsFile())
                insertFavourite (favourites, entry.toString());
    }

    return favourites;
}

bool PresetFiles::writeFavourites (const juce::File& settingsFolder, const juce::StringArray& favourites)
{
    juce::Array<juce::var> entries;

    for (const auto& favourite : favourites)
        entries.add (favourite);

    return SafeFileWriter::replaceContent (favouritesFile (settingsFolder), juce::JSON::toString (entries));
}

int PresetFiles::compareFavourites (const juce::String& a, const juce::String& b)
{
    const auto nameOf = [] (const juce::String& path)
    {
        const auto fileName = path.fromLastOccurrenceOf ("/", false, false);
        return fileName.containsChar ('.') ? fileName.upToLastOccurrenceOf (".", false, false) : fileName;
    };

    if (const auto byName = nameOf (a).compareNatural (nameOf (b), false); byName != 0)
        return byName;

    return a.compare (b);
}

void PresetFiles::insertFavourite (juce::StringArray& favourites, const juce::String& relative)
{
    int index = 0;

    while (index < favourites.size() && compareFavourites (favourites[index], relative) <= 0)
        ++index;

    favourites.insert (index, relative);
}

//==============================================================================
bool PresetFiles::isValidStateChunk (const juce::MemoryBlock& data, const juce::String& rootTag)
{
    const auto xml = StateChunk::parse (data.getData(), data.getSize());
    return xml != nullptr && xml->getTagName().equalsIgnoreCase (rootTag);
}

bool PresetFiles::usesHiddenFeature (const juce::MemoryBlock& data)
{
    const auto xml = StateChunk::parse (data.getData(), data.getSize());

    if (xml == nullptr)
        return false;

    bool uses = false;

    for (const auto* child : xml->getChildIterator())
    {
        if (child->getTagName().equalsIgnoreCase ("PARAM") && child->getStringAttribute ("id") == ParameterIds::amp)
        {
            uses = StateChunk::isOnValue (child->getStringAttribute ("value"));
        }
    }

    return uses;
}
} // namespace OV
