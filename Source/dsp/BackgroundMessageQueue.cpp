#include "dsp/BackgroundMessageQueue.h"

namespace Orvalen::dsp
{
BackgroundMessageQueue::BackgroundMessageQueue (int capacityToUse)
    : juce::Thread ("Convolution background loader")
    , capacity (capacityToUse)
    , cells ((size_t) capacityToUse)
{
}

BackgroundMessageQueue::~BackgroundMessageQueue() { stopThread (-1); }

int BackgroundMessageQueue::ready() const noexcept
{
    const int waiting = writeIndex.load (std::memory_order_acquire) - readIndex.load (std::memory_order_acquire);
    return waiting < 0 ? waiting + capacity : waiting;
}

int BackgroundMessageQueue::getNumWaiting() const noexcept { return ready(); }

bool BackgroundMessageQueue::tryPush (LoaderCommand& command) noexcept
{
    if (capacity - 1 - ready() <= 0)
        return false;

    const int write = writeIndex.load (std::memory_order_relaxed);
    cells[(size_t) write] = std::move (command);
    writeIndex.store ((write + 1) % capacity, std::memory_order_release);
    return true;
}

bool BackgroundMessageQueue::runOne()
{
    if (ready() == 0)
        return false;

    const int read = readIndex.load (std::memory_order_relaxed);
    auto& cell = cells[(size_t) read];
    cell();
    cell.clear();
    readIndex.store ((read + 1) % capacity, std::memory_order_release);
    return true;
}

void BackgroundMessageQueue::drainAll()
{
    const juce::ScopedLock scopedLock (takeLock);

    while (runOne())
    {
    }
}

void BackgroundMessageQueue::run()
{
    while (!threadShouldExit())
    {
        bool ranCommand;

        {
            const juce::ScopedLock scopedLock (takeLock);
            ranCommand = runOne();
        }

        // wait() rather than sleep() so that a stop request ends the idle pause at once.
        if (!ranCommand)
            wait (idleSleepMs);
    }
}
} // namespace Orvalen::dsp
