// Builds the factory preset files from their readable sources: every presets/<Folder>/*.json becomes
// <output>/<Folder>/<name>.preset, written by the real processor, so each file is exactly the state
// chunk the plug-in itself saves.

#include "plugin/VantorraCoilvoxAudioProcessor.h"
#include "presets/PresetSource.h"
#include "update/SafeFileWriter.h"

#include <iostream>

namespace
{
int generate (const juce::File& sourceRoot, const juce::File& outputRoot)
{
    VantorraCoilvoxAudioProcessor processor;
    int written = 0;

    for (const auto* folderName : { "Factory", "Talents" })
    {
        const auto sourceFolder = sourceRoot.getChildFile (folderName);
        const auto outputFolder = outputRoot.getChildFile (folderName);

        // Start clean so that a renamed or removed source leaves no stale preset behind.
        outputFolder.deleteRecursively();

        if (!outputFolder.createDirectory())
        {
            std::cerr << "coilvox-presetgen: cannot create " << outputFolder.getFullPathName() << "\n";
            return 1;
        }

        auto sources = sourceFolder.findChildFiles (juce::File::findFiles, false, "*.json");
        sources.sort();
        juce::StringArray names;

        for (const auto& source : sources)
        {
            juce::String name;
            juce::MemoryBlock chunk;

            if (const auto result = PresetSource::render (source, processor, name, chunk); result.failed())
            {
                std::cerr << "coilvox-presetgen: " << result.getErrorMessage() << "\n";
                return 1;
            }

            if (names.contains (name, true))
            {
                std::cerr << "coilvox-presetgen: two presets in " << folderName << " are named \"" << name << "\"\n";
                return 1;
            }

            names.add (name);
            const auto target = outputFolder.getChildFile (name + ".preset");

            if (!OV::SafeFileWriter::replaceContent (target, chunk.getData(), chunk.getSize()))
            {
                std::cerr << "coilvox-presetgen: cannot write " << target.getFullPathName() << "\n";
                return 1;
            }

            ++written;
        }
    }

    std::cout << "coilvox-presetgen: wrote " << written << " presets to " << outputRoot.getFullPathName() << "\n";
    return 0;
}
} // namespace

int main (int argc, char* argv[])
{
    if (argc != 3)
    {
        std::cerr
            << "usage: coilvox-presetgen SOURCE_FOLDER OUTPUT_FOLDER\n"
               "  SOURCE_FOLDER holds Factory/*.json and Talents/*.json; OUTPUT_FOLDER receives the .preset files.\n";
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI framework;
    const auto cwd = juce::File::getCurrentWorkingDirectory();
    return generate (cwd.getChildFile (argv[1]), cwd.getChildFile (argv[2]));
}
