#pragma once

#include "gui/ModalBackdrop.h"

namespace OV
{
/** The base of every dialog drawn inside the editor: a translucent rounded plate with a close button,
    drawn in its own base units and scaled by the editor. Showing a dialog means making it and the
    backdrop visible. Message thread. */
class Modal : public juce::Component
{
public:
    explicit Modal (ModalBackdrop& backdrop);
    ~Modal() override;

    virtual double getBaseWidth() const = 0;
    virtual double getBaseHeight() const = 0;
    virtual double getWidthFraction() const { return 0.5; }

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** Hides the backdrop and the dialog. */
    void close();

    juce::Colour textColour{ 0xfffaf3e3 };
    juce::Colour backgroundColour{ 0xff222222 };
    juce::ImageButton closeButton;

protected:
    ModalBackdrop& backdrop;

private:
    juce::DropShadowEffect shadow;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Modal)
};
} // namespace OV
