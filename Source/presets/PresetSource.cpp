#include "presets/PresetSource.h"

#include "plugin/VantorraCoilvoxAudioProcessor.h"

juce::Result PresetSource::parse (const juce::String& jsonText,
                                  const VantorraCoilvoxAudioProcessor& processor,
                                  juce::String& name,
                                  juce::NamedValueSet& values)
{
    juce::var json;

    if (const auto parsed = juce::JSON::parse (jsonText, json); parsed.failed())
        return parsed;

    name = json.getProperty ("name", {}).toString().trim();

    if (name.isEmpty() || juce::File::createLegalFileName (name) != name)
        return juce::Result::fail ("missing or unusable \"name\"");

    auto* parameters = json.getProperty ("parameters", {}).getDynamicObject();

    if (parameters == nullptr)
        return juce::Result::fail ("missing \"parameters\" object");

    values.clear();

    for (const auto& property : parameters->getProperties())
    {
        const auto id = property.name.toString();
        const auto* parameter = processor.parameters.getParameter (id);

        if (parameter == nullptr)
            return juce::Result::fail ("unknown parameter \"" + id + "\"");

        const auto& value = property.value;

        if (!(value.isDouble() || value.isInt() || value.isInt64() || value.isBool()))
            return juce::Result::fail ("\"" + id + "\" is not a number");

        const auto plain = (float) (double) value;
        const auto range = parameter->getNormalisableRange();

        if (plain < range.start || plain > range.end)
            return juce::Result::fail ("\"" + id + "\" is outside " + juce::String (range.start) + " to "
                                       + juce::String (range.end));

        values.set (property.name, plain);
    }

    return juce::Result::ok();
}

void PresetSource::apply (const juce::NamedValueSet& values, VantorraCoilvoxAudioProcessor& processor)
{
    for (auto* p : processor.getParameters())
    {
        auto* parameter = static_cast<juce::RangedAudioParameter*> (p);
        const auto id = parameter->getParameterID();
        const auto value =
            values.contains (id) ? parameter->convertTo0to1 ((float) values[id]) : parameter->getDefaultValue();
        parameter->setValueNotifyingHost (value);
    }

    processor.guiState = 0;
}

juce::Result PresetSource::render (const juce::File& source,
                                   VantorraCoilvoxAudioProcessor& processor,
                                   juce::String& name,
                                   juce::MemoryBlock& chunk)
{
    if (!source.existsAsFile())
        return juce::Result::fail ("cannot read " + source.getFullPathName());

    juce::NamedValueSet values;

    if (const auto parsed = parse (source.loadFileAsString(), processor, name, values); parsed.failed())
        return juce::Result::fail (source.getFileName() + ": " + parsed.getErrorMessage());

    apply (values, processor);
    chunk.reset();
    processor.getStateInformation (chunk);
    return juce::Result::ok();
}
