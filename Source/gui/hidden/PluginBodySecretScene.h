#pragma once

#include "gui/PluginEditorSection.h"

/** The cover of the hidden section: a stage picture whose amplifier and cabinet light up under the
    pointer; clicking them enters the hidden body (the editor installs that action). Message thread. */
class PluginBodySecretScene : public OV::PluginEditorSection
{
public:
    PluginBodySecretScene();

    void paint (juce::Graphics& g) override;
    void resized() override;
    void parentHierarchyChanged() override;

    /** Decodes the pictures; done when the scene is first shown, since most sessions never show it. */
    void loadImages();
    bool areImagesLoaded() const { return imagesLoaded; }

    static constexpr double width = 3000.0;
    static constexpr double height = 2056.0;

    juce::Image sceneImage, sceneHighlight;
    juce::ImageButton enterButton;

private:
    bool imagesLoaded = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginBodySecretScene)
};
