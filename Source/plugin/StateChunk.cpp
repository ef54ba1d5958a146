#include "plugin/StateChunk.h"

#include <cstring>

namespace
{
// The framework's chunk header: "VC2!" as a little-endian number, then the text's length.
constexpr juce::uint32 chunkMagic = 0x21324356;
constexpr size_t headerBytes = 8;

/** A forward reader over the document's characters; every step stops at the end of the text. */
class Cursor
{
public:
    explicit Cursor (const juce::String& text)
        : p (text.getCharPointer())
    {
    }

    bool atEnd() const { return p.isEmpty(); }
    juce::juce_wchar peek (int offset = 0) const { return p[offset]; }
    void skip (int count) { p += count; }

    bool startsWith (const char* prefix) const
    {
        return juce::CharacterFunctions::compareUpTo (p, juce::CharPointer_ASCII (prefix), (int) strlen (prefix)) == 0;
    }

    void skipWhitespace() { p.incrementToEndOfWhitespace(); }

    /** Moves past the next occurrence of the marker; false when there is none. */
    bool skipPast (const char* marker)
    {
        const auto found = p.indexOf (juce::CharPointer_ASCII (marker));

        if (found < 0)
            return false;

        p += found + (int) strlen (marker);
        return true;
    }

    /** Element and attribute names: ASCII letters, digits, '_', '-', ':' and '.'. */
    bool skipName()
    {
        int length = 0;

        for (;; ++length, ++p)
        {
            const auto c = *p;

            if (! (juce::isPositiveAndBelow (c, (juce::juce_wchar) 128)
                   && (juce::CharacterFunctions::isLetterOrDigit (c) || c == '_' || c == '-' || c == ':' || c == '.')))
                break;
        }

        return length > 0;
    }

private:
    juce::String::CharPointerType p;
};

/** Comments and processing instructions between the header and the root. */
bool skipMisc (Cursor& in)
{
    for (;;)
    {
        in.skipWhitespace();

        if (in.startsWith ("<!--"))
        {
            if (! in.skipPast ("-->"))
                return false;
        }
        else if (in.startsWith ("<?"))
        {
            if (! in.skipPast ("?>"))
                return false;
        }
        else
        {
            return true;
        }
    }
}

/** Reads a start tag from its '<'; sets opens when it is not self-closing. */
bool readStartTag (Cursor& in, bool& opens)
{
    in.skip (1);

    if (! in.skipName())
        return false;

    for (;;)
    {
        in.skipWhitespace();

        if (in.peek() == '/' && in.peek (1) == '>')
        {
            in.skip (2);
            opens = false;
            return true;
        }

        if (in.peek() == '>')
        {
            in.skip (1);
            opens = true;
            return true;
        }

        if (! in.skipName())
            return false;

        in.skipWhitespace();

        if (in.peek() != '=')
            return false;

        in.skip (1);
        in.skipWhitespace();
        const auto quote = in.peek();

        if (quote != '"' && quote != '\'')
            return false;

        in.skip (1);

        while (! in.atEnd() && in.peek() != quote)
            in.skip (1);

        if (in.atEnd())
            return false;

        in.skip (1);
    }
}
} // namespace

//==============================================================================
std::unique_ptr<juce::XmlElement> StateChunk::parse (const void* data, size_t sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= headerBytes || sizeInBytes > (size_t) std::numeric_limits<int>::max()
        || juce::ByteOrder::littleEndianInt (data) != chunkMagic)
        return {};

    // A stored length beyond the data is cut to the data, as the framework does.
    const auto storedLength = (int) juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (data, 4));

    if (storedLength <= 0)
        return {};

    const auto* utf8 = static_cast<const char*> (data) + headerBytes;
    const auto length = juce::jmin ((int) (sizeInBytes - headerBytes), storedLength);

    // The string keeps malformed UTF-8 as it is, and the reader's character steps then run past the
    // end of the text: the chunk is written as valid UTF-8, so anything else is refused.
    if (! juce::CharPointer_UTF8::isValidString (utf8, length))
        return {};

    const auto text = juce::String::fromUTF8 (utf8, length);

    if (elementDepth (text) < 0)
        return {};

    auto xml = juce::parseXML (text);

    if (xml != nullptr)
        keepFirstAttributes (*xml);

    return xml;
}

void StateChunk::keepFirstAttributes (juce::XmlElement& element)
{
    juce::StringPairArray firsts (false);
    juce::StringArray order;

    for (int i = 0; i < element.getNumAttributes(); ++i)
    {
        if (! order.contains (element.getAttributeName (i)))
        {
            order.add (element.getAttributeName (i));
            firsts.set (element.getAttributeName (i), element.getAttributeValue (i));
        }
    }

    if (order.size() != element.getNumAttributes())
    {
        element.removeAllAttributes();

        for (const auto& name : order)
            element.setAttribute (name, firsts[name]);
    }

    for (auto* child : element.getChildIterator())
        keepFirstAttributes (*child);
}

bool StateChunk::isOnValue (const juce::String& value)
{
    const auto first = value.trimStart()[0];
    return first != 0 && juce::String ("1tyTY").containsChar (first);
}

int StateChunk::elementDepth (const juce::String& text)
{
    Cursor in (text);

    if (! skipMisc (in) || in.peek() != '<')
        return -1;

    int depth = 0, deepest = 0;

    for (;;)
    {
        // here: at the '<' of an element, or inside an element's content
        if (in.peek() == '<' && in.peek (1) != '/' && in.peek (1) != '!' && in.peek (1) != '?')
        {
            bool opens = false;

            if (! readStartTag (in, opens))
                return -1;

            if (opens)
            {
                deepest = juce::jmax (deepest, ++depth);

                if (deepest > maximumDepth)
                    return -1;
            }
            else if (depth == 0)
            {
                return 0;
            }

            continue;
        }

        if (in.startsWith ("</"))
        {
            in.skip (2);

            if (! in.skipName())
                return -1;

            in.skipWhitespace();

            if (in.peek() != '>')
                return -1;

            in.skip (1);

            if (--depth == 0)
                return deepest;

            continue;
        }

        if (in.startsWith ("<!--"))
        {
            if (! in.skipPast ("-->"))
                return -1;

            continue;
        }

        if (in.startsWith ("<![CDATA["))
        {
            if (! in.skipPast ("]]>"))
                return -1;

            continue;
        }

        // Anything else starting with '<' (a declaration, an instruction inside the root) is refused.
        if (in.peek() == '<' || in.atEnd() || depth == 0)
            return -1;

        in.skip (1);
    }
}
