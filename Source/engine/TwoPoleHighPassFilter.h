#pragma once

#include "engine/BiquadFilter.h"

class TwoPoleHighPassFilter final : public BiquadFilter
{
public:
    void setParameters (float frequencyHz, float qValue, float gain) override;
};
