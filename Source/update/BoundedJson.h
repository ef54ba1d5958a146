#pragma once

#include <juce_core/juce_core.h>

namespace OV
{
/** JSON reading for the files in the settings folder, with a bound on nesting: the framework's parser
    calls itself once per array or object level, so a file of a few megabytes of brackets would
    exhaust the stack and take the host down. Any thread. */
class BoundedJson
{
public:
    /** Far beyond what our files hold (one level), far below what any stack survives. */
    static constexpr int maximumDepth = 32;

    /** The parser gathers a number's leading digits in a 64-bit integer and its exponent's in a 32-bit
        one, which more digits than this overflow. Our files hold no numbers beyond a few digits. */
    static constexpr int maximumDigits = 9;

    /** The parsed value, or a void var for text that is not JSON, nests deeper than maximumDepth or
        has a run of more than maximumDigits digits outside strings. */
    static juce::var parse (const juce::String& text);

    /** The deepest nesting of arrays and objects, counted outside strings as the parser reads them,
        and given up on (returning maximumDepth + 1) as soon as the bound is passed. */
    static int nestingDepth (const juce::String& text);

    /** The longest run of digits outside strings. */
    static int longestDigitRun (const juce::String& text);

private:
    struct Shape
    {
        int depth = 0, longestDigitRun = 0;
    };

    static Shape measure (const juce::String& text);
};
} // namespace OV
