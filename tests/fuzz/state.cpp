// setStateInformation with arbitrary bytes, as a host hands over a project's saved chunk.
#include "FuzzSupport.h"

#include "plugin/VantorraCoilvoxAudioProcessor.h"
#include "presets/PresetFiles.h"

#include <cmath>

namespace
{
struct Fixture
{
    Fixture()
    {
        processor.setRateAndBufferSizeDetails (48000.0, blockSize);
        processor.prepareToPlay (48000.0, blockSize);
        processor.getStateInformation (defaults);
    }

    static constexpr int blockSize = 64;
    VantorraCoilvoxAudioProcessor processor;
    juce::MemoryBlock defaults;
};

bool processesFinite (VantorraCoilvoxAudioProcessor& processor)
{
    juce::AudioBuffer<float> block (2, Fixture::blockSize);
    juce::Random random (1);

    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < block.getNumSamples(); ++i)
            block.setSample (c, i, random.nextFloat() * 2.0f - 1.0f);

    juce::MidiBuffer midi;
    processor.processBlock (block, midi);

    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < block.getNumSamples(); ++i)
            if (! std::isfinite (block.getSample (c, i)))
                return false;

    return true;
}
} // namespace

COILVOX_FUZZ_INITIALISE (Fixture)

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    auto& f = fuzzsupport::shared<Fixture>();
    auto& processor = f.processor;
    const auto parametersBefore = fuzzsupport::parameterValues (processor);
    const auto guiStateBefore = processor.guiState;
    const auto presetPathBefore = processor.presetFilePath;
    const auto presetChangedBefore = processor.presetChanged;

    const bool accepted = OV::PresetFiles::isValidStateChunk (juce::MemoryBlock (data, size),
                                                              processor.parameters.state.getType().toString());
    processor.setStateInformation (data, (int) size);

    if (! accepted)
    {
        fuzzsupport::checkParametersUnchanged (processor, parametersBefore, "a refused chunk changed a parameter");
        fuzzsupport::check (processor.guiState == guiStateBefore && processor.presetFilePath == presetPathBefore
                                && processor.presetChanged == presetChangedBefore,
                            "a refused chunk changed the stored view or preset");
        return 0;
    }

    fuzzsupport::check (fuzzsupport::parametersInRange (processor), "a restored parameter left its range");

    // What the processor saves now restores to exactly the same parameters.
    const auto restored = fuzzsupport::parameterValues (processor);
    juce::MemoryBlock saved;
    processor.getStateInformation (saved);
    processor.setStateInformation (saved.getData(), (int) saved.getSize());
    fuzzsupport::checkParametersUnchanged (processor, restored, "a save/restore round trip moved a parameter");

    fuzzsupport::check (processesFinite (processor), "audio after a restored chunk is not finite");

    // Back to the defaults, so every input starts from the same processor.
    processor.setStateInformation (f.defaults.getData(), (int) f.defaults.getSize());
    processor.guiState = guiStateBefore;
    processor.presetFilePath = presetPathBefore;
    processor.presetChanged = presetChangedBefore;
    fuzzsupport::pumpMessages();
    return 0;
}
