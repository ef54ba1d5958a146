#pragma once

#include "gui/Modal.h"

namespace OV
{
/** The About dialog: logo, emblem, product name with version, and a credit line. Message thread. */
class AboutModal : public Modal
{
public:
    explicit AboutModal (ModalBackdrop& backdrop);

    double getBaseWidth() const override { return 268.0; }
    double getBaseHeight() const override { return 218.0; }

    void paint (juce::Graphics& g) override;

    juce::Image logo, emblem;
    juce::String titleText, creditText;
};
} // namespace OV
