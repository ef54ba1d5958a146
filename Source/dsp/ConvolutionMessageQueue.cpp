#include "dsp/ConvolutionMessageQueue.h"

namespace Orvalen::dsp
{
ConvolutionMessageQueue::ConvolutionMessageQueue()
    : impl (std::make_unique<Impl>())
{
    impl->startThread (juce::Thread::Priority::normal);
}

ConvolutionMessageQueue::~ConvolutionMessageQueue()
{
    impl->stopThread (-1);
    impl.reset();
}
} // namespace Orvalen::dsp
