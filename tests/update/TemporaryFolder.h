#pragma once

#include <juce_core/juce_core.h>

#include <csignal>
#include <sys/resource.h>

/** A fresh folder under the system's temporary folder, removed with everything in it. Tests use it as
    the settings folder so that the real user's folder is never touched. */
class TemporaryFolder
{
public:
    TemporaryFolder()
        : folder (juce::File::getSpecialLocation (juce::File::tempDirectory)
                      .getNonexistentChildFile ("coilvox-settings-test", {}, false))
    {
        folder.createDirectory();
    }

    ~TemporaryFolder() { folder.deleteRecursively(); }

    juce::File operator/ (const juce::String& relative) const { return folder.getChildFile (relative); }

    /** Names of the files directly in a folder, for checking that no temporary file was left. */
    static juce::StringArray fileNamesIn (const juce::File& f)
    {
        juce::StringArray names;

        for (const auto& child : f.findChildFiles (juce::File::findFiles, false, "*", juce::File::FollowSymlinks::no))
            names.add (child.getFileName());

        names.sort (false);
        return names;
    }

    const juce::File folder;
};

/** Makes every write beyond the given file size fail for this process, as a full disk would, also for
    root (who ignores file permissions). */
class ScopedFileSizeLimit
{
public:
    explicit ScopedFileSizeLimit (rlim_t bytes)
    {
        getrlimit (RLIMIT_FSIZE, &saved);
        previousHandler = std::signal (SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit (RLIMIT_FSIZE, &limit);
    }

    ~ScopedFileSizeLimit()
    {
        setrlimit (RLIMIT_FSIZE, &saved);
        std::signal (SIGXFSZ, previousHandler);
    }

private:
    rlimit saved{};
    void (*previousHandler) (int) = nullptr;
};
