#include "gui/UpdateModal.h"

namespace OV
{
UpdateModal::UpdateModal (ModalBackdrop& b)
    : Modal (b)
{
    setTitle ("Update available");
}

juce::String UpdateModal::getNoticeText() const
{
    return "An update is available!\nClick the Orvalen logo, then select \"Update now\" from the menu.\n\n"
           "Latest version: "
           + latestVersion + "\nYour version: " + currentVersion;
}

void UpdateModal::paint (juce::Graphics& g)
{
    Modal::paint (g);
    g.setColour (juce::Colours::white);
    g.setFont (juce::Font (9.0f));
    g.drawMultiLineText (getNoticeText(), 0, (int) (getHeight() * 0.5 - 18), getWidth(), juce::Justification::centred);
}
} // namespace OV
