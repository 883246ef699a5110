// Start-up figure of Windows programs: time from CreateProcess to the program's first
// visible top-level window having answered a message (so it is painted and waiting for
// input), over interleaved runs. Prints figures; not a test.
//   startup RUNS PROGRAM.EXE [PROGRAM.EXE ...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

HWND VisibleWindowOf(DWORD process)
{
    struct Search {
        DWORD process;
        HWND found;
    } search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto &s = *reinterpret_cast<Search *>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.process && IsWindowVisible(window)) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

double StartOnce(const wchar_t *exe)
{
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::vector<wchar_t> commandLine(exe, exe + std::wcslen(exe) + 1);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    HWND window = nullptr;
    while (!(window = VisibleWindowOf(process.dwProcessId)))
        Sleep(0);
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &answer);
    QueryPerformanceCounter(&now);
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return 1000.0 * double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup RUNS PROGRAM.EXE [PROGRAM.EXE ...]\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    std::vector<std::vector<double>> times(std::size_t(argc - 2));
    for (int i = 0; i <= runs; ++i) {
        for (int p = 2; p < argc; ++p) {
            const double ms = StartOnce(argv[p]);
            if (i > 0)  // the first round warms the caches
                times[std::size_t(p - 2)].push_back(ms);
        }
    }
    for (int p = 2; p < argc; ++p) {
        auto &t = times[std::size_t(p - 2)];
        std::sort(t.begin(), t.end());
        std::printf("%-60ls median %7.1f ms  min %7.1f  max %7.1f  (%d runs)\n", argv[p],
                    t[t.size() / 2], t.front(), t.back(), runs);
    }
    return 0;
}
