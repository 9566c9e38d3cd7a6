// Prints what Windows reads from an executable's resources: its version information and its
// embedded manifest, one "name=value" line each, for the package test to compare.
//
// Usage: inspect_exe PATH
#ifndef UNICODE
#define UNICODE
#endif
#include <cstdio>
#include <string>
#include <vector>
#include <windows.h>

namespace {

void printVersionString(const std::vector<char>& info, const wchar_t* name) {
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (::VerQueryValueW(info.data(), query.c_str(), &value, &length) && length > 0) {
        std::printf("%ls=%ls\n", name, static_cast<const wchar_t*>(value));
    }
}

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc < 2) {
        return 2;
    }
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(argv[1], &ignored);
    if (size == 0) {
        std::printf("no version information\n");
        return 1;
    }
    std::vector<char> info(size);
    if (!::GetFileVersionInfoW(argv[1], 0, size, info.data())) {
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
        std::printf("FixedFileVersion=%d.%d.%d.%d\n", HIWORD(fixed->dwFileVersionMS),
                    LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                    LOWORD(fixed->dwFileVersionLS));
    }
    for (const wchar_t* name :
         {L"FileVersion", L"ProductVersion", L"ProductName", L"FileDescription"}) {
        printVersionString(info, name);
    }

    const HMODULE module = ::LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC manifest =
        module == nullptr ? nullptr : ::FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    if (manifest == nullptr) {
        std::printf("no manifest\n");
        return 1;
    }
    const char* text = static_cast<const char*>(::LockResource(::LoadResource(module, manifest)));
    std::printf("Manifest=%.*s\n", static_cast<int>(::SizeofResource(module, manifest)), text);
    return 0;
}
