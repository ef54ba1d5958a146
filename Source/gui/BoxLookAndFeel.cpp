#include "gui/BoxLookAndFeel.h"

#include "gui/BoldFont.h"

juce::Font BoxLookAndFeel::getPopupMenuFont() { return makeBoldFont (fontHeight); }

juce::Font BoxLookAndFeel::getComboBoxFont (juce::ComboBox&) { return makeBoldFont (fontHeight); }

juce::Label* BoxLookAndFeel::createComboBoxTextBox (juce::ComboBox&)
{
    // Clicks on the text must reach the box, which opens the menu.
    auto* label = new juce::Label();
    label->setInterceptsMouseClicks (false, false);
    return label;
}

juce::PopupMenu::Options BoxLookAndFeel::getOptionsForComboBoxPopupMenu (juce::ComboBox& box, juce::Label& label)
{
    return juce::PopupMenu::Options()
        .withTargetComponent (&box)
        .withItemThatMustBeVisible (box.getSelectedId())
        .withMaximumNumColumns (1)
        .withStandardItemHeight (label.getHeight())
        .withPreferredPopupDirection (juce::PopupMenu::Options::PopupDirection::upwards);
}
