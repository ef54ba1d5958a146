#include "plugin/ParameterInfo.h"

#include "engine/Coilvox.h"

namespace
{
using Channel = Coilvox::Channel;

juce::String numberText (float value, int decimals) { return juce::String (value, decimals); }

/** A table-driven text: the value's entry, or the fallback entry for anything outside the range. */
std::function<juce::String (int, int)> textTable (int firstValue, std::vector<const char*> names, size_t fallback)
{
    return [firstValue, names = std::move (names), fallback] (int value, int)
    {
        const int index = value - firstValue;
        return juce::String (index >= 0 && index < (int) names.size() ? names[(size_t) index] : names[fallback]);
    };
}

std::vector<ParameterInfo> buildTable()
{
    namespace ids = ParameterIds;
    const auto decibels = [] (float v, int length) { return decibelText (v, length); };
    const std::function<juce::String (float, int)> defaultText;

    // clang-format off
        return {
            FloatParameterInfo { ids::in,           "Input Level",    -70.0f, 10.0f, 0.1f, 0.0f,   "dB", 5.2f, decibels,    [] (Coilvox& e, float v) { e.setInputLevel (v); } },
            FloatParameterInfo { ids::out,          "Output Level",   -70.0f, 6.0f,  0.1f, 0.0f,   "dB", 8.2f, decibels,    [] (Coilvox& e, float v) { e.setOutputLevel (v); } },
            FloatParameterInfo { ids::channelAGain, "Channel A Gain", 0.0f, 100.0f,  0.5f, 100.0f, "%",  1.0f, defaultText, [] (Coilvox& e, float v) { e.setChannelGain (Channel::A, v); } },
            FloatParameterInfo { ids::channelBGain, "Channel B Gain", 0.0f, 100.0f,  0.5f, 0.0f,   "%",  1.0f, defaultText, [] (Coilvox& e, float v) { e.setChannelGain (Channel::B, v); } },
            FloatParameterInfo { ids::channelCGain, "Channel C Gain", 0.0f, 100.0f,  0.5f, 0.0f,   "%",  1.0f, defaultText, [] (Coilvox& e, float v) { e.setChannelGain (Channel::C, v); } },
            FloatParameterInfo { ids::reverbAmount, "Reverb Amount",  0.0f, 100.0f,  0.5f, 23.0f,  "%",  1.0f, defaultText, [] (Coilvox& e, float v) { e.setReverbAmount (v); } },
            FloatParameterInfo { ids::reverbDrive,  "Reverb Drive",   0.0f, 100.0f,  0.5f, 47.0f,  "%",  1.0f, defaultText, [] (Coilvox& e, float v) { e.setReverbDrive (v); } },
            FloatParameterInfo { ids::decay,        "Reverb Decay",   -10.0f, 10.0f, 1.0f, -2.0f,  "",   1.0f, defaultText, [] (Coilvox& e, float v) { e.setDecay (v); } },
            FloatParameterInfo { ids::width,        "Reverb Width",   0.0f, 200.0f,  1.0f, 100.0f, "%",  1.0f, defaultText, [] (Coilvox& e, float v) { e.setWidth (v); } },
            FloatParameterInfo { ids::tone,         "Tone",           -100.0f, 100.0f, 0.5f, 0.0f, "%",  1.0f, defaultText, [] (Coilvox& e, float v) { e.setTone (v); } },
            FloatParameterInfo { ids::mix,          "Global Mix",     0.0f, 100.0f,  0.5f, 100.0f, "%",  1.0f, defaultText, [] (Coilvox& e, float v) { e.setGlobalMix (v); } },
            FloatParameterInfo { ids::ampMaster,    "Amp Master",     -70.0f, 6.0f,  0.1f, -6.5f,  "dB", 4.0f, decibels,    [] (Coilvox& e, float v) { e.setAmpMaster (v); } },
            FloatParameterInfo { ids::ampDrive,     "Amp Gain",       0.0f, 10.0f,   0.1f, 0.0f,   "",   1.0f, defaultText, [] (Coilvox& e, float v) { e.setAmpDrive (v); } },
            FloatParameterInfo { ids::rate,         "Tremolo Speed",  1.0f, 10.0f,   0.1f, 1.0f,   "Hz", 1.5f, defaultText, [] (Coilvox& e, float v) { e.setTremoloRate (v); } },
            FloatParameterInfo { ids::depth,        "Tremolo Depth",  0.0f, 100.0f,  1.0f, 100.0f, "%",  1.0f, defaultText, [] (Coilvox& e, float v) { e.setTremoloDepth (v); } },
            FloatParameterInfo { ids::bass,         "Low",            -12.0f, 12.0f, 0.1f, 0.0f,   "dB", 1.0f, defaultText, [] (Coilvox& e, float v) { e.setBass (v); } },
            FloatParameterInfo { ids::mid,          "Mid",            -12.0f, 12.0f, 0.1f, 0.0f,   "dB", 1.0f, defaultText, [] (Coilvox& e, float v) { e.setMid (v); } },
            FloatParameterInfo { ids::treble,       "High",           -12.0f, 12.0f, 0.1f, 0.0f,   "dB", 1.0f, defaultText, [] (Coilvox& e, float v) { e.setTreble (v); } },
            IntParameterInfo   { ids::tank,         "Spring Tank",    1, 3, 3,   "",   textTable (1, { "Accutronics", "Belton", "Coilvox" }, 0), [] (Coilvox& e, float v) { e.setTank (v); } },
            IntParameterInfo   { ids::syncRate,     "Sync Speed",     0, 5, 1,   "",   textTable (0, { "1/2", "1/4", "1/8", "1/12", "1/16", "1/24" }, 5), [] (Coilvox& e, float v) { e.setTremoloSyncRate (v); } },
            IntParameterInfo   { ids::preDelay,     "Pre-Delay",      0, 200, 20, "ms", {}, [] (Coilvox& e, float v) { e.setPreDelay ((int) v); } },
            IntParameterInfo   { ids::oversampling, "Oversampling",   1, 4, 3,   "",   textTable (1, { "16X", "8X", "4X", "OFF" }, 3), [] (Coilvox& e, float v) { e.setOversampling (v); } },
            BoolParameterInfo  { ids::channelA,     "Channel A Toggle", true,  [] (Coilvox& e, float v) { e.setChannelOn (Channel::A, v != 0.0f); } },
            BoolParameterInfo  { ids::channelB,     "Channel B Toggle", true,  [] (Coilvox& e, float v) { e.setChannelOn (Channel::B, v != 0.0f); } },
            BoolParameterInfo  { ids::channelC,     "Channel C Toggle", false, [] (Coilvox& e, float v) { e.setChannelOn (Channel::C, v != 0.0f); } },
            BoolParameterInfo  { ids::amp,          "Amp Toggle",       false, [] (Coilvox& e, float v) { e.setAmpOn (v); } },
            BoolParameterInfo  { ids::cabinet,      "Cabinet Toggle",   true,  [] (Coilvox& e, float v) { e.setCabinetOn (v); } },
            BoolParameterInfo  { ids::sync,         "Tremolo Sync",     true,  [] (Coilvox& e, float v) { e.setTremoloSync (v); } },
            BoolParameterInfo  { ids::tremolo,      "Tremolo Toggle",   false, [] (Coilvox& e, float v) { e.setTremoloOn (v); } },
        };
    // clang-format on
}

std::unique_ptr<juce::RangedAudioParameter> createParameter (const ParameterInfo& info)
{
    return std::visit (
        [] (const auto& p) -> std::unique_ptr<juce::RangedAudioParameter>
        {
            using Info = std::decay_t<decltype (p)>;
            const juce::ParameterID parameterId{ p.id, 1 };

            if constexpr (std::is_same_v<Info, FloatParameterInfo>)
            {
                auto attributes = juce::AudioParameterFloatAttributes().withLabel (p.label);

                if (p.toText)
                    attributes = attributes.withStringFromValueFunction (p.toText);

                return std::make_unique<juce::AudioParameterFloat> (
                    parameterId,
                    p.name,
                    juce::NormalisableRange<float> (p.minimum, p.maximum, p.step, p.skew, false),
                    p.defaultValue,
                    attributes);
            }
            else if constexpr (std::is_same_v<Info, IntParameterInfo>)
            {
                auto attributes = juce::AudioParameterIntAttributes().withLabel (p.label);

                if (p.toText)
                    attributes = attributes.withStringFromValueFunction (p.toText);

                return std::make_unique<juce::AudioParameterInt> (parameterId,
                                                                  p.name,
                                                                  p.minimum,
                                                                  p.maximum,
                                                                  p.defaultValue,
                                                                  attributes);
            }
            else
            {
                return std::make_unique<juce::AudioParameterBool> (parameterId, p.name, p.defaultValue);
            }
        },
        info);
}
} // namespace

const std::vector<ParameterInfo>& parameterInfos()
{
    static const std::vector<ParameterInfo> table = buildTable();
    return table;
}

const char* parameterIdOf (const ParameterInfo& info)
{
    return std::visit ([] (const auto& p) { return p.id; }, info);
}

int parameterIndexOf (const juce::String& id)
{
    const auto& table = parameterInfos();

    for (size_t i = 0; i < table.size(); ++i)
        if (id == parameterIdOf (table[i]))
            return (int) i;

    return -1;
}

const std::unordered_map<juce::String, EngineSetter>& parameterSetters()
{
    static const auto setters = []
    {
        std::unordered_map<juce::String, EngineSetter> map;

        for (const auto& info : parameterInfos())
            map.emplace (parameterIdOf (info), std::visit ([] (const auto& p) { return p.setter; }, info));

        return map;
    }();

    return setters;
}

juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout()
{
    juce::AudioProcessorValueTreeState::ParameterLayout layout;

    for (const auto& info : parameterInfos())
        layout.add (createParameter (info));

    return layout;
}

juce::String decibelText (float value, int /*maximumLength*/)
{
    return value > -70.0f ? numberText (value, 1) : juce::String ("-inf");
}
