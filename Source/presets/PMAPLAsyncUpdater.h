#pragma once

#include <juce_events/juce_events.h>

#include <atomic>
#include <functional>

namespace OV
{
/** Carries the "parameters changed" flag from whatever thread changed a parameter to the message
    thread, where the callable runs with it. */
class PMAPLAsyncUpdater : public juce::AsyncUpdater
{
public:
    explicit PMAPLAsyncUpdater (std::function<void (bool)> callbackToUse)
        : callback (std::move (callbackToUse))
    {
    }
    ~PMAPLAsyncUpdater() override { cancelPendingUpdate(); }

    void handleAsyncUpdate() override
    {
        if (callback)
            callback (flag.load());
    }

    std::function<void (bool)> callback;
    std::atomic<bool> flag{ false };
};
} // namespace OV
