// The registry export format ("Windows Registry Editor Version 5.00"):
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Vendor\Product]
//   @="default value"
//   "Name"="text with \\ and \" escaped"
//   "Count"=dword:0000001e
//   "Blob"=hex:01,02,03,\   (long data continues on the next line)
//     04,05
//   "Other"=hex(7):41,00,00,00,00,00
//
// Parsing is lenient and never fails: lines it cannot interpret are kept
// verbatim with the section they appear in and written back on save, so a
// file edited by hand or by a newer tool loses nothing it did not touch.
#pragma once

#include "hive_tree.h"

namespace qn::reg {

Hive ParseHive(WStringView text);

// A complete hive file, with CRLF line ends. Keys are written parent first,
// siblings in case-insensitive name order; values keep their order.
WString SerialiseHive(const Hive& hive);

} // namespace qn::reg
