#include "dsp/ConvolutionEngineQueue.h"
#include "dsp/ConvolutionMessageQueue.h"
#include "dsp/Convolver.h"

#include "support/AllocationCounter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace
{
using namespace Orvalen::dsp;

// Spins until the predicate holds; the loader thread polls every 10 ms, so a few seconds is ample.
template <typename Predicate>
bool waitFor (Predicate&& predicate)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds (5);
    while (!predicate())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for (std::chrono::milliseconds (1));
    }
    return true;
}

struct LifetimeProbe
{
    std::atomic<int>* calls;
    std::atomic<int>* destroyed;
    bool live = true;

    LifetimeProbe (std::atomic<int>& c, std::atomic<int>& d)
        : calls (&c)
        , destroyed (&d)
    {
    }
    LifetimeProbe (LifetimeProbe&& other) noexcept
        : calls (other.calls)
        , destroyed (other.destroyed)
    {
        other.live = false;
    }
    ~LifetimeProbe()
    {
        if (live)
            ++*destroyed;
    }
    void operator()() { ++*calls; }
};

TEST (LoaderCommand, MovesRunsAndDestroysItsCallableOnceWithoutAllocating)
{
    std::atomic<int> calls{ 0 }, destroyed{ 0 };
    {
        testsupport::ScopedAllocationCounter allocations;
        LoaderCommand a (LifetimeProbe (calls, destroyed));
        LoaderCommand b (std::move (a));
        EXPECT_TRUE (a.isEmpty());
        a(); // empty: nothing happens
        b();
        EXPECT_EQ (calls, 1);
        EXPECT_EQ (destroyed, 0);

        b = nullptr;
        EXPECT_TRUE (b.isEmpty());
        EXPECT_EQ (destroyed, 1);

        LoaderCommand c (LifetimeProbe (calls, destroyed));
        c = LoaderCommand (LifetimeProbe (calls, destroyed)); // the replaced callable is destroyed
        EXPECT_EQ (destroyed, 2);
        EXPECT_EQ (allocations.getCount(), 0u);
    }
    EXPECT_EQ (destroyed, 3);
    EXPECT_EQ (calls, 1);
}

TEST (ConvolutionMessageQueue, RingHoldsNineHundredNinetyNineAndRefusesTheNext)
{
    ConvolutionMessageQueue queue;
    juce::WaitableEvent started, release;
    std::atomic<int> runs{ 0 };
    std::atomic<bool> namedRight{ false };

    // The first command holds the loader thread, so nothing else is taken while the ring fills.
    LoaderCommand blocker (
        [&]
        {
            auto* current = juce::Thread::getCurrentThread();
            namedRight = current != nullptr && current->getThreadName() == "Convolution background loader";
            started.signal();
            release.wait (-1);
        });
    ASSERT_TRUE (queue.tryPush (blocker));
    ASSERT_TRUE (started.wait (5000));

    // The blocker still occupies its cell until it returns: 998 more fill the ring.
    int accepted = 1;
    for (;;)
    {
        LoaderCommand command ([&] { ++runs; });
        if (!queue.tryPush (command))
        {
            EXPECT_FALSE (command.isEmpty()) << "a refused command stays with the caller";
            break;
        }
        ++accepted;
    }
    EXPECT_EQ (accepted, 999);
    EXPECT_TRUE (namedRight);

    release.signal();
    LoaderCommand late ([&] { ++runs; });
    EXPECT_TRUE (waitFor ([&] { return queue.tryPush (late); })) << "a place frees once a command has run";
    EXPECT_TRUE (waitFor ([&] { return runs == 999; }));
}

TEST (ConvolutionMessageQueue, DrainAllRunsWaitingCommandsInOrderOnTheCaller)
{
    BackgroundMessageQueue queue (8); // never started: only drainAll takes commands
    std::vector<int> order;
    const auto caller = std::this_thread::get_id();
    bool onCaller = true;

    for (int i = 0; i < 5; ++i)
    {
        LoaderCommand command (
            [&order, &onCaller, caller, i]
            {
                order.push_back (i);
                onCaller = onCaller && std::this_thread::get_id() == caller;
            });
        ASSERT_TRUE (queue.tryPush (command));
    }

    queue.drainAll();
    EXPECT_EQ (order, (std::vector<int>{ 0, 1, 2, 3, 4 }));
    EXPECT_TRUE (onCaller);
    EXPECT_EQ (queue.getNumWaiting(), 0);
}

//==============================================================================
juce::AudioBuffer<float> constantIR (float value)
{
    juce::AudioBuffer<float> ir (1, 1);
    ir.setSample (0, 0, value);
    return ir;
}

float impulseGainOf (EngineSet& engine)
{
    juce::AudioBuffer<float> buffer (2, 16);
    buffer.clear();
    buffer.setSample (0, 0, 1.0f);
    juce::dsp::AudioBlock<float> block (buffer);
    engine.process (block, block);
    return buffer.getSample (0, 0);
}

TEST (ConvolutionEngineQueue, OnlyTheNewestUnsentLoadSurvivesAFullRing)
{
    BackgroundMessageQueue ring (3);
    auto queue = std::make_shared<ConvolutionEngineQueue> (ring, 0, 0, true);
    queue->applySpec ({ 44100.0, 16, 2 });
    queue->takeEngine();

    for (int i = 0; i < 2; ++i)
    {
        LoaderCommand filler ([] {});
        ASSERT_TRUE (ring.tryPush (filler));
    }

    queue->loadFromBuffer (constantIR (0.25f), 44100.0, false, false, false);
    queue->loadFromBuffer (constantIR (0.5f), 44100.0, false, false, false);
    EXPECT_TRUE (queue->hasWaitingRequest());

    queue->resend(); // still full
    EXPECT_TRUE (queue->hasWaitingRequest());

    ring.drainAll();
    queue->resend(); // what the first audio block after room appears does
    EXPECT_FALSE (queue->hasWaitingRequest());
    ring.drainAll();

    auto engine = queue->takeEngine();
    ASSERT_NE (engine, nullptr);
    EXPECT_FLOAT_EQ (impulseGainOf (*engine), 0.5f);
    EXPECT_EQ (queue->takeEngine(), nullptr) << "the older request was never built";
}

TEST (ConvolutionEngineQueue, CommandWhoseQueueIsGoneDoesNothing)
{
    BackgroundMessageQueue ring (4);
    auto queue = std::make_shared<ConvolutionEngineQueue> (ring, 0, 0, true);
    std::weak_ptr<ConvolutionEngineQueue> watcher = queue;

    juce::AudioBuffer<float> ir (1, 4096);
    ir.clear();
    queue->loadFromBuffer (std::move (ir), 44100.0, false, false, false);
    EXPECT_EQ (ring.getNumWaiting(), 1);

    queue.reset();
    EXPECT_TRUE (watcher.expired());
    ring.drainAll(); // would touch freed memory (caught by the sanitizer build) if it did anything
    EXPECT_EQ (ring.getNumWaiting(), 0);
}

TEST (ConvolutionEngineQueue, DisposalHappensOnTheLoaderUnlessTheRingIsFull)
{
    BackgroundMessageQueue ring (2);
    auto queue = std::make_shared<ConvolutionEngineQueue> (ring, 0, 0, true);
    queue->applySpec ({ 44100.0, 64, 2 });

    queue->dispose (queue->takeEngine());
    EXPECT_EQ (ring.getNumWaiting(), 1) << "handed to the loader";

    queue->applySpec ({ 44100.0, 64, 2 });
    queue->dispose (queue->takeEngine()); // ring full: destroyed right here
    EXPECT_EQ (ring.getNumWaiting(), 1);
    ring.drainAll();
}

TEST (Convolver, DestroyingAnIdleConvolverDoesNotWaitOutLongPolls)
{
    // Not a speed measurement: it catches a loader that sleeps far longer than its 10 ms poll, or never
    // notices the stop request. The bound is wide because the machine is shared.
    auto convolver = std::make_unique<Convolver> (0, 0);
    std::this_thread::sleep_for (std::chrono::milliseconds (30));
    const auto start = std::chrono::steady_clock::now();
    convolver.reset();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT (elapsed, std::chrono::milliseconds (250));
}
} // namespace
