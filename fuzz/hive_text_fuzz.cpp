// The settings hive's text: any bytes are decoded and parsed; what is saved
// from that parses to the same hive, and saving it again gives the same file.
#include "platform/registry/unix/hive_file.h"
#include "platform/registry/unix/hive_text.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using namespace qn::reg;

bool SameEntries(const Key& a, const Key& b) {
    if (a.Entries().size() != b.Entries().size()) {
        return false;
    }
    for (size_t i = 0; i < a.Entries().size(); ++i) {
        const Entry& x = a.Entries()[i];
        const Entry& y = b.Entries()[i];
        if (x.raw != y.raw || (x.raw ? x.rawText != y.rawText : !(x.value == y.value))) {
            return false;
        }
    }
    return true;
}

bool SameKey(const Key& a, const Key& b) {
    if (a.name != b.name || a.note != b.note || !SameEntries(a, b) ||
        a.Children().size() != b.Children().size()) {
        return false;
    }
    for (size_t i = 0; i < a.Children().size(); ++i) {
        if (!SameKey(*a.Children()[i], *b.Children()[i])) {
            return false;
        }
    }
    return true;
}

bool SameHive(const Hive& a, const Hive& b) {
    if (a.preamble != b.preamble || a.roots.size() != b.roots.size() ||
        a.opaque.size() != b.opaque.size()) {
        return false;
    }
    // Roots are matched by name: a root without a section of its own comes
    // into being with its first sub key's section, so their order may differ.
    for (const auto& root : a.roots) {
        const Key* other = b.FindRoot(root->name);
        if (!other || !SameKey(*root, *other)) {
            return false;
        }
    }
    for (size_t i = 0; i < a.opaque.size(); ++i) {
        if (a.opaque[i].header != b.opaque[i].header || a.opaque[i].lines != b.opaque[i].lines) {
            return false;
        }
    }
    return true;
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "hive round trip: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Loaded and saved as the store does: bytes decoded and parsed, the hive
    // serialised and encoded.
    const Hive first = ParseHive(DecodeHiveBytes(bytes));
    const WString savedText = SerialiseHive(first);
    const WString reread = DecodeHiveBytes(EncodeHiveText(savedText));
    if (reread != savedText) {
        Fail("the saved file decodes to other text");
    }
    if (!StartsWithHeader(reread)) {
        Fail("the saved file is no registry export");
    }
    const Hive second = ParseHive(reread);
    if (!SameHive(first, second)) {
        Fail("the saved file reads as another hive");
    }
    // The encoding is one to one: equal text is an equal file.
    if (SerialiseHive(second) != savedText) {
        Fail("saving it again gives another file");
    }
    return 0;
}
