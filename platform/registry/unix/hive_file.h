// The registry export format ("Windows Registry Editor Version 5.00"):
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Vendor\Product]
//   @="default value"
//   "Name"="text with \\, \" and line breaks (\r\n) escaped"
//   "Count"=dword:0000001e
//   "Blob"=hex:01,02,03,\   (long data continues on the next line)
//     04,05
//   "Other"=hex(7):41,00,00,00,00,00
//
// Parsing is lenient and never fails: lines it cannot interpret are kept
// verbatim with the section they appear in and written back on save, so a
// file edited by hand or by a newer tool loses nothing it did not touch.
// Sections, escapes and deletions ("[-...]") are read as the registry import
// reads them: a deletion removes what the file made of that key before it.
#pragma once

#include "hive_tree.h"

namespace qn::reg {

Hive ParseHive(WStringView text);

// A complete hive file, with CRLF line ends. Sections keep the order they had
// in the file (kept sections such as deletions included), keys made since
// follow; values keep their order.
WString SerialiseHive(const Hive& hive);

// Whether the text is a registry export: its first non-blank line is the
// export header. Empty text counts as one (an empty hive).
bool StartsWithHeader(WStringView text);

} // namespace qn::reg
