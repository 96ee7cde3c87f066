// Key tree operations with case-insensitive names.
#include "hive_tree.h"

#include <algorithm>
#include <atomic>

namespace qn::reg {

uint64_t NewKeyId() {
    static std::atomic<uint64_t> next{1};
    return next++;
}

char16_t FoldCase(char16_t c) {
    if (c < 0x80) {
        return (c >= u'a' && c <= u'z') ? char16_t(c - 0x20) : c;
    }
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F)) {
        return char16_t(c - 0x20);
    }
    if (c >= 0x450 && c <= 0x45F) {
        return char16_t(c - 0x50);
    }
    if (c == 0xFF) {
        return 0x178;
    }
    return c;
}

bool NamesEqual(WStringView a, WStringView b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

bool NameLess(WStringView a, WStringView b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](char16_t x, char16_t y) { return FoldCase(x) < FoldCase(y); });
}

Key* Key::FindChild(WStringView childName) const {
    for (const auto& child : children) {
        if (NamesEqual(child->name, childName)) {
            return child.get();
        }
    }
    return nullptr;
}

Key* Key::FindOrAddChild(WStringView childName, bool* created) {
    Key* found = FindChild(childName);
    if (created) {
        *created = found == nullptr;
    }
    if (found) {
        return found;
    }
    auto child = std::make_unique<Key>();
    child->name = WString(childName);
    child->id = NewKeyId();
    children.push_back(std::move(child));
    return children.back().get();
}

bool Key::RemoveChild(WStringView childName) {
    auto it = std::find_if(children.begin(), children.end(),
                           [&](const auto& child) { return NamesEqual(child->name, childName); });
    if (it == children.end()) {
        return false;
    }
    children.erase(it);
    return true;
}

Value* Key::FindValue(WStringView valueName) {
    for (auto& entry : entries) {
        if (!entry.raw && NamesEqual(entry.value.name, valueName)) {
            return &entry.value;
        }
    }
    return nullptr;
}

void Key::SetValue(Value value) {
    if (Value* existing = FindValue(value.name)) {
        existing->type = value.type;
        existing->data = std::move(value.data);
        return;
    }
    Entry entry;
    entry.value = std::move(value);
    entries.push_back(std::move(entry));
}

bool Key::RemoveValue(WStringView valueName) {
    auto it = std::find_if(entries.begin(), entries.end(), [&](const Entry& entry) {
        return !entry.raw && NamesEqual(entry.value.name, valueName);
    });
    if (it == entries.end()) {
        return false;
    }
    entries.erase(it);
    return true;
}

Key* Hive::FindRoot(WStringView name) const {
    for (const auto& root : roots) {
        if (NamesEqual(root->name, name)) {
            return root.get();
        }
    }
    return nullptr;
}

Key& Hive::Root(WStringView name) {
    if (Key* root = FindRoot(name)) {
        return *root;
    }
    auto root = std::make_unique<Key>();
    root->name = WString(name);
    root->id = NewKeyId();
    roots.push_back(std::move(root));
    return *roots.back();
}

bool SplitPath(WStringView path, std::vector<WString>* parts) {
    parts->clear();
    if (path.empty()) {
        return true;
    }
    if (path.back() == u'\\') {
        path.remove_suffix(1);
    }
    size_t start = 0;
    while (true) {
        size_t end = path.find(u'\\', start);
        WStringView part =
            path.substr(start, end == WStringView::npos ? WStringView::npos : end - start);
        if (part.empty()) {
            parts->clear();
            return false;
        }
        parts->emplace_back(part);
        if (end == WStringView::npos) {
            return true;
        }
        start = end + 1;
    }
}

Key* Descend(Key& from, const std::vector<WString>& parts) {
    Key* key = &from;
    for (const auto& part : parts) {
        key = key->FindChild(part);
        if (!key) {
            return nullptr;
        }
    }
    return key;
}

} // namespace qn::reg
