#include "gui/ImageStore.h"

#include "CoilvoxBinaryData.h"

juce::Image ImageStore::get (const juce::String& role)
{
    int size = 0;

    if (const auto* data = getData (role + "_png", size))
        return juce::ImageCache::getFromMemory (data, size);

    return {};
}

const void* ImageStore::getData (const juce::String& resourceName, int& sizeInBytes)
{
    sizeInBytes = 0;
    return CoilvoxBinaryData::getNamedResource (resourceName.toRawUTF8(), sizeInBytes);
}
