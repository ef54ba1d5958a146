#pragma once

#include "dsp/LoaderCommand.h"

#include <juce_core/juce_core.h>

#include <atomic>
#include <vector>

namespace Orvalen::dsp
{
/** A thread that runs small commands pushed to it through a bounded single-producer ring. Pushing never
    blocks or allocates, so the audio thread may push; when the ring is full the push fails and the
    caller keeps its command. The thread polls every 10 ms while the ring is empty.
*/
class BackgroundMessageQueue : private juce::Thread
{
public:
    /** Allocates the ring; the thread is not started. At most capacity - 1 commands wait at once. */
    explicit BackgroundMessageQueue (int capacity);
    ~BackgroundMessageQueue() override;

    /** Wait-free; one producer thread at a time. On success the command is moved into the ring; on
        failure (ring full) it is left with the caller and false is returned. */
    bool tryPush (LoaderCommand& command) noexcept;

    /** Runs every waiting command on the calling thread, in order. Blocks while the loader thread is
        running a command. Not for the audio thread. */
    void drainAll();

    /** Number of commands waiting; any thread, wait-free (a snapshot). */
    int getNumWaiting() const noexcept;

    using juce::Thread::getThreadName;
    using juce::Thread::isThreadRunning;
    using juce::Thread::startThread;
    using juce::Thread::stopThread;

    static constexpr int idleSleepMs = 10;

private:
    void run() override;
    bool runOne();
    int ready() const noexcept;

    juce::CriticalSection takeLock;
    const int capacity;
    std::atomic<int> readIndex{ 0 }, writeIndex{ 0 };
    std::vector<LoaderCommand> cells;
};
} // namespace Orvalen::dsp
