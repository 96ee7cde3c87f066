// Menus, as far as a window's system menu needs them.
#include "window_record.h"

#include <algorithm>

namespace {

using platform::WideString;
using platform::ui::FromMenuHandle;
using platform::ui::MenuRecord;

void FillSystemMenu(MenuRecord& menu) {
    menu.items = {{MF_STRING, SC_MOVE, TEXT("&Move")},
                  {MF_SEPARATOR, 0, TEXT("")},
                  {MF_STRING, SC_CLOSE, TEXT("&Close\tAlt+F4")}};
}

int FindItem(HMENU handle, UINT item, UINT flags) {
    MenuRecord* menu = FromMenuHandle(handle);
    if (!menu)
        return -1;
    if (flags & MF_BYPOSITION)
        return item < menu->items.size() ? static_cast<int>(item) : -1;
    for (size_t i = 0; i < menu->items.size(); ++i)
        if (menu->items[i].id == item && !(menu->items[i].flags & MF_SEPARATOR))
            return static_cast<int>(i);
    return -1;
}

} // namespace

extern "C" HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
    platform::ui::WindowRecord* rec = platform::ui::FindWindowRecord(hwnd);
    if (!rec || !(rec->style & WS_SYSMENU))
        return nullptr;
    if (revert) {
        rec->systemMenu.reset();
        return nullptr;
    }
    if (!rec->systemMenu) {
        rec->systemMenu = std::make_unique<MenuRecord>();
        FillSystemMenu(*rec->systemMenu);
    }
    return platform::ui::ToMenuHandle(rec->systemMenu.get());
}

extern "C" BOOL AppendMenuW(HMENU handle, UINT flags, UINT_PTR id, LPCWSTR text) {
    MenuRecord* menu = FromMenuHandle(handle);
    if (!menu)
        return FALSE;
    menu->items.push_back({flags, id, (flags & MF_SEPARATOR) || !text ? WideString() : text});
    return TRUE;
}

extern "C" int GetMenuItemCount(HMENU handle) {
    MenuRecord* menu = FromMenuHandle(handle);
    return menu ? static_cast<int>(menu->items.size()) : -1;
}

extern "C" UINT GetMenuItemID(HMENU handle, int position) {
    MenuRecord* menu = FromMenuHandle(handle);
    if (!menu || position < 0 || position >= static_cast<int>(menu->items.size()))
        return static_cast<UINT>(-1);
    return static_cast<UINT>(menu->items[position].id);
}

extern "C" int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int maxCount, UINT flags) {
    const int i = FindItem(menu, item, flags);
    if (i < 0)
        return 0;
    const WideString& text = FromMenuHandle(menu)->items[i].text;
    if (!buffer || maxCount <= 0)
        return static_cast<int>(text.size());
    const int n = std::min<int>(static_cast<int>(text.size()), maxCount - 1);
    std::copy_n(text.data(), n, buffer);
    buffer[n] = 0;
    return n;
}

extern "C" BOOL DeleteMenu(HMENU menu, UINT item, UINT flags) {
    const int i = FindItem(menu, item, flags);
    if (i < 0)
        return FALSE;
    auto& items = FromMenuHandle(menu)->items;
    items.erase(items.begin() + i);
    return TRUE;
}
