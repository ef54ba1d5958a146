// Time to open the editor (construction, layout and first paint) and the process's resident memory
// with it open. The first opening in the process decodes the pictures; later ones find them cached.
#include "gui/VantorraCoilvoxAudioProcessorEditor.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace
{
long residentKilobytes()
{
    std::ifstream status ("/proc/self/status");
    std::string line;

    while (std::getline (status, line))
        if (line.rfind ("VmRSS:", 0) == 0)
            return std::stol (line.substr (6));

    return -1;
}

/** Milliseconds to build the editor and paint it once, as the host's first frame would. */
double openAndPaint (VantorraCoilvoxAudioProcessor& processor,
                     std::unique_ptr<VantorraCoilvoxAudioProcessorEditor>& editor)
{
    const auto start = std::chrono::steady_clock::now();
    editor = std::make_unique<VantorraCoilvoxAudioProcessorEditor> (processor);
    juce::Image frame (juce::Image::ARGB, editor->getWidth(), editor->getHeight(), true);
    juce::Graphics g (frame);
    editor->paintEntireComponent (g, false);
    return std::chrono::duration<double, std::milli> (std::chrono::steady_clock::now() - start).count();
}

double median (std::vector<double> values)
{
    std::sort (values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main()
{
    // A throw-away home, so that the user's settings are neither read nor written.
    const auto home =
        juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("coilvox-bench", {});
    home.createDirectory();
    setenv ("HOME", home.getFullPathName().toRawUTF8(), 1);

    {
        juce::ScopedJuceInitialiser_GUI framework;
        const auto before = residentKilobytes();

        for (const int view : { 0, 1 })
        {
            VantorraCoilvoxAudioProcessor processor;
            processor.guiState = view;
            std::unique_ptr<VantorraCoilvoxAudioProcessorEditor> editor;

            const auto cold = openAndPaint (processor, editor);
            const auto openRss = residentKilobytes();
            editor.reset();

            std::vector<double> warm;

            for (int i = 0; i < 9; ++i)
            {
                warm.push_back (openAndPaint (processor, editor));
                editor.reset();
            }

            std::printf ("view %d: first open %.1f ms%s, later opens %.1f ms (median of 9), resident %.1f MB with "
                         "the editor open (%.1f MB before any editor)\n",
                         view,
                         cold,
                         view == 0 ? " (decodes the simple view)" : " (decodes the advanced panel too)",
                         median (warm),
                         openRss / 1024.0,
                         before / 1024.0);
        }
    }

    home.deleteRecursively();
    return 0;
}
