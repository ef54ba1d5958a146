#include "update/UpdateServerAsyncUpdater.h"

#include "update/BoundedJson.h"

#include <cstdio>
#include <system_error>

namespace OV
{
namespace
{
    void reportToStandardError (const juce::String& text)
    {
        std::fputs (text.toRawUTF8(), stderr);
        std::fflush (stderr);
    }

    juce::String quoted (const juce::URL& url) { return "\"" + url.toString (true) + "\""; }
} // namespace

UpdateServerAsyncUpdater::UpdateServerAsyncUpdater (VersionCallback callback)
    : onVersion (std::move (callback))
{
}

UpdateServerAsyncUpdater::~UpdateServerAsyncUpdater()
{
    // A request may still be running: wait for it, so that it never reaches a destroyed updater.
    if (worker != nullptr && worker->joinable())
        worker->join();

    cancelPendingUpdate();
}

void UpdateServerAsyncUpdater::start (const juce::URL& url)
{
    if (worker != nullptr)
    {
        reportToStandardError ("checkForUpdates: HTTP thread already busy - skipping this update check\n");
        return;
    }

    // A thread the system refuses must not take the host down with the editor: the check is skipped.
    try
    {
        worker = std::make_unique<std::thread> (&UpdateServerAsyncUpdater::checkForUpdates, std::ref (*this), url);
    }
    catch (const std::system_error&)
    {
        reportToStandardError ("checkForUpdates: thread constructor failed\n");
        worker.reset();
    }
}

void UpdateServerAsyncUpdater::checkForUpdates (UpdateServerAsyncUpdater& updater, juce::URL url)
{
    const auto options = juce::URL::InputStreamOptions (juce::URL::ParameterHandling::inAddress)
                             .withConnectionTimeoutMs (connectionTimeoutMs)
                             .withNumRedirectsToFollow (maximumRedirects);

    const auto finish = [&updater] (const juce::String& version)
    {
        updater.setLatestVersion (version);
        updater.triggerAsyncUpdate();
    };

    auto stream = url.createInputStream (options);

    if (stream == nullptr)
    {
        reportToStandardError ("checkForUpdates: Unable to connect to URL " + quoted (url) + "\n");
        return finish ({});
    }

    const auto text = stream->readEntireStreamAsString();

    if (text.isEmpty())
    {
        reportToStandardError ("checkForUpdates: Unable to read text stream from URL " + quoted (url) + "\n");
        return finish ({});
    }

    // Bounded: the answer comes from the network, and the parser would recurse on any nesting depth.
    const auto document = BoundedJson::parse (text);

    // The framework counts an array as an object too; only a real object has properties.
    if (document.getDynamicObject() == nullptr)
    {
        reportToStandardError ("checkForUpdates: Did not receive an object\n");
        return finish ({});
    }

    const auto key = osKey();

    if (key.isEmpty())
    {
        reportToStandardError ("checkForUpdates: Unknown OS\n");
        return finish ({});
    }

    const auto version = document.getProperty (juce::Identifier (key), juce::var()).toString();

    if (version.isEmpty())
        reportToStandardError ("checkForUpdates: property \"" + key + "\" not found\n");

    finish (version);
}

void UpdateServerAsyncUpdater::handleAsyncUpdate()
{
    if (worker != nullptr)
    {
        if (worker->joinable())
            worker->join();

        worker.reset();
    }

    const auto version = getLatestVersion();

    if (version.isNotEmpty() && onVersion)
        onVersion (version);
}

juce::String UpdateServerAsyncUpdater::osKey()
{
    const auto os = juce::SystemStats::getOperatingSystemType();

    if ((os & juce::SystemStats::Windows) != 0)
        return "win";

    if ((os & juce::SystemStats::MacOSX) != 0)
        return "mac";

    if ((os & juce::SystemStats::Linux) != 0)
        return "linux";

    return {};
}

juce::String UpdateServerAsyncUpdater::getLatestVersion() const
{
    const std::lock_guard<std::mutex> lock (versionLock);
    return latestVersion;
}

void UpdateServerAsyncUpdater::setLatestVersion (const juce::String& version)
{
    const std::lock_guard<std::mutex> lock (versionLock);
    latestVersion = version;
}
} // namespace OV
