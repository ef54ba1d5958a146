#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>

// The framework's convolution posts its loads through its own threads; a message manager keeps the
// framework in the state it is in inside a host.
int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI framework;
    benchmark::Initialize (&argc, argv);
    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
