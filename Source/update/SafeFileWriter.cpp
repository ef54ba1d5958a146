#include "update/SafeFileWriter.h"

#include <cstdio>

namespace OV
{
bool SafeFileWriter::replaceContent (const juce::File& requestedTarget, const void* data, size_t sizeInBytes)
{
    // Renaming over a symbolic link would replace the link itself; write where it points instead.
    const auto target = requestedTarget.isSymbolicLink() ? requestedTarget.getLinkedTarget() : requestedTarget;

    if (target.isDirectory())
        return false;

    const auto folder = target.getParentDirectory();

    if (!folder.createDirectory())
        return false;

    // A leading dot keeps the temporary file out of the preset menu should it ever be left behind.
    const auto temporary =
        folder.getChildFile ("." + target.getFileName() + "."
                             + juce::String::toHexString (juce::Random::getSystemRandom().nextInt()) + ".tmp");
    bool written = false;

    {
        juce::FileOutputStream out (temporary, 16384);

        if (out.openedOk())
        {
            written = (sizeInBytes == 0 || out.write (data, sizeInBytes));
            out.flush();
            written = written && out.getStatus().wasOk();
        }
    }

    // The stream's flush does not report a short write (a full disk part-way through the buffer), so
    // the finished file's length is checked as well.
    written = written && temporary.getSize() == (juce::int64) sizeInBytes;

    // rename() swaps the complete new file in atomically; readers see the old or the new content.
    if (written && std::rename (temporary.getFullPathName().toRawUTF8(), target.getFullPathName().toRawUTF8()) == 0)
        return true;

    temporary.deleteFile();
    return false;
}

bool SafeFileWriter::replaceContent (const juce::File& target, const juce::String& text)
{
    return replaceContent (target, text.toRawUTF8(), text.getNumBytesAsUTF8());
}
} // namespace OV
