#pragma once

#include <juce_core/juce_core.h>

namespace OV
{
/** The maker's web addresses, all below one base so that a move of the site is one change. The
    version document's address can be replaced (tests point it at a local server). */
struct WebAddresses
{
    static constexpr const char* base = "https://orvalen.example/coilvox/";

    static juce::URL versionFile() { return juce::URL (juce::String (base) + "CVcurrentVersion.json"); }
    static juce::URL downloads() { return juce::URL (juce::String (base) + "downloads"); }
    /** The manual as kept in the source repository (docs/manual.md). */
    static juce::URL manual() { return juce::URL (juce::String (base) + "repository/docs/manual.md"); }
    static juce::URL hints() { return juce::URL (juce::String (base) + "hints"); }
};
} // namespace OV
