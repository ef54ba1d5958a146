#include "gui/VantorraCoilvoxAudioProcessorEditor.h"

#include "plugin/VantorraCoilvoxAudioProcessor.h"

VantorraCoilvoxAudioProcessorEditor::VantorraCoilvoxAudioProcessorEditor (VantorraCoilvoxAudioProcessor& p)
    : juce::AudioProcessorEditor (p)
    , generic (p)
{
    addAndMakeVisible (generic);
    setSize (p.editorWidth, 537);
}

VantorraCoilvoxAudioProcessorEditor::~VantorraCoilvoxAudioProcessorEditor() = default;

void VantorraCoilvoxAudioProcessorEditor::paint (juce::Graphics& g) { g.fillAll (juce::Colour (0xff1c1b1a)); }

void VantorraCoilvoxAudioProcessorEditor::resized() { generic.setBounds (getLocalBounds()); }
