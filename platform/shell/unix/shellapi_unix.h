#pragma once

#include "../../ui/winuser.h"

#define SEE_MASK_DEFAULT 0x00000000
#define SEE_MASK_NOCLOSEPROCESS 0x00000040
#define SEE_MASK_FLAG_NO_UI 0x00000400
#define SEE_MASK_NOASYNC 0x00000100

#define SE_ERR_FNF 2
#define SE_ERR_ACCESSDENIED 5

struct SHELLEXECUTEINFOW {
    DWORD cbSize;
    ULONG fMask;
    HWND hwnd;
    LPCWSTR lpVerb;
    LPCWSTR lpFile;
    LPCWSTR lpParameters;
    LPCWSTR lpDirectory;
    int nShow;
    HINSTANCE hInstApp; // greater than 32 on success
    void* lpIDList;
    LPCWSTR lpClass;
    void* hkeyClass;
    DWORD dwHotKey;
    HANDLE hIcon;
    HANDLE hProcess;
};
typedef SHELLEXECUTEINFOW* LPSHELLEXECUTEINFOW;

// Runs the program and waits for it to end (the exit status is not looked
// at), so that nothing is left running behind a test. The verbs "open" and
// "runas" (elevation: none here) are supported.
extern "C" BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info);
