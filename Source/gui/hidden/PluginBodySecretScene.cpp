#include "gui/hidden/PluginBodySecretScene.h"

#include "gui/ImageStore.h"

PluginBodySecretScene::PluginBodySecretScene()
    : OV::PluginEditorSection (width, height)
{
    enterButton.setTitle ("Enter the amplifier");
    enterButton.onClick = [] {};
    addAndMakeVisible (enterButton);

    // Laid out once in base units; the editor only scales the section.
    setSize ((int) width, (int) height);
}

void PluginBodySecretScene::parentHierarchyChanged()
{
    if (getParentComponent() != nullptr)
        loadImages();
}

void PluginBodySecretScene::loadImages()
{
    if (imagesLoaded)
        return;

    imagesLoaded = true;
    sceneImage = ImageStore::get ("secretSceneImage");
    sceneHighlight = ImageStore::get ("secretSceneHighlight");

    // Nothing is drawn over the picture until the pointer is on the amplifier.
    enterButton.setImages (false, true, true, {}, 1.0f, {}, sceneHighlight, 1.0f, {}, sceneHighlight, 1.0f, {}, 0.0f);
    repaint();
}

void PluginBodySecretScene::paint (juce::Graphics& g)
{
    if (sceneImage.isValid())
        g.drawImage (sceneImage, getLocalBounds().toFloat(), juce::RectanglePlacement::stretchToFit);
}

void PluginBodySecretScene::resized() { enterButton.setBounds (1809, 731, 700, 779); }
