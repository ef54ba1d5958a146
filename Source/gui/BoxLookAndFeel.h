#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The footer's oversampling box and its menu: bold text at a fixed height and a menu that opens
    upwards, since the box sits at the bottom of the editor. Colours are set by the owner.
    Message thread. */
class BoxLookAndFeel : public juce::LookAndFeel_V4
{
public:
    juce::Font getPopupMenuFont() override;
    juce::Font getComboBoxFont (juce::ComboBox& box) override;
    juce::Label* createComboBoxTextBox (juce::ComboBox& box) override;
    juce::PopupMenu::Options getOptionsForComboBoxPopupMenu (juce::ComboBox& box, juce::Label& label) override;

    static constexpr float fontHeight = 60.0f;
};
