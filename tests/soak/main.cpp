// The soak driver (scripts/soak.sh): real-time audio through the processor on its own thread while
// the message thread automates every parameter, loads presets and saves and restores the state, as
// a host with its editor open does for hours. Reports non-finite samples, the audio thread's heap
// allocations and the memory at start and end; exits non-zero when a sample was not finite.
#include "plugin/ParameterInfo.h"
#include "plugin/VantorraCoilvoxAudioProcessor.h"
#include "support/AllocationCounter.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <thread>

namespace juce
{
// The framework's own message pump step (Linux).
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace
{
using Clock = std::chrono::steady_clock;

struct Options
{
    double seconds = 600.0;
    double sampleRate = 48000.0;
    int blockSize = 256;
    juce::File presets;
};

/** The resident and peak resident set of this process in kB, from /proc. */
struct Memory
{
    long residentKb = 0, peakKb = 0;

    static Memory now()
    {
        Memory m;
        std::ifstream status ("/proc/self/status");
        std::string line;

        while (std::getline (status, line))
        {
            if (line.rfind ("VmRSS:", 0) == 0)
                m.residentKb = std::atol (line.c_str() + 6);
            else if (line.rfind ("VmHWM:", 0) == 0)
                m.peakKb = std::atol (line.c_str() + 6);
        }

        return m;
    }
};

/** What the audio thread counted. Written by it, read once it has stopped. */
struct AudioReport
{
    long long blocks = 0, samples = 0, bypassedBlocks = 0, nonFinite = 0, allocations = 0, allocatingBlocks = 0;
    float peak = 0.0f;
    double audioSeconds = 0.0;

    /** The audio played so far, for the message thread to watch while the audio thread runs. */
    std::atomic<double> progressSeconds{ 0.0 };
};

/** The host's audio thread: blocks of varying size paced to real time, now and then bypassed, with
    a sample-accurate parameter change from the automation lane every few blocks. */
void runAudio (VantorraCoilvoxAudioProcessor& processor,
               const Options& options,
               std::atomic<bool>& running,
               AudioReport& report)
{
    juce::Random random (1);
    juce::AudioBuffer<float> buffer (2, 2 * options.blockSize);
    juce::MidiBuffer midi;
    auto& parameters = processor.getParameters();
    const auto start = Clock::now();
    double phase = 0.0;
    bool bypassed = false;

    while (running.load())
    {
        // Some hosts send blocks larger than announced; most send smaller ones at times.
        const int n = 1 + random.nextInt (2 * options.blockSize);
        juce::AudioBuffer<float> block (buffer.getArrayOfWritePointers(), 2, 0, n);

        // Phrases of a tone with noise, and stretches of silence so that tails ring out.
        const bool silent = ((report.samples / (int) options.sampleRate) % 7) == 6;

        for (int i = 0; i < n; ++i)
        {
            const float x = silent ? 0.0f : 0.5f * (float) std::sin (phase) + 0.2f * (random.nextFloat() * 2.0f - 1.0f);
            phase += 2.0 * juce::MathConstants<double>::pi * 196.0 / options.sampleRate;
            block.setSample (0, i, x);
            block.setSample (1, i, -x);
        }

        phase = std::fmod (phase, 2.0 * juce::MathConstants<double>::pi);

        // Short bypassed stretches now and then, as a user toggles it.
        if (random.nextInt (bypassed ? 50 : 1000) == 0)
            bypassed = ! bypassed;

        {
            const testsupport::ScopedAllocationCounter counter;

            if (random.nextInt (4) == 0)
                parameters[random.nextInt (parameters.size())]->setValueNotifyingHost (random.nextFloat());

            if (bypassed)
                processor.processBlockBypassed (block, midi);
            else
                processor.processBlock (block, midi);

            report.allocations += (long long) counter.getCount();
            report.allocatingBlocks += counter.getCount() > 0 ? 1 : 0;
        }

        for (int c = 0; c < 2; ++c)
        {
            for (int i = 0; i < n; ++i)
            {
                const float y = block.getSample (c, i);

                if (! std::isfinite (y))
                    ++report.nonFinite;
                else
                    report.peak = std::max (report.peak, std::abs (y));
            }
        }

        ++report.blocks;
        report.bypassedBlocks += bypassed ? 1 : 0;
        report.samples += n;
        report.audioSeconds = (double) report.samples / options.sampleRate;
        report.progressSeconds.store (report.audioSeconds, std::memory_order_relaxed);

        // Real time, as a sound card would ask: never ahead of the wall clock.
        const auto due = start + std::chrono::duration<double> (report.audioSeconds);

        if (due > Clock::now())
            std::this_thread::sleep_until (due);
    }
}

juce::Array<juce::MemoryBlock> loadPresets (const juce::File& folder)
{
    juce::Array<juce::MemoryBlock> chunks;

    for (const auto& entry : juce::RangedDirectoryIterator (folder, true, "*.preset"))
    {
        juce::MemoryBlock chunk;

        if (entry.getFile().loadFileAsData (chunk))
            chunks.add (chunk);
    }

    return chunks;
}

bool parseOptions (int argc, char** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2)
    {
        const juce::String key (argv[i]), value (argv[i + 1]);

        if (key == "--seconds")
            options.seconds = value.getDoubleValue();
        else if (key == "--rate")
            options.sampleRate = value.getDoubleValue();
        else if (key == "--block")
            options.blockSize = value.getIntValue();
        else if (key == "--presets")
            options.presets = juce::File::getCurrentWorkingDirectory().getChildFile (value);
        else
            return false;
    }

    return (argc % 2) == 1 && options.seconds > 0.0 && options.sampleRate > 0.0 && options.blockSize > 0;
}
} // namespace

int main (int argc, char** argv)
{
    Options options;

    if (! parseOptions (argc, argv, options))
    {
        std::fprintf (stderr, "usage: coilvox-soak [--seconds S] [--rate HZ] [--block N] [--presets FOLDER]\n");
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI framework;
    const auto presets = loadPresets (options.presets);
    std::printf ("soak: %.0f s at %.0f Hz, blocks up to %d, %d preset files\n",
                 options.seconds,
                 options.sampleRate,
                 2 * options.blockSize,
                 presets.size());

    int exitCode = 0;
    AudioReport audio;
    Memory atStart, atEnd;
    long long presetLoads = 0, roundTrips = 0, automationPasses = 0;
    double wallSeconds = 0.0;

    {
        VantorraCoilvoxAudioProcessor processor;
        processor.setPlayConfigDetails (2, 2, options.sampleRate, options.blockSize);
        processor.prepareToPlay (options.sampleRate, options.blockSize);

        std::atomic<bool> running{ true };
        std::thread audioThread ([&] { runAudio (processor, options, running, audio); });

        // This thread is the host's message thread: the editor's and the host's own calls come from here.
        juce::Random random (2);
        auto& parameters = processor.getParameters();
        auto* decay = parameters[parameterIndexOf (ParameterIds::decay)];
        const auto start = Clock::now();
        auto nextReport = start + std::chrono::seconds (60);
        bool startMeasured = false;

        // The duration is wall-clock time; under the sanitizer less audio than that is played in it.
        while (Clock::now() - start < std::chrono::duration<double> (options.seconds))
        {
            while (juce::dispatchNextMessageOnSystemQueue (true))
            {
            }

            for (auto* parameter : parameters)
                parameter->setValueNotifyingHost (random.nextFloat());

            ++automationPasses;

            if (random.nextInt (10) == 0)
            {
                decay->beginChangeGesture();
                decay->setValueNotifyingHost (random.nextFloat());
                decay->endChangeGesture();
            }

            if (! presets.isEmpty() && random.nextInt (50) == 0)
            {
                const auto& chunk = presets.getReference (random.nextInt (presets.size()));
                processor.setStateInformation (chunk.getData(), (int) chunk.getSize());
                ++presetLoads;
            }

            if (random.nextInt (80) == 0)
            {
                juce::MemoryBlock saved;
                processor.getStateInformation (saved);
                processor.setStateInformation (saved.getData(), (int) saved.getSize());
                ++roundTrips;
            }

            // The start figure is taken once the first half minute has settled every pool and cache.
            if (! startMeasured && Clock::now() - start > std::chrono::seconds (30))
            {
                atStart = Memory::now();
                startMeasured = true;
            }

            if (Clock::now() > nextReport)
            {
                const auto m = Memory::now();
                std::printf ("soak: %.0f s, audio %.0f s, resident %ld kB, peak %ld kB\n",
                             std::chrono::duration<double> (Clock::now() - start).count(),
                             audio.progressSeconds.load (std::memory_order_relaxed),
                             m.residentKb,
                             m.peakKb);
                std::fflush (stdout);
                nextReport += std::chrono::seconds (60);
            }

            std::this_thread::sleep_for (std::chrono::milliseconds (20));
        }

        running = false;
        audioThread.join();
        atEnd = Memory::now();
        wallSeconds = std::chrono::duration<double> (Clock::now() - start).count();

        if (! startMeasured)
            atStart = atEnd;
    }

    std::printf ("soak: wall %.1f s, audio %.1f s in %lld blocks (%lld bypassed), output peak %.4f\n",
                 wallSeconds,
                 audio.audioSeconds,
                 audio.blocks,
                 audio.bypassedBlocks,
                 (double) audio.peak);
    std::printf ("soak: message thread: %lld automation passes of every parameter, %lld preset loads, "
                 "%lld state round trips\n",
                 automationPasses,
                 presetLoads,
                 roundTrips);
    std::printf ("soak: non-finite samples: %lld\n", audio.nonFinite);
    std::printf ("soak: audio-thread heap allocations: %lld (in %lld blocks)\n",
                 audio.allocations,
                 audio.allocatingBlocks);
    std::printf ("soak: memory at start: resident %ld kB, peak %ld kB; at end: resident %ld kB, peak %ld kB\n",
                 atStart.residentKb,
                 atStart.peakKb,
                 atEnd.residentKb,
                 atEnd.peakKb);

    if (audio.nonFinite > 0)
        exitCode = 1;

    return exitCode;
}
