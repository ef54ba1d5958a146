#include "FuzzSupport.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace juce
{
// The framework's own message pump step (Linux).
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace fuzzsupport
{
void initialiseFramework()
{
    // Never destroyed: libFuzzer leaves through exit(), and the targets' processors outlive main.
    static auto* initialiser = new juce::ScopedJuceInitialiser_GUI();
    juce::ignoreUnused (initialiser);
}

void pumpMessages()
{
    while (juce::dispatchNextMessageOnSystemQueue (true))
    {
    }
}

void check (bool condition, const char* property)
{
    if (condition)
        return;

    std::fprintf (stderr, "\n*** fuzz property broken: %s\n", property);
    std::abort();
}

juce::File scratchFolder (const char* name)
{
    static auto* root = new juce::File (
        juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("coilvox-fuzz", {}, false));
    static const bool cleanUpAtExit = std::atexit ([] { root->deleteRecursively(); }) == 0;
    juce::ignoreUnused (cleanUpAtExit);

    auto folder = root->getChildFile (name);
    folder.createDirectory();
    return folder;
}

std::vector<float> parameterValues (juce::AudioProcessor& processor)
{
    std::vector<float> values;

    for (auto* parameter : processor.getParameters())
        values.push_back (parameter->getValue());

    return values;
}

void checkParametersUnchanged (juce::AudioProcessor& processor, const std::vector<float>& before, const char* property)
{
    const auto& parameters = processor.getParameters();

    for (int i = 0; i < parameters.size() && i < (int) before.size(); ++i)
    {
        if (parameters[i]->getValue() != before[(size_t) i])
        {
            std::fprintf (stderr,
                          "\n*** %s: %s %.9g -> %.9g\n",
                          property,
                          parameters[i]->getName (64).toRawUTF8(),
                          (double) before[(size_t) i],
                          (double) parameters[i]->getValue());
            check (false, property);
        }
    }
}

bool parametersInRange (juce::AudioProcessor& processor)
{
    for (auto* parameter : processor.getParameters())
    {
        const auto value = parameter->getValue();

        if (! std::isfinite (value) || value < 0.0f || value > 1.0f)
            return false;
    }

    return true;
}

std::map<juce::String, std::string> snapshotFiles (const juce::File& folder)
{
    std::map<juce::String, std::string> files;

    for (const auto& entry : juce::RangedDirectoryIterator (folder, true, "*", juce::File::findFilesAndDirectories))
    {
        // The bytes as a string: the framework's MemoryBlock copies an empty block through memcpy (nullptr).
        juce::MemoryBlock content;
        std::string bytes;

        if (! entry.isDirectory() && entry.getFile().loadFileAsData (content) && content.getSize() > 0)
            bytes.assign (static_cast<const char*> (content.getData()), content.getSize());

        files[entry.getFile().getRelativePathFrom (folder) + (entry.isDirectory() ? "/" : "")] = bytes;
    }

    return files;
}
} // namespace fuzzsupport
