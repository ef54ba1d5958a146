#pragma once

#include <juce_graphics/juce_graphics.h>

/** Where the hidden section's editor puts each picture, in body units of its 3000 x 2056 sections.
    The painters draw the amplifier around these cells, the preview and the check read them back. */
namespace secret
{
using Cell = juce::Rectangle<int>;

constexpr int bodyWidth = 3000, bodyHeight = 2055;

const Cell ampSwitch{ 499, 742, 126, 282 };
const Cell cabSwitch{ 625, 743, 127, 274 };
const Cell lamp{ 728, 788, 105, 131 };
const Cell gain{ 830, 724, 194, 246 };
const Cell master{ 1011, 724, 231, 246 };
const Cell syncSwitch{ 1284, 718, 128, 288 };
const Cell speed{ 1354, 710, 241, 285 };
const Cell depth{ 1575, 782, 207, 213 };
const Cell tremoloSwitch{ 1785, 749, 116, 246 };
const Cell low{ 1953, 745, 150, 197 };
const Cell mid{ 2096, 745, 147, 197 };
const Cell top{ 2234, 745, 199, 197 };
const Cell logoPlate{ 2264, 442, 231, 189 };

/** The note-value read-out that appears beside the sync switch while the synced speed is dragged:
    the panel stays plain there. */
const Cell divisionLabel{ 1412, 1006, 150, 60 };

/** The amplifier and cabinet of the cover scene: the button that lights them up. */
const Cell sceneAmp{ 1809, 731, 700, 779 };

/** One knob or switch of the body: its cell, picture role, printed name, and the x of its centre
    (knobs) or pivot (switches), placed so that neighbouring dials keep clear of each other. */
struct Control
{
    Cell cell;
    const char* role;
    const char* legend;
    bool isSwitch;
    float centreX;
};

/** Every strip-drawn control, left to right. */
inline const std::vector<Control>& controls()
{
    static const std::vector<Control> all{
        { ampSwitch, "secretAmpSwitchStrip", "AMP", true, 562.0f },
        { cabSwitch, "secretCabSwitchStrip", "CAB", true, 688.5f },
        { gain, "secretGainStrip", "GAIN", false, 927.0f },
        { master, "secretMasterStrip", "MASTER", false, 1126.5f },
        { syncSwitch, "secretSyncSwitchStrip", "SYNC", true, 1348.0f },
        { speed, "secretSpeedStrip", "SPEED", false, 1484.0f },
        { depth, "secretDepthStrip", "DEPTH", false, 1688.0f },
        { tremoloSwitch, "secretTremoloSwitchStrip", "TREMOLO", true, 1843.0f },
        { low, "secretLowStrip", "LOW", false, 2028.0f },
        { mid, "secretMidStrip", "MID", false, 2169.5f },
        { top, "secretTopStrip", "TOP", false, 2333.5f },
    };
    return all;
}

/** All knobs turn about one row, so the panel reads as one level line of controls. */
constexpr float knobRowY = 860.0f;
constexpr float largeKnobRadius = 60.0f, smallKnobRadius = 46.0f;
constexpr float switchPivotY = 872.0f;

inline bool isToneKnob (const Control& c) { return c.cell == low || c.cell == mid || c.cell == top; }

inline float knobRadius (const Control& c) { return isToneKnob (c) ? smallKnobRadius : largeKnobRadius; }

/** The knob's centre or the switch's pivot in body units. */
inline juce::Point<float> pivotOf (const Control& c) { return { c.centreX, c.isSwitch ? switchPivotY : knobRowY }; }
} // namespace secret
