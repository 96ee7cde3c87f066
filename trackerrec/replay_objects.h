// The replayed library's objects, made from the interface list.
#pragma once

#include "../platform/com/com.h"

#include <cstdint>

namespace trackerrec {

// A new replayed object of the interface at `index` (see InterfaceAt), as IUnknown.
IUnknown* MakePlayed(int index, uint32_t id);
// The class factory's CreateInstance during replay.
HRESULT CreatePlayedConnection(REFIID riid, void** out);

} // namespace trackerrec
