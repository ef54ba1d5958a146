#pragma once

#include "gui/hidden/SecretSingleButtonModal.h"

/** The confirmation after the right pass phrase: its UNLOCK button (or the return key) runs onUnlock.
    Closing it instead leaves the editor locked. Message thread. */
class SecretUnlockModalOnCorrect : public SecretSingleButtonModal
{
public:
    explicit SecretUnlockModalOnCorrect (OV::ModalBackdrop& backdrop);

    double getBaseWidth() const override { return 366.0; }
    double getBaseHeight() const override { return 135.0; }

    void paint (juce::Graphics& g) override;

    static constexpr const char* titleText = "You're Goddamn Right!";

    juce::Font titleFont;
    juce::Image openLockIcon;
    std::function<void()> onUnlock;

private:
    void runAction() override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SecretUnlockModalOnCorrect)
};
