#include "engine/DecayRebuildThrottle.h"

#include <gtest/gtest.h>

namespace
{
/** A throttle on a clock the test moves by hand, starting well past the first interval. */
struct ThrottleFixture : ::testing::Test
{
    double nowMs = 1000.0;
    DecayRebuildThrottle throttle{ [this] { return nowMs; } };

    static double normalised (float decay) { return (decay + 10.0) / 20.0; }

    void built() { throttle.markBuilt (throttle.getStoredDecay()); }
};
} // namespace

TEST_F (ThrottleFixture, SmallStepsAreIgnoredAndLargerOnesRebuild)
{
    EXPECT_TRUE (throttle.valueChanged (normalised (-2.0f)));
    built();
    EXPECT_FALSE (throttle.valueChanged (normalised (-2.0f) + 0.04));
    EXPECT_TRUE (throttle.valueChanged (normalised (-1.0f))); // 0.05 > 0.04
    EXPECT_DOUBLE_EQ (throttle.getStoredDecay(), 0.45);
}

TEST_F (ThrottleFixture, AutomationWithoutAGestureRebuildsEveryStepEvenWithinTheInterval)
{
    EXPECT_TRUE (throttle.valueChanged (0.2));
    nowMs += 10.0;
    EXPECT_TRUE (throttle.valueChanged (0.3));
    nowMs += 10.0;
    EXPECT_TRUE (throttle.valueChanged (0.4));
}

TEST_F (ThrottleFixture, ADragRebuildsAtMostOncePerIntervalAndItsEndBuildsTheSkippedValue)
{
    EXPECT_FALSE (throttle.gestureBegan (1.0)); // no move yet
    EXPECT_TRUE (throttle.isGestureActive());

    EXPECT_TRUE (throttle.valueChanged (0.45)); // first step, > 100 ms after the last rebuild
    built();
    nowMs += 30.0;
    EXPECT_FALSE (throttle.valueChanged (0.5)); // skipped by the throttle, but stored
    EXPECT_DOUBLE_EQ (throttle.getStoredDecay(), 0.5);

    EXPECT_TRUE (throttle.gestureEnded (0.5)); // the control shows 0.5, so build it
    built();
    EXPECT_FALSE (throttle.isGestureActive());

    // a gesture that ends where everything is built does nothing
    throttle.gestureBegan (0.5);
    EXPECT_FALSE (throttle.gestureEnded (0.5));
}

TEST_F (ThrottleFixture, ADragThatOutlastsTheIntervalRebuildsAgain)
{
    throttle.gestureBegan (1.0);
    EXPECT_TRUE (throttle.valueChanged (0.9));
    built();
    nowMs += 50.0;
    EXPECT_FALSE (throttle.valueChanged (0.8));
    nowMs += 60.0;
    EXPECT_TRUE (throttle.valueChanged (0.7));
    built();
    EXPECT_FALSE (throttle.gestureEnded (0.7));
}

TEST_F (ThrottleFixture, GestureBeginRunsTheTestWithThePreviousGestureState)
{
    EXPECT_TRUE (throttle.valueChanged (0.5));
    built();
    nowMs += 10.0;
    // not yet in a gesture: a moved value builds even inside the interval
    EXPECT_TRUE (throttle.gestureBegan (0.6));
}
