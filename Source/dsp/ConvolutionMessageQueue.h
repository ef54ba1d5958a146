#pragma once

#include "dsp/BackgroundMessageQueue.h"

#include <memory>

namespace Orvalen::dsp
{
/** Owns one running "Convolution background loader" thread and its ring of 1000 commands. */
class ConvolutionMessageQueue
{
public:
    static constexpr int capacity = 1000;

    /** Starts the loader thread at normal priority. */
    ConvolutionMessageQueue();

    /** Stops the loader thread, waiting for it without a time limit; waiting commands are dropped unrun. */
    ~ConvolutionMessageQueue();

    /** Wait-free; one producer thread at a time. See BackgroundMessageQueue::tryPush. */
    bool tryPush (LoaderCommand& command) noexcept { return impl->tryPush (command); }

    /** Runs every waiting command on the calling thread; may block. */
    void drainAll() { impl->drainAll(); }

    BackgroundMessageQueue& getQueue() noexcept { return *impl; }

private:
    class Impl : public BackgroundMessageQueue
    {
    public:
        Impl()
            : BackgroundMessageQueue (ConvolutionMessageQueue::capacity)
        {
        }
    };

    std::unique_ptr<Impl> impl;
};
} // namespace Orvalen::dsp
