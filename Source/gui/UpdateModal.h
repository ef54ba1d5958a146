#pragma once

#include "gui/Modal.h"

namespace OV
{
/** The notice that a newer version is available. Message thread. */
class UpdateModal : public Modal
{
public:
    explicit UpdateModal (ModalBackdrop& backdrop);

    double getBaseWidth() const override { return 268.0; }
    double getBaseHeight() const override { return 100.0; }

    void paint (juce::Graphics& g) override;

    /** The notice as it is drawn. */
    juce::String getNoticeText() const;

    juce::String latestVersion, currentVersion;
};
} // namespace OV
