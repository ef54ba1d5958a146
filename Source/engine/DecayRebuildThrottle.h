#pragma once

#include <atomic>
#include <functional>

/** Decides when a change of the normalised decay (0 … 1) is worth rebuilding the spring response.

    Steps of 0.04 or less are ignored. While a gesture is active, rebuilds happen at most once per
    interval; a value skipped that way is built when the gesture ends, so the reverb never keeps
    playing an older decay than the control shows. Without a gesture, every larger step rebuilds.

    May be called from any thread (automation arrives on the audio thread, gestures on the message
    thread); it never blocks. The fields are atomics, so concurrent callers at worst agree on one
    rebuild more or less, and the gesture end settles on the last value.
*/
class DecayRebuildThrottle
{
public:
    using Clock = std::function<double()>;

    static constexpr double minimumStep = 0.04;
    static constexpr double defaultIntervalMs = 100.0;

    /** The clock returns milliseconds; by default the framework's high-resolution counter. */
    explicit DecayRebuildThrottle (Clock clockToUse = {});

    /** A new value arrived. Returns true when the caller should rebuild now. */
    bool valueChanged (double normalisedDecay);

    /** A gesture began: the test runs with the previous gesture state, then the gesture is active. */
    bool gestureBegan (double normalisedDecay);

    /** A gesture ended: the test runs with no gesture, and a value skipped during it is built. */
    bool gestureEnded (double normalisedDecay);

    /** Stores a value as built without any throttling (the caller builds it now). Returns true when it
        differs from the value built last. */
    bool settle (double normalisedDecay);

    /** The value the next rebuild must use. */
    double getStoredDecay() const noexcept { return storedDecay.load (std::memory_order_relaxed); }

    /** Records that a rebuild of this value was asked for (every "true" answer records it too). */
    void markBuilt (double normalisedDecay) noexcept { builtDecay.store (normalisedDecay, std::memory_order_relaxed); }

    bool isGestureActive() const noexcept { return gestureActive.load (std::memory_order_relaxed); }

private:
    bool runTest (double normalisedDecay, bool duringGesture);

    Clock clock;
    std::atomic<double> storedDecay{ 1.0 };
    std::atomic<double> builtDecay{ -1.0 };
    std::atomic<double> lastRebuildMs{ 0.0 };
    std::atomic<bool> gestureActive{ false };
    double intervalMs = defaultIntervalMs;
};
