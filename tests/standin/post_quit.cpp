// Posts a quit message to every thread of the processes with the given executable name, as
// another program might do to VeltoMacro's main thread. Exits 0 when at least one thread took it.
//
// Usage: post_quit EXE_NAME
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>
// windows.h first: tlhelp32.h relies on its types.
#include <cwchar>
#include <set>
#include <tlhelp32.h>

int wmain(int argc, wchar_t* argv[]) {
    if (argc < 2) {
        return 2;
    }
    std::set<DWORD> processes;
    const HANDLE processSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W process{};
    process.dwSize = sizeof process;
    for (BOOL more = ::Process32FirstW(processSnapshot, &process); more;
         more = ::Process32NextW(processSnapshot, &process)) {
        if (_wcsicmp(process.szExeFile, argv[1]) == 0) {
            processes.insert(process.th32ProcessID);
        }
    }
    ::CloseHandle(processSnapshot);

    int posted = 0;
    const HANDLE threadSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 thread{};
    thread.dwSize = sizeof thread;
    for (BOOL more = ::Thread32First(threadSnapshot, &thread); more;
         more = ::Thread32Next(threadSnapshot, &thread)) {
        if (processes.count(thread.th32OwnerProcessID) != 0 &&
            ::PostThreadMessageW(thread.th32ThreadID, WM_QUIT, 0, 0)) {
            ++posted;
        }
    }
    ::CloseHandle(threadSnapshot);
    return posted > 0 ? 0 : 1;
}
