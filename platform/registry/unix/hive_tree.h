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
#include <vector>

namespace qn::reg {

using WString = std::u16string;
using WStringView = std::u16string_view;

// Registry names compare without regard to case. Folding covers ASCII,
// Latin-1 and basic Cyrillic/Greek, which is what key and value names here use.
char16_t FoldCase(char16_t c);
bool NamesEqual(WStringView a, WStringView b);
bool NameLess(WStringView a, WStringView b);

struct Value {
    WString name; // empty = the key's default value
    DWORD type = 0;
    std::vector<BYTE> data;
};

// One line of a key's section: a value, or a line kept verbatim (comments,
// deletion markers, data the parser did not understand).
struct Entry {
    bool raw = false;
    WString rawText; // physical lines joined with CRLF when raw
    Value value;
};

// A process-wide unique, never reused identity for keys.
uint64_t NewKeyId();

struct Key {
    WString name;
    // Identity for open handles: a handle to a deleted key stays invalid even
    // if a key of the same name is created again. Kept across reloads by path.
    uint64_t id = 0;
    std::vector<Entry> entries;
    std::vector<std::unique_ptr<Key>> children;

    Key* FindChild(WStringView childName) const;
    Key* FindOrAddChild(WStringView childName, bool* created = nullptr);
    bool RemoveChild(WStringView childName);
    Value* FindValue(WStringView valueName);
    void SetValue(Value value);
    bool RemoveValue(WStringView valueName);
};

// A section whose header could not be placed in the tree ("[-...]" deletion
// sections, empty path components); kept as text.
struct OpaqueSection {
    WString header;
    std::vector<WString> lines;
};

struct Hive {
    std::vector<WString> preamble; // unrecognised lines before the first section
    std::vector<std::unique_ptr<Key>> roots;
    std::vector<OpaqueSection> opaque;

    Key* FindRoot(WStringView name) const;
    Key& Root(WStringView name);
};

// Splits "a\b\c" into its components. Fails on empty components; a single
// trailing backslash is tolerated.
bool SplitPath(WStringView path, std::vector<WString>* parts);

// Walks `parts` below `from`; null when a component is missing.
Key* Descend(Key& from, const std::vector<WString>& parts);

} // namespace qn::reg
