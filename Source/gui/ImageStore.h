#pragma once

#include <juce_graphics/juce_graphics.h>

/** Every embedded picture, by its role name (e.g. "channelFaderStrip"). The file behind a role is
    Resources/images/<role>.png. Images are decoded once per process through the image cache.
    Message thread. */
class ImageStore
{
public:
    /** The image for the role, or a null image when no such picture is embedded. */
    static juce::Image get (const juce::String& role);

    /** The raw embedded bytes of any resource file ("name_ext"), or nullptr. */
    static const void* getData (const juce::String& resourceName, int& sizeInBytes);
};
