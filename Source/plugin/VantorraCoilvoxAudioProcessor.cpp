#include "plugin/VantorraCoilvoxAudioProcessor.h"

#include "gui/VantorraCoilvoxAudioProcessorEditor.h"
#include "plugin/ParameterInfo.h"
#include "plugin/StateChunk.h"
#include "update/SettingsFolder.h"

namespace
{
const juce::Identifier guiStateKey ("GUI_STATE");
const juce::Identifier presetInfoType ("previousPresetInfo");
const juce::Identifier presetFilePathKey ("PRES_FILE_PATH");
const juce::Identifier presetChangedKey ("PRES_CHANGED");

/** The last "PARAM" element (any letter case) with the ID, as the preset check reads it; every other
    child with the ID is removed. The framework would follow the first child with the ID whatever its
    name, so a crafted preset could pass the check with one node and switch the amplifier on with another. */
juce::ValueTree lastParameterNode (juce::ValueTree& restored, const juce::String& parameterId)
{
    juce::ValueTree last;

    for (int i = restored.getNumChildren(); --i >= 0;)
    {
        const auto child = restored.getChild (i);

        if (child.getProperty ("id").toString() != parameterId)
            continue;

        if (! last.isValid() && child.getType().toString().equalsIgnoreCase ("PARAM"))
            last = child;
        else
            restored.removeChild (i, nullptr);
    }

    return last;
}

juce::PropertiesFile::Options settingsOptions()
{
    juce::PropertiesFile::Options options;
    options.applicationName = "Vantorra Coilvox";
    options.filenameSuffix = "settings";
    options.folderName = OV::settingsFolder().getFullPathName();
    options.osxLibrarySubFolder = "Application Support";
    options.commonToAllUsers = false;
    options.ignoreCaseOfKeyNames = false;
    options.millisecondsBeforeSaving = 3000;
    options.storageFormat = juce::PropertiesFile::storeAsXML;
    return options;
}
} // namespace

VantorraCoilvoxAudioProcessor::VantorraCoilvoxAudioProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true))
    , engine (*this)
    , parameters (*this, nullptr, "params", createParameterLayout())
{
    settings.setStorageParameters (settingsOptions());

    for (const auto& info : parameterInfos())
        parameters.addParameterListener (parameterIdOf (info), this);

    addListener (this);
}

VantorraCoilvoxAudioProcessor::~VantorraCoilvoxAudioProcessor()
{
    for (const auto& info : parameterInfos())
        parameters.removeParameterListener (parameterIdOf (info), this);

    removeListener (this);
    settings.saveIfNeeded();
}

//==============================================================================
void VantorraCoilvoxAudioProcessor::prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock)
{
    engine.prepare (sampleRate,
                    maximumExpectedSamplesPerBlock,
                    getTotalNumInputChannels(),
                    getTotalNumOutputChannels());

    bypassLanes = juce::jmax (1, getTotalNumInputChannels(), getTotalNumOutputChannels());
    bypassDelay.prepare (
        { sampleRate, (juce::uint32) juce::jmax (1, maximumExpectedSamplesPerBlock), (juce::uint32) bypassLanes });
    bypassDelay.reset();

    for (const auto& info : parameterInfos())
    {
        const char* id = parameterIdOf (info);
        parameterChanged (id, parameters.getRawParameterValue (id)->load());
    }

    // The limiter looks 2 ms ahead at its own (whole-hertz) rate.
    const int latency = (int) engine.getOversamplingLatency() + (int) (0.002 * engine.getLimiterSampleRate());
    setLatencySamples (latency);

    bypassDelaySamples = juce::jlimit (0, bypassDelay.getMaximumDelayInSamples(), latency);
    bypassDelay.setDelay ((float) bypassDelaySamples);
}

void VantorraCoilvoxAudioProcessor::reset() { engine.reset(); }

bool VantorraCoilvoxAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto output = layouts.getMainOutputChannelSet();
    return output == juce::AudioChannelSet::mono() || output == juce::AudioChannelSet::stereo();
}

void VantorraCoilvoxAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    const juce::ScopedNoDenormals noDenormals;

    const int inputs = getTotalNumInputChannels();
    const int outputs = getTotalNumOutputChannels();

    for (int c = inputs; c < buffer.getNumChannels(); ++c)
        buffer.clear (c, 0, buffer.getNumSamples());

    engine.numInputChannels.store (inputs, std::memory_order_relaxed);
    engine.numOutputChannels.store (outputs, std::memory_order_relaxed);

    if (auto* playHead = getPlayHead())
    {
        if (const auto position = playHead->getPosition())
        {
            const auto bpm = position->getBpm();
            const auto ppq = position->getPpqPosition();

            if (bpm.hasValue() && ppq.hasValue())
            {
                engine.bpm.store (*bpm, std::memory_order_relaxed);
                engine.ppqPosition.store (*ppq, std::memory_order_relaxed);

                const bool playing = position->getIsPlaying();

                if (engine.isPlaying.load (std::memory_order_relaxed) && !playing)
                    engine.tremoloRestartRequested.store (true, std::memory_order_relaxed);

                engine.isPlaying.store (playing, std::memory_order_relaxed);
            }
        }
    }

    // A host buffer wider than the buses: the engine sees only the layout's channels, so the rest
    // stay silent as they are for a stereo layout (a mono one would otherwise get a copy of the output).
    const int layoutChannels = juce::jmax (1, inputs, outputs);

    if (buffer.getNumChannels() > layoutChannels)
    {
        juce::AudioBuffer<float> layoutView (buffer.getArrayOfWritePointers(), layoutChannels, buffer.getNumSamples());
        engine.process (layoutView);
        return;
    }

    engine.process (buffer);
}

void VantorraCoilvoxAudioProcessor::processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    buffer.setNotClear();

    // Before the first prepare there is no delay to align with: the input passes as it is.
    if (bypassLanes == 0)
        return;

    for (int c = 0; c < buffer.getNumChannels(); ++c)
    {
        // A lane exists per prepared channel; anything wider has no delay to keep it aligned.
        if (c >= bypassLanes)
        {
            buffer.clear (c, 0, buffer.getNumSamples());
            continue;
        }

        auto* data = buffer.getWritePointer (c);

        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            bypassDelay.pushSample (c, data[i]);
            data[i] = bypassDelay.popSample (c);
        }
    }
}

//==============================================================================
void VantorraCoilvoxAudioProcessor::parameterChanged (const juce::String& parameterId, float newValue)
{
    const auto& setters = parameterSetters();
    const auto found = setters.find (parameterId);

    if (found == setters.end())
        return;

    found->second (engine, newValue);

    if (parameterId == ParameterIds::channelAGain || parameterId == ParameterIds::channelBGain
        || parameterId == ParameterIds::channelCGain)
        updateHiddenCombination();
}

void VantorraCoilvoxAudioProcessor::updateHiddenCombination()
{
    if (hiddenUnlocked.load())
        return;

    const float a = getParameterValue (ParameterIds::channelAGain);
    const float b = getParameterValue (ParameterIds::channelBGain);
    const float c = getParameterValue (ParameterIds::channelCGain);

    hiddenComboSet.store (a > 60.0f && a < 70.0f && b < 8.0f && c > 15.0f && c < 25.0f);
}

float VantorraCoilvoxAudioProcessor::getParameterValue (const char* parameterId) const
{
    if (auto* value = parameters.getRawParameterValue (parameterId))
        return value->load();

    return 0.0f;
}

void VantorraCoilvoxAudioProcessor::audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*,
                                                                               int parameterIndex)
{
    if (parameterIndex == parameterIndexOf (ParameterIds::decay))
        engine.beginDecayGesture (getParameterValue (ParameterIds::decay));
}

void VantorraCoilvoxAudioProcessor::audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int parameterIndex)
{
    if (parameterIndex == parameterIndexOf (ParameterIds::decay))
        engine.endDecayGesture (getParameterValue (ParameterIds::decay));
}

//==============================================================================
void VantorraCoilvoxAudioProcessor::getStateInformation (juce::MemoryBlock& destination)
{
    auto state = parameters.copyState();
    state.setProperty (guiStateKey, guiState, nullptr);

    if (const auto xml = state.createXml())
        copyXmlToBinary (*xml, destination);
}

void VantorraCoilvoxAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    if (const auto xml = StateChunk::parse (data, (size_t) juce::jmax (0, sizeInBytes)))
    {
        if (xml->getTagName().equalsIgnoreCase (parameters.state.getType().toString()))
        {
            // Keep the tree's own type, so a differently cased root is stored back as "params".
            juce::ValueTree restored (parameters.state.getType());
            restored.copyPropertiesAndChildrenFrom (juce::ValueTree::fromXml (*xml), nullptr);

            // The framework would reset a parameter without a node to its default, and would hand a
            // value that is not a number ("nan") on to the parameter and the engine: both keep their value.
            for (auto* parameter : getParameters())
            {
                auto* ranged = static_cast<juce::RangedAudioParameter*> (parameter);
                const auto current = getParameterValue (ranged->getParameterID().toRawUTF8());
                auto node = lastParameterNode (restored, ranged->getParameterID());

                if (! node.isValid())
                    restored.appendChild (juce::ValueTree ("PARAM", {}, {})
                                              .setProperty ("id", ranged->getParameterID(), nullptr)
                                              .setProperty ("value", current, nullptr),
                                          nullptr);
                else if (node.hasProperty ("value") && std::isnan ((float) node.getProperty ("value")))
                    node.setProperty ("value", current, nullptr);

                // A switch reads as the preset check reads it ("0.6" or "9" would be on as a number).
                if (node.isValid() && node.hasProperty ("value") && dynamic_cast<juce::AudioParameterBool*> (parameter))
                    node.setProperty ("value", StateChunk::isOnValue (node["value"].toString()) ? 1.0f : 0.0f, nullptr);
            }

            parameters.replaceState (restored);
        }
    }

    if (parameters.state.hasProperty (guiStateKey))
        guiState = (int) parameters.state.getProperty (guiStateKey);

    const auto presetInfo = parameters.state.getChildWithName (presetInfoType);

    if (presetInfo.isValid())
    {
        presetFilePath = presetInfo.getProperty (presetFilePathKey, juce::String()).toString();
        presetChanged = (bool) presetInfo.getProperty (presetChangedKey, false);
    }
}

//==============================================================================
juce::AudioProcessorEditor* VantorraCoilvoxAudioProcessor::createEditor()
{
    return new VantorraCoilvoxAudioProcessorEditor (*this);
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter() { return new VantorraCoilvoxAudioProcessor(); }
