#pragma once

#include <juce_core/juce_core.h>

namespace OV
{
/** Replaces a file's whole content so that a crash, a full disk or a write error never leaves a
    half-written file behind: the data goes to a hidden temporary file in the same folder, which is
    renamed over the target only once it is complete. Message thread (any single thread). */
class SafeFileWriter
{
public:
    /** True when the target now holds exactly the data. On failure the old file is untouched and
        no temporary file is left. A folder at the target's path is never replaced. */
    static bool replaceContent (const juce::File& target, const void* data, size_t sizeInBytes);

    static bool replaceContent (const juce::File& target, const juce::String& text);
};
} // namespace OV
