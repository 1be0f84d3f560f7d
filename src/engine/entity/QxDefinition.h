#pragma once
// A definition: the text of one "*.ent" file or of one inline block, and the reader
// that type constructors use to pull their keys out of it. The pattern for each key:
//
//     if (definition.FindKey("Speed"))
//         definition.ReadFloats(&m_speed, 1);   // else the field keeps its default
//
// Text format: key lines "key value" (the key, one space, any run of spaces, tabs and
// "=", then the value up to the line end); "#" comments to the end of the line;
// "{" and "}" nest blocks whose keys belong to an inline definition and are invisible
// at the outer level. Lines end at CR, LF or a zero byte.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class QxFile;
class QxEntityRegistry;
struct QxColour;
struct QxPoint;

// A class name and a type name that the registry can create an entity from.
struct QxEntityRef {
    std::string className;
    std::string typeName;

    bool IsEmpty() const { return className.empty() && typeName.empty(); }
    bool operator==(const QxEntityRef&) const = default;
};

// One (name, value) pair of the table that ReadEnum compares against.
struct QxEnumEntry {
    const char* name;
    std::int32_t value;
};

// What ReadCharAndInt gives: a character code and a number.
struct QxCharAndInt {
    std::int32_t character = 0;
    std::int32_t number = 0;
};

class QxDefinition {
public:
    // Inline definitions inside inline definitions are read to this depth; deeper
    // ones are refused so that hostile text cannot recurse without bound.
    static constexpr int kMaxInlineDepth = 16;
    // Each comma-separated number is converted from at most this many characters.
    static constexpr std::size_t kMaxNumberLength = 99;
    // Longer keys are cut to this length before they are searched for.
    static constexpr std::size_t kMaxKeyLength = 254;

    QxDefinition() = default;
    explicit QxDefinition(std::string_view text) { ReadFromMemory(text.data(), text.size()); }

    // Replace the text; afterwards no key is current.
    bool ReadFromFile(QxFile& file);
    bool ReadFromMemory(const void* bytes, std::size_t length);

    // Makes the first line at the outer level whose first word is `key` (compared
    // without case) and a space the current key. False, with no current key, when
    // there is none.
    bool FindKey(std::string_view key);

    // Readers of the current value; each answers false when no key is current.
    bool ReadString(std::string& out);
    // Up to `count` comma-separated numbers in order; missing ones keep the caller's
    // values.
    bool ReadInts(std::int32_t* out, int count);
    bool ReadFloats(float* out, int count);
    // Red, green, blue, alpha (missing ones 0) as alpha << 24 | red << 16 | green << 8 |
    // blue.
    bool ReadColor(std::uint32_t& out);
    bool ReadCharAndInt(QxCharAndInt& out);
    // The value compared without case with the table's names; no match changes
    // nothing and answers false.
    bool ReadEnum(std::int32_t& value, const QxEnumEntry* table, int count);
    // "class, type", or "@" and a braced inline definition that is defined through
    // the registry as an anonymous type. Unchanged on failure.
    bool ReadEntityRef(QxEntityRef& out);

    template <std::size_t N> bool ReadInts(std::int32_t (&out)[N]) { return ReadInts(out, int(N)); }
    template <std::size_t N> bool ReadFloats(float (&out)[N]) { return ReadFloats(out, int(N)); }

    // One key read into a field of its type, which is how type constructors take their
    // keys: each answers whether the key is there and otherwise leaves the field as it
    // is, as do numbers the value lacks. A flag is a number other than 0; a colour is
    // read as ReadColor reads it.
    bool ReadKey(std::string_view key, std::string& field);
    bool ReadKey(std::string_view key, std::int32_t& field);
    bool ReadKey(std::string_view key, float& field);
    bool ReadKey(std::string_view key, bool& field);
    bool ReadKey(std::string_view key, QxEntityRef& field);
    bool ReadKey(std::string_view key, QxPoint& field);
    bool ReadKey(std::string_view key, QxColour& field);
    template <std::size_t N> bool ReadKey(std::string_view key, std::int32_t (&field)[N]) {
        return FindKey(key) && ReadInts(field);
    }
    template <std::size_t N> bool ReadKey(std::string_view key, float (&field)[N]) {
        return FindKey(key) && ReadFloats(field);
    }

    bool HasValue() const { return m_current; }
    // The raw current value (empty when no key is current).
    std::string_view Value() const;
    std::string_view Text() const { return {m_text.data(), m_length}; }

    // The registry that inline definitions are defined through; when none is set the
    // program's registry is used.
    void SetRegistry(QxEntityRegistry* registry) { m_registry = registry; }
    QxEntityRegistry* Registry() const { return m_registry; }

    // The first fault in the block structure ("}" without "{", a block never closed),
    // or null when the braces balance. Reading works either way; this is for the log.
    const char* CheckBlocks() const;

private:
    void ForgetKey();
    std::string_view CurrentKeyName() const;
    bool ReadInlineRef(std::uint32_t from, QxEntityRef& out);

    std::string m_text; // the bytes; std::string keeps a zero byte after them
    std::uint32_t m_length = 0;
    std::uint32_t m_keyPos = 0;
    std::uint32_t m_lineEnd = 0;
    std::uint32_t m_valueStart = 0;
    std::uint32_t m_valueLength = 0;
    bool m_current = false;
    int m_depth = 0;
    QxEntityRegistry* m_registry = nullptr;
};
