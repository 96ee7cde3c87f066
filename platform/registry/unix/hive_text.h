// Text encodings of hive files.
#pragma once

#include "hive_tree.h"

#include <string>
#include <string_view>

namespace qn::reg {

// Decodes a hive file's bytes: UTF-16LE or UTF-16BE with a byte-order mark or
// without one (recognised by the zero high byte of the first character),
// otherwise UTF-8 with or without a mark. Bytes that are not valid UTF-8 are
// taken as Latin-1, so a file in a legacy code page still loads and nothing
// is lost silently. Never fails.
WString DecodeHiveBytes(std::string_view bytes);

// Encodes a hive for writing: UTF-16LE with a byte-order mark, as the
// system's registry editor exports. The file then imports on Windows as it
// is, whatever characters names and values hold; UTF-8 would import only
// where the importer guesses the encoding right.
std::string EncodeHiveText(WStringView text);

// UTF-8 conversions for file names and environment values.
std::string ToUtf8(WStringView text);
WString FromUtf8(std::string_view text);

} // namespace qn::reg
