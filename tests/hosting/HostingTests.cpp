#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 256;

/** The first plug-in the format finds for the file or identifier, instantiated as a host does. */
std::unique_ptr<juce::AudioPluginInstance> instantiate (juce::AudioPluginFormat& format,
                                                        const juce::String& fileOrIdentifier)
{
    juce::OwnedArray<juce::PluginDescription> found;
    format.findAllTypesForFile (found, fileOrIdentifier);

    if (found.isEmpty())
        return {};

    juce::String error;
    auto instance = format.createInstanceFromDescription (*found[0], sampleRate, blockSize, error);
    EXPECT_TRUE (error.isEmpty()) << error;
    return instance;
}

std::unique_ptr<juce::AudioPluginInstance> loadVst3()
{
    juce::VST3PluginFormat format;
    return instantiate (format, COILVOX_VST3_BUNDLE);
}

std::unique_ptr<juce::AudioPluginInstance> loadLv2()
{
    static juce::LV2PluginFormat format; // keeps the loaded world alive for every instance
    format.searchPathsForPlugins (juce::FileSearchPath (COILVOX_LV2_FOLDER), false, false);
    return instantiate (format, COILVOX_LV2_URI);
}

juce::AudioProcessorParameter* findParameter (juce::AudioPluginInstance& plugin, const juce::String& name)
{
    for (auto* p : plugin.getParameters())
        if (p->getName (100) == name)
            return p;

    return nullptr;
}

/** Prepares stereo in and out and runs noise through it; returns the output. */
juce::AudioBuffer<float> runNoise (juce::AudioPluginInstance& plugin, int numChannels, int numBlocks)
{
    auto layout = plugin.getBusesLayout();
    const auto set = numChannels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    layout.getChannelSet (true, 0) = set;
    layout.getChannelSet (false, 0) = set;

    if (plugin.getMainBusNumOutputChannels() != numChannels)
        EXPECT_TRUE (plugin.setBusesLayout (layout));

    plugin.prepareToPlay (sampleRate, blockSize);
    juce::AudioBuffer<float> all (numChannels, numBlocks * blockSize);
    juce::Random random (3);
    juce::MidiBuffer midi;

    for (int b = 0; b < numBlocks; ++b)
    {
        juce::AudioBuffer<float> block (
            juce::jmax (plugin.getTotalNumInputChannels(), plugin.getTotalNumOutputChannels()),
            blockSize);

        for (int c = 0; c < block.getNumChannels(); ++c)
            for (int i = 0; i < blockSize; ++i)
                block.setSample (c, i, 0.3f * (2.0f * random.nextFloat() - 1.0f));

        plugin.processBlock (block, midi);

        for (int c = 0; c < numChannels; ++c)
            all.copyFrom (c, b * blockSize, block, c, 0, blockSize);
    }

    plugin.releaseResources();
    return all;
}

void expectProcessesAudio (juce::AudioPluginInstance& plugin)
{
    for (const int channels : { 2, 1 })
    {
        // LV2 bundles have a fixed number of ports: stereo only
        if (channels == 1 && plugin.getPluginDescription().pluginFormatName == "LV2")
            continue;

        const auto output = runNoise (plugin, channels, 40);
        float peak = 0.0f;

        for (int c = 0; c < channels; ++c)
        {
            for (int i = 0; i < output.getNumSamples(); ++i)
                ASSERT_TRUE (std::isfinite (output.getSample (c, i)));

            peak = juce::jmax (peak, output.getMagnitude (c, output.getNumSamples() / 2, output.getNumSamples() / 2));
        }

        EXPECT_GT (peak, 0.05f) << channels << " channel(s)";
        EXPECT_LE (peak, 1.0f);
    }
}
} // namespace

TEST (HostingVst3, LoadsShowsItsParametersAndProcesses)
{
    auto plugin = loadVst3();
    ASSERT_NE (plugin, nullptr) << "no VST3 plug-in in " << COILVOX_VST3_BUNDLE;

    EXPECT_EQ (plugin->getName(), "VantorraCoilvox");

    // 29 parameters in our order, and the wrapper's own bypass after them
    const auto& parameters = plugin->getParameters();
    ASSERT_EQ (parameters.size(), 30);
    EXPECT_EQ (parameters[0]->getName (100), "Input Level");
    EXPECT_EQ (parameters[18]->getName (100), "Spring Tank");
    EXPECT_EQ (parameters[28]->getName (100), "Tremolo Toggle");
    EXPECT_EQ (parameters[18]->getCurrentValueAsText(), "Coilvox");
    EXPECT_EQ (parameters[21]->getCurrentValueAsText(), "4X");
    EXPECT_EQ (parameters[0]->getText (0.0f, 100), "-inf");

    expectProcessesAudio (*plugin);

    runNoise (*plugin, 2, 1);
    EXPECT_EQ (plugin->getLatencySamples() > 96, true);
}

TEST (HostingVst3, BypassDelaysTheInputByTheReportedLatency)
{
    auto plugin = loadVst3();
    ASSERT_NE (plugin, nullptr);

    // The host reads the latency before it activates the plug-in, so the second preparation sees it.
    plugin->prepareToPlay (sampleRate, blockSize);
    plugin->releaseResources();
    plugin->prepareToPlay (sampleRate, blockSize);
    const int latency = plugin->getLatencySamples();
    EXPECT_GT (latency, 96);
    auto* bypass = plugin->getBypassParameter();
    ASSERT_NE (bypass, nullptr);
    bypass->setValueNotifyingHost (1.0f);

    juce::AudioBuffer<float> block (2, blockSize);
    juce::MidiBuffer midi;
    std::vector<float> output;

    for (int b = 0; b < 4; ++b)
    {
        block.clear();
        if (b == 0)
            block.setSample (0, 10, 0.5f);

        plugin->processBlock (block, midi);

        for (int i = 0; i < blockSize; ++i)
            output.push_back (block.getSample (0, i));
    }

    ASSERT_GT ((int) output.size(), latency + 10);

    EXPECT_EQ (output[(size_t) (latency + 10)], 0.5f);
    plugin->releaseResources();
}

TEST (HostingVst3, StateMovesBetweenInstances)
{
    auto first = loadVst3();
    auto second = loadVst3();
    ASSERT_NE (first, nullptr);
    ASSERT_NE (second, nullptr);

    findParameter (*first, "Reverb Width")->setValueNotifyingHost (0.25f);
    findParameter (*first, "Spring Tank")->setValueNotifyingHost (0.5f);

    juce::MemoryBlock state;
    first->getStateInformation (state);
    second->setStateInformation (state.getData(), (int) state.getSize());

    EXPECT_EQ (findParameter (*second, "Reverb Width")->getCurrentValueAsText(), "50");
    EXPECT_EQ (findParameter (*second, "Spring Tank")->getCurrentValueAsText(), "Belton");
}

TEST (HostingLv2, LoadsShowsItsParametersAndProcesses)
{
    auto plugin = loadLv2();
    ASSERT_NE (plugin, nullptr) << "no LV2 plug-in " << COILVOX_LV2_URI << " in " << COILVOX_LV2_FOLDER;

    // LV2 hosts list the parameters as patch properties
    int ours = 0;
    for (const auto* name : { "Input Level", "Spring Tank", "Oversampling", "Tremolo Toggle", "Pre-Delay" })
        ours += findParameter (*plugin, name) != nullptr ? 1 : 0;
    EXPECT_EQ (ours, 5);

    expectProcessesAudio (*plugin);

    // the LV2 wrapper reports latency after the first processed block
    runNoise (*plugin, 2, 2);
    EXPECT_GT (plugin->getLatencySamples(), 96);
}

TEST (HostingLv2, StateMovesBetweenInstances)
{
    auto first = loadLv2();
    auto second = loadLv2();
    ASSERT_NE (first, nullptr);
    ASSERT_NE (second, nullptr);

    auto* width = findParameter (*first, "Reverb Width");
    ASSERT_NE (width, nullptr);
    width->setValueNotifyingHost (0.25f);

    // LV2 hosts deliver parameter changes with the next processed block
    runNoise (*first, 2, 1);

    juce::MemoryBlock state;
    first->getStateInformation (state);
    second->setStateInformation (state.getData(), (int) state.getSize());

    runNoise (*second, 2, 1); // and report the plug-in's values back with the next block
    EXPECT_NEAR (findParameter (*second, "Reverb Width")->getValue(), 0.25f, 0.01f);
}
