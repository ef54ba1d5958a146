// An arbitrary preset file loaded through the preset bar's load path.
#include "FuzzSupport.h"

#include "plugin/ParameterIds.h"
#include "plugin/VantorraCoilvoxAudioProcessor.h"
#include "presets/PresetFiles.h"
#include "presets/PresetManager.h"

namespace
{
struct Fixture
{
    Fixture()
    {
        processor.setRateAndBufferSizeDetails (48000.0, 64);
        processor.prepareToPlay (48000.0, 64);

        juce::MemoryBlock chunk;
        processor.getStateInformation (chunk);
        known.getParentDirectory().createDirectory();
        known.replaceWithData (chunk.getData(), chunk.getSize());

        manager.showMessage = [this] (const juce::String&, const juce::String&) { ++refusals; };
        manager.presetSecretFeatureBlockedCallback = [this] { ++refusals; };
        manager.loadPreset (known);
    }

    VantorraCoilvoxAudioProcessor processor;
    juce::File settings = fuzzsupport::scratchFolder ("preset");
    juce::File known = OV::PresetFiles::presetsFolder (settings).getChildFile ("User/Known.preset");
    juce::File fuzzed = OV::PresetFiles::presetsFolder (settings).getChildFile ("User/Fuzzed.preset");
    OV::PresetManager manager{ processor, settings, nullptr };
    int refusals = 0;
};
} // namespace

COILVOX_FUZZ_INITIALISE (Fixture)

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    auto& f = fuzzsupport::shared<Fixture>();
    f.fuzzed.replaceWithData (data, size);

    // Either way round for the hidden section, so both of its answers are explored.
    f.manager.hiddenSectionUnlocked = (size % 2) == 0;

    const auto filesBefore = fuzzsupport::snapshotFiles (f.settings);
    const auto parametersBefore = fuzzsupport::parameterValues (f.processor);
    const auto presetBefore = f.manager.currentPresetPath;
    const auto labelBefore = f.manager.getLabelText();
    const auto viewBefore = f.processor.guiState;
    const int refusalsBefore = f.refusals;
    auto* amp = f.processor.parameters.getParameter (ParameterIds::amp);
    const auto ampBefore = amp->getValue();

    f.manager.loadPreset (f.fuzzed);
    fuzzsupport::pumpMessages();

    fuzzsupport::check (fuzzsupport::snapshotFiles (f.settings) == filesBefore, "loading a preset changed a file");
    fuzzsupport::check (f.processor.guiState == viewBefore, "loading a preset changed the editor view");

    if (f.refusals != refusalsBefore)
    {
        fuzzsupport::checkParametersUnchanged (f.processor, parametersBefore, "a refused preset changed a parameter");
        fuzzsupport::check (f.manager.currentPresetPath == presetBefore && f.manager.getLabelText() == labelBefore,
                            "a refused preset changed the current preset");
        return 0;
    }

    fuzzsupport::check (f.manager.currentPresetPath == f.fuzzed.getFullPathName(),
                        "a loaded preset did not become the current one");
    fuzzsupport::check (fuzzsupport::parametersInRange (f.processor), "a loaded preset put a parameter out of range");
    fuzzsupport::check (f.manager.hiddenSectionUnlocked || amp->getValue() == ampBefore,
                        "a preset switched the amplifier on while the hidden section is locked");

    f.manager.loadPreset (f.known);
    fuzzsupport::pumpMessages();
    return 0;
}
