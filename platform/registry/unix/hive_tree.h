// In-memory form of a registry hive file: a tree of keys per root
// ("HKEY_CURRENT_USER", ...), each key holding its values in file order,
// plus whatever lines the parser could not make sense of, so that they are
// written back unchanged.
#pragma once

#include "platform/base/wintypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qn::reg {

using WString = std::u16string;
using WStringView = std::u16string_view;

// Registry names compare without regard to case. Folding covers ASCII,
// Latin-1 and basic Cyrillic/Greek, which is what key and value names here use.
char16_t FoldCase(char16_t c);
WString Folded(WStringView name);
bool NamesEqual(WStringView a, WStringView b);
bool NameLess(WStringView a, WStringView b);

// The deepest key path, in levels below a root, as on Windows.
inline constexpr size_t kMaxKeyDepth = 512;

struct Value {
    WString name; // empty = the key's default value
    DWORD type = 0;
    std::vector<BYTE> data;
    bool operator==(const Value&) const = default;
};

// One line of a key's section: a value, or a line kept verbatim (comments,
// data the parser did not understand).
struct Entry {
    bool raw = false;
    WString rawText; // physical lines joined with CRLF when raw
    Value value;
};

// A process-wide unique, never reused identity for keys.
uint64_t NewKeyId();

class Key {
public:
    Key(WStringView name, uint64_t order);
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    WString name;
    // Identity for open handles: a handle to a deleted key stays invalid even
    // if a key of the same name is created again. Kept across reloads by path.
    uint64_t id;
    // Where the key's section stands among the file's sections (see Hive).
    uint64_t order;
    // Text after the "]" of the key's section line (a comment), kept as it was.
    WString note;

    const std::vector<Entry>& Entries() const { return entries_; }
    const std::vector<std::unique_ptr<Key>>& Children() const { return children_; }

    Key* FindChild(WStringView childName) const;
    // `order` is given to a key that is created.
    Key* FindOrAddChild(WStringView childName, uint64_t order, bool* created = nullptr);
    bool RemoveChild(WStringView childName);
    const Value* FindValue(WStringView valueName) const;
    // False when the key already held the same value (name, type and data).
    bool SetValue(Value value);
    bool RemoveValue(WStringView valueName);
    void AddRaw(WString text);
    // Removes values, kept lines and sub keys; false when there were none.
    bool Clear();

private:
    void IndexValues();

    std::vector<Entry> entries_;
    std::vector<std::unique_ptr<Key>> children_;
    // Lookups by folded name, so that files with many keys or values load in
    // time proportional to their size.
    std::unordered_map<WString, Key*> childIndex_;
    std::unordered_map<WString, size_t> valueIndex_; // into entries_
};

// A section whose header could not be placed in the tree ("[-...]" deletion
// sections, empty path components, paths too deep); kept as text.
struct OpaqueSection {
    WString header;
    std::vector<WString> lines;
    uint64_t order = 0;
};

// Sections are written in `order`: the file's own order for what was read,
// new keys after everything else. A deletion section thus keeps its place
// between the keys before and after it.
struct Hive {
    std::vector<WString> preamble; // unrecognised lines before the first section
    std::vector<std::unique_ptr<Key>> roots;
    std::vector<OpaqueSection> opaque;
    uint64_t nextOrder = 1;

    Key* FindRoot(WStringView name) const;
    Key& Root(WStringView name);
    // A child of `parent` made when missing, placed after everything so far.
    Key* FindOrAddChild(Key& parent, WStringView name, bool* created = nullptr);
};

// Splits "a\b\c" into its components. Fails on empty components; a single
// trailing backslash is tolerated.
bool SplitPath(WStringView path, std::vector<WString>* parts);

// Walks `parts` below `from`; null when a component is missing.
Key* Descend(Key& from, const std::vector<WString>& parts);

} // namespace qn::reg
