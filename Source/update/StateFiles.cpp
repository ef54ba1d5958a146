#include "update/StateFiles.h"

#include "update/BoundedJson.h"
#include "update/SafeFileWriter.h"

namespace OV
{
juce::var StateFiles::readStateFlag (const juce::String& fileName, const juce::String& key, const juce::File& folder)
{
    const auto file = folder.getChildFile (fileName);

    if (!file.existsAsFile())
        return {};

    const auto parsed = BoundedJson::parse (file.loadFileAsString());

    if (auto* object = parsed.getDynamicObject(); object != nullptr && !parsed.isArray())
        return object->getProperty (key);

    return {};
}

bool StateFiles::writeStateFile (const juce::String& fileName,
                                 const juce::String& key,
                                 const juce::var& value,
                                 const juce::File& folder)
{
    auto object = std::make_unique<juce::DynamicObject>();
    object->setProperty (key, value);
    const juce::var json (object.release());

    const auto text = juce::JSON::toString (json, false, 15);
    return SafeFileWriter::replaceContent (folder.getChildFile (fileName), text);
}

void StateFiles::deleteStateFile (const juce::String& fileName, const juce::String& key, const juce::File& folder)
{
    const auto file = folder.getChildFile (fileName);

    if (file.existsAsFile() && !file.deleteFile())
        writeStateFile (fileName, key, false, folder);
}
} // namespace OV
