// coilvox-render: runs the plug-in's processor offline over a WAV file.
//
//   coilvox-render in.wav out.wav [ID=value ...] [--block N] [--tail SECONDS]
//   coilvox-render --test-signal out.wav [ID=value ...]
//
// Values are plain parameter values (dB, %, Hz, table index). Prints peak, RMS and latency.

#include "TestPhrase.h"
#include "plugin/VantorraCoilvoxAudioProcessor.h"

#include <juce_audio_formats/juce_audio_formats.h>
#include <juce_events/juce_events.h>

#include <iostream>

namespace
{
int fail (const juce::String& message)
{
    std::cerr << "coilvox-render: " << message << std::endl;
    return 2;
}

juce::String decibels (float gain)
{
    return gain > 0.0f ? juce::String (juce::Decibels::gainToDecibels (gain), 2) + " dBFS" : juce::String ("-inf dBFS");
}

void printUsage()
{
    std::cout << "usage: coilvox-render in.wav out.wav [ID=value ...] [--block N] [--tail SECONDS]\n"
                 "       coilvox-render --test-signal out.wav [ID=value ...]\n";
}
} // namespace

int main (int argc, char* argv[])
{
    const juce::ScopedJuceInitialiser_GUI framework;

    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add (argv[i]);

    if (args.isEmpty() || args.contains ("--help") || args.contains ("-h"))
    {
        printUsage();
        return args.isEmpty() ? 2 : 0;
    }

    int blockSize = 512;
    double tailSeconds = 2.0;
    bool testSignal = false;
    juce::StringArray files, assignments;

    for (int i = 0; i < args.size(); ++i)
    {
        if (args[i] == "--block" && i + 1 < args.size())
            blockSize = args[++i].getIntValue();
        else if (args[i] == "--tail" && i + 1 < args.size())
            tailSeconds = args[++i].getDoubleValue();
        else if (args[i] == "--test-signal")
            testSignal = true;
        else if (args[i].contains ("="))
            assignments.add (args[i]);
        else
            files.add (args[i]);
    }

    if (blockSize < 1 || blockSize > 65536)
        return fail ("the block size must be between 1 and 65536");

    if (files.size() != (testSignal ? 1 : 2))
    {
        printUsage();
        return 2;
    }

    // input
    double sampleRate = 44100.0;
    juce::AudioBuffer<float> input;

    if (testSignal)
    {
        input = TestPhrase::make (sampleRate);
    }
    else
    {
        juce::AudioFormatManager formats;
        formats.registerBasicFormats();
        const juce::File inFile = juce::File::getCurrentWorkingDirectory().getChildFile (files[0]);
        std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (inFile));

        if (reader == nullptr)
            return fail ("cannot read " + inFile.getFullPathName() + " as audio");

        sampleRate = reader->sampleRate;
        input.setSize ((int) juce::jlimit (1u, 2u, reader->numChannels), (int) reader->lengthInSamples);
        reader->read (&input, 0, input.getNumSamples(), 0, true, true);
    }

    const juce::File outFile =
        juce::File::getCurrentWorkingDirectory().getChildFile (files.getReference (files.size() - 1));

    // processor, prepared like a host does
    VantorraCoilvoxAudioProcessor processor;
    processor.setPlayConfigDetails (input.getNumChannels(), 2, sampleRate, blockSize);

    for (const auto& assignment : assignments)
    {
        const auto id = assignment.upToFirstOccurrenceOf ("=", false, false).trim();
        const auto valueText = assignment.fromFirstOccurrenceOf ("=", false, false).trim();
        auto* parameter = processor.parameters.getParameter (id);

        if (parameter == nullptr)
            return fail ("unknown parameter " + id);

        if (!valueText.containsOnly ("0123456789.-+eE") || valueText.isEmpty())
            return fail ("the value of " + id + " must be a plain number, not \"" + valueText + "\"");

        parameter->setValueNotifyingHost (parameter->convertTo0to1 (valueText.getFloatValue()));
    }

    processor.prepareToPlay (sampleRate, blockSize);
    const int latency = processor.getLatencySamples();

    juce::AudioBuffer<float> output (2, input.getNumSamples() + (int) (tailSeconds * sampleRate));
    output.clear();

    for (int c = 0; c < 2; ++c)
        output.copyFrom (c, 0, input, juce::jmin (c, input.getNumChannels() - 1), 0, input.getNumSamples());

    juce::MidiBuffer midi;

    for (int start = 0; start < output.getNumSamples(); start += blockSize)
    {
        juce::AudioBuffer<float> block (output.getArrayOfWritePointers(),
                                        2,
                                        start,
                                        juce::jmin (blockSize, output.getNumSamples() - start));
        processor.processBlock (block, midi);
    }

    processor.releaseResources();

    // write to a temporary file first, so a failed write leaves any old file intact
    const juce::TemporaryFile temporary (outFile);
    {
        juce::WavAudioFormat wav;
        std::unique_ptr<juce::OutputStream> stream (temporary.getFile().createOutputStream());

        if (stream == nullptr)
            return fail ("cannot write " + outFile.getFullPathName());

        std::unique_ptr<juce::AudioFormatWriter> writer (wav.createWriterFor (stream.get(), sampleRate, 2, 32, {}, 0));

        if (writer == nullptr)
            return fail ("cannot write WAV data");

        stream.release();
        writer->writeFromAudioSampleBuffer (output, 0, output.getNumSamples());
    }

    if (!temporary.overwriteTargetFileWithTemporary())
        return fail ("cannot replace " + outFile.getFullPathName());

    float rms = 0.0f;
    for (int c = 0; c < 2; ++c)
        rms = juce::jmax (rms, output.getRMSLevel (c, 0, output.getNumSamples()));

    std::cout << "wrote " << outFile.getFullPathName() << "\n"
              << "  " << output.getNumSamples() << " samples at " << sampleRate << " Hz, 2 channels, 32-bit float\n"
              << "  peak "
              << decibels (juce::jmax (output.getMagnitude (0, 0, output.getNumSamples()),
                                       output.getMagnitude (1, 0, output.getNumSamples())))
              << ", RMS " << decibels (rms) << "\n"
              << "  latency " << latency << " samples (" << juce::String (1000.0 * latency / sampleRate, 2) << " ms)"
              << std::endl;
    return 0;
}
