#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <map>
#include <string>
#include <vector>

/** What every fuzz target shares: the framework started once, a scratch settings folder, and the
    snapshots a target compares to prove that a refused input changed nothing. */
namespace fuzzsupport
{
/** Starts the message manager (components, fonts, asynchronous updaters) once per process. */
void initialiseFramework();

/** A target's fixture, made on first use and kept for the whole run (libFuzzer leaves through exit(),
    so it is never destroyed). */
template <typename Fixture>
Fixture& shared()
{
    static auto* fixture = new Fixture();
    return *fixture;
}

/** Delivers pending asynchronous messages, so nothing piles up from one input to the next. */
void pumpMessages();

/** Prints the broken property and aborts, so that libFuzzer keeps the input as a crash. */
void check (bool condition, const char* property);

/** A fresh empty folder in the temporary folder, for this process only. */
juce::File scratchFolder (const char* name);

/** Every parameter's normalised value in host order. */
std::vector<float> parameterValues (juce::AudioProcessor& processor);

/** Checks that every parameter still has its value from the list, naming the first that moved. */
void checkParametersUnchanged (juce::AudioProcessor& processor, const std::vector<float>& before, const char* property);

/** True when every parameter is a finite normalised value in [0, 1]. */
bool parametersInRange (juce::AudioProcessor& processor);

/** Every file below the folder by relative path, with its content. */
std::map<juce::String, std::string> snapshotFiles (const juce::File& folder);
} // namespace fuzzsupport

/** libFuzzer's start-up hook for a target: the framework, then the target's fixture, before the
    first input. */
#define COILVOX_FUZZ_INITIALISE(Fixture)                                                                               \
    extern "C" int LLVMFuzzerInitialize (int*, char***)                                                                \
    {                                                                                                                  \
        fuzzsupport::initialiseFramework();                                                                            \
        fuzzsupport::shared<Fixture>();                                                                                \
        return 0;                                                                                                      \
    }
