// Menus, as far as a window's system menu needs them.
#include "window_record.h"

#include <algorithm>

namespace {

using platform::WideString;

void FillSystemMenu(HMENU__& menu) {
    menu.items = {{MF_STRING, SC_MOVE, u"&Move"},
                  {MF_SEPARATOR, 0, u""},
                  {MF_STRING, SC_CLOSE, u"&Close\tAlt+F4"}};
}

int FindItem(HMENU menu, UINT item, UINT flags) {
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
        rec->systemMenu = std::make_unique<HMENU__>();
        FillSystemMenu(*rec->systemMenu);
    }
    return rec->systemMenu.get();
}

extern "C" BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text) {
    if (!menu)
        return FALSE;
    menu->items.push_back({flags, id, (flags & MF_SEPARATOR) || !text ? WideString() : text});
    return TRUE;
}

extern "C" int GetMenuItemCount(HMENU menu) {
    return menu ? static_cast<int>(menu->items.size()) : -1;
}

extern "C" UINT GetMenuItemID(HMENU menu, int position) {
    if (!menu || position < 0 || position >= static_cast<int>(menu->items.size()))
        return static_cast<UINT>(-1);
    return static_cast<UINT>(menu->items[position].id);
}

extern "C" int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int maxCount, UINT flags) {
    const int i = FindItem(menu, item, flags);
    if (i < 0)
        return 0;
    const WideString& text = menu->items[i].text;
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
    menu->items.erase(menu->items.begin() + i);
    return TRUE;
}
