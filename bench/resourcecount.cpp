// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// What a running program holds, as Windows counts it: its GDI and USER
// objects, its working set and its handles, a line every INTERVAL seconds,
// COUNT times, for the bench.
//
//   resourcecount.exe PROGRAM.EXE INTERVAL COUNT

#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

DWORD FindProcess(const wchar_t *name)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, name) == 0)
            found = entry.th32ProcessID;
    }
    CloseHandle(snapshot);
    return found;
}

} // namespace

int wmain(int argc, wchar_t *argv[])
{
    if (argc != 4)
        return 2;
    const int interval = _wtoi(argv[2]), count = _wtoi(argv[3]);
    for (int sample = 0; sample < count; ++sample) {
        const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, FindProcess(argv[1]));
        if (!process)
            return 1;
        PROCESS_MEMORY_COUNTERS memory{};
        GetProcessMemoryInfo(process, &memory, sizeof memory);
        DWORD handles = 0;
        GetProcessHandleCount(process, &handles);
        std::printf("%d s: %lu GDI objects, %lu USER objects, %llu KiB working set, %lu handles\n",
                    sample * interval, GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS),
                    static_cast<unsigned long long>(memory.WorkingSetSize / 1024), handles);
        std::fflush(stdout);
        CloseHandle(process);
        Sleep(DWORD(interval) * 1000);
    }
    return 0;
}
