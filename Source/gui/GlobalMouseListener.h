#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace OV
{
/** Closes a drop-down on the first mouse press anywhere in the application after it was opened. The
    press reaches the pressed component first, so a press on a menu entry still runs it.
    Message thread. */
template <typename Menu>
class GlobalMouseListener : public juce::MouseListener
{
public:
    explicit GlobalMouseListener (Menu& m)
        : menu (m)
    {
    }

    ~GlobalMouseListener() override { juce::Desktop::getInstance().removeGlobalMouseListener (this); }

    /** Shows the menu and starts listening for the press that closes it. */
    void open()
    {
        menu.setVisible (true);
        ignoreNext = false;
        juce::Desktop::getInstance().addGlobalMouseListener (this);
    }

    void mouseDown (const juce::MouseEvent&) override
    {
        if (ignoreNext)
        {
            ignoreNext = false;
            return;
        }

        menu.setVisible (false);
        juce::Desktop::getInstance().removeGlobalMouseListener (this);
    }

    Menu& menu;
    bool ignoreNext = true;
};
} // namespace OV
