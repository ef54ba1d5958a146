#pragma once

#include "gui/hidden/SecretSingleButtonModal.h"

/** Shown instead of loading a preset that needs the locked hidden section: its HINTS button (or the
    return key) runs onHints. Message thread. */
class SecretPresetBlockedModal : public SecretSingleButtonModal
{
public:
    explicit SecretPresetBlockedModal (OV::ModalBackdrop& backdrop);

    double getBaseWidth() const override { return 366.0; }
    double getBaseHeight() const override { return 175.0; }

    void paint (juce::Graphics& g) override;

    static constexpr const char* messageText =
        "The preset you have selected uses a hidden feature.\nLook for hints to unlock it.";

    juce::Font messageFont;
    juce::Image disguiseIcon;
    std::function<void()> onHints;

private:
    void runAction() override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SecretPresetBlockedModal)
};
