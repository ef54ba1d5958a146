#pragma once

#include <juce_graphics/juce_graphics.h>
#include <map>

/** Every picture of the editor by role name, with the size and frame layout the editor expects. */
struct RoleSpec
{
    const char* role;
    int width, height;
    int frames;   // frames stacked vertically; 1 for a single picture
};

/** The roles this generator must produce. */
const std::vector<RoleSpec>& allRoles();

/** Collects the painters' output by role. */
class ArtSet
{
public:
    void add (const juce::String& role, juce::Image image);
    const std::map<juce::String, juce::Image>& images() const { return byRole; }

    /** Writes <role>.png for every image; false on the first failure, with the reason. */
    bool writeTo (const juce::File& folder, juce::String& error) const;

private:
    std::map<juce::String, juce::Image> byRole;
};
