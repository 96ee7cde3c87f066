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

WString Folded(WStringView name) {
    WString folded(name);
    for (char16_t& c : folded) {
        c = FoldCase(c);
    }
    return folded;
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

Key::Key(WStringView keyName, uint64_t keyOrder) : name(keyName), id(NewKeyId()), order(keyOrder) {}

Key* Key::FindChild(WStringView childName) const {
    auto it = childIndex_.find(Folded(childName));
    return it == childIndex_.end() ? nullptr : it->second;
}

Key* Key::FindOrAddChild(WStringView childName, uint64_t childOrder, bool* created) {
    WString folded = Folded(childName);
    auto it = childIndex_.find(folded);
    if (created) {
        *created = it == childIndex_.end();
    }
    if (it != childIndex_.end()) {
        return it->second;
    }
    children_.push_back(std::make_unique<Key>(childName, childOrder));
    Key* child = children_.back().get();
    try {
        childIndex_.emplace(std::move(folded), child);
    } catch (...) {
        children_.pop_back();
        throw;
    }
    return child;
}

bool Key::RemoveChild(WStringView childName) {
    auto indexed = childIndex_.find(Folded(childName));
    if (indexed == childIndex_.end()) {
        return false;
    }
    Key* child = indexed->second;
    childIndex_.erase(indexed);
    std::erase_if(children_, [&](const auto& owned) { return owned.get() == child; });
    return true;
}

const Value* Key::FindValue(WStringView valueName) const {
    auto it = valueIndex_.find(Folded(valueName));
    return it == valueIndex_.end() ? nullptr : &entries_[it->second].value;
}

bool Key::SetValue(Value value) {
    WString folded = Folded(value.name);
    auto it = valueIndex_.find(folded);
    if (it != valueIndex_.end()) {
        Value& existing = entries_[it->second].value;
        if (existing.type == value.type && existing.data == value.data) {
            return false;
        }
        existing.type = value.type;
        existing.data = std::move(value.data);
        return true;
    }
    Entry entry;
    entry.value = std::move(value);
    entries_.push_back(std::move(entry));
    try {
        valueIndex_.emplace(std::move(folded), entries_.size() - 1);
    } catch (...) {
        entries_.pop_back();
        throw;
    }
    return true;
}

bool Key::RemoveValue(WStringView valueName) {
    auto it = valueIndex_.find(Folded(valueName));
    if (it == valueIndex_.end()) {
        return false;
    }
    entries_.erase(entries_.begin() + std::ptrdiff_t(it->second));
    IndexValues();
    return true;
}

void Key::AddRaw(WString text) {
    Entry entry;
    entry.raw = true;
    entry.rawText = std::move(text);
    entries_.push_back(std::move(entry));
}

bool Key::Clear() {
    const bool had = !entries_.empty() || !children_.empty();
    entries_.clear();
    children_.clear();
    childIndex_.clear();
    valueIndex_.clear();
    return had;
}

void Key::IndexValues() {
    valueIndex_.clear();
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (!entries_[i].raw) {
            valueIndex_.emplace(Folded(entries_[i].value.name), i);
        }
    }
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
    roots.push_back(std::make_unique<Key>(name, nextOrder++));
    return *roots.back();
}

Key* Hive::FindOrAddChild(Key& parent, WStringView name, bool* created) {
    bool added = false;
    Key* child = parent.FindOrAddChild(name, nextOrder, &added);
    if (added) {
        ++nextOrder;
    }
    if (created) {
        *created = added;
    }
    return child;
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
