#pragma once

#include <juce_events/juce_events.h>

#include <functional>
#include <mutex>
#include <thread>

namespace OV
{
/** Asks the maker's server for the version document on a thread of its own and hands the version
    listed for this operating system to onVersion on the message thread. Failures end with an empty
    result and a line on standard error; onVersion is then not called. One check per start; the
    destructor waits for a running request. */
class UpdateServerAsyncUpdater : public juce::AsyncUpdater
{
public:
    using VersionCallback = std::function<void (const juce::String&)>;

    explicit UpdateServerAsyncUpdater (VersionCallback callback = {});
    ~UpdateServerAsyncUpdater() override;

    /** Starts a check of the document at url (message thread); skipped while one is running. */
    void start (const juce::URL& url);

    /** The worker's body: fetches and reads the document, stores the result, then triggers the
        asynchronous update. Runs on the worker thread. */
    static void checkForUpdates (UpdateServerAsyncUpdater& updater, juce::URL url);

    /** Joins the worker and reports a non-empty result (message thread). */
    void handleAsyncUpdate() override;

    /** The document's key for the running system ("win", "mac" or "linux"), empty for any other. */
    static juce::String osKey();

    juce::String getLatestVersion() const;
    bool isBusy() const { return worker != nullptr; }

    VersionCallback onVersion;

    static constexpr int connectionTimeoutMs = 5000;
    static constexpr int maximumRedirects = 5;

private:
    void setLatestVersion (const juce::String& version);

    mutable std::mutex versionLock;
    juce::String latestVersion;
    std::unique_ptr<std::thread> worker;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (UpdateServerAsyncUpdater)
};
} // namespace OV
