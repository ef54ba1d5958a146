#include "update/BoundedJson.h"

namespace OV
{
juce::var BoundedJson::parse (const juce::String& text)
{
    if (nestingDepth (text) > maximumDepth)
        return {};

    return juce::JSON::parse (text);
}

int BoundedJson::nestingDepth (const juce::String& text)
{
    int depth = 0, deepest = 0;
    juce::juce_wchar quote = 0;

    for (auto p = text.getCharPointer(); ! p.isEmpty();)
    {
        const auto c = p.getAndAdvance();

        if (quote != 0)
        {
            // The parser's strings take either quote and a backslash before any character (read as it
            // reads it: a step over malformed UTF-8 could otherwise pass the end of the text).
            if (c == '\\' && ! p.isEmpty())
                p.getAndAdvance();
            else if (c == quote)
                quote = 0;
        }
        else if (c == '"' || c == '\'')
        {
            quote = c;
        }
        else if (c == '[' || c == '{')
        {
            deepest = juce::jmax (deepest, ++depth);

            if (deepest > maximumDepth)
                return deepest;
        }
        else if ((c == ']' || c == '}') && depth > 0)
        {
            --depth;
        }
    }

    return deepest;
}
} // namespace OV
