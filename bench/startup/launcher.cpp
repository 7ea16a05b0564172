// Times programs from process creation until their window is shown and painted, and reads their peak
// working set and private bytes at that moment. Rounds are interleaved, every other one in reverse order,
// so that whatever the machine does meanwhile, and whatever a program leaves behind for the next one,
// falls on every program alike. Prints; asserts nothing.
//   startup_launcher ROUNDS NAME=PROGRAM.exe [NAME=PROGRAM.exe ...]
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Program {
    std::wstring name, path;
    std::vector<double> ms, peak_kib, private_kib;
};

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK find_window(HWND hwnd, LPARAM lparam) {
    auto* search = reinterpret_cast<Search*>(lparam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid && IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK child_needs_paint(HWND hwnd, LPARAM lparam) {
    if (IsWindowVisible(hwnd) && GetUpdateRect(hwnd, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(lparam) = true;
        return FALSE;
    }
    return TRUE;
}

// Shown, and nothing of it waits to be painted.
bool painted(HWND hwnd) {
    if (GetUpdateRect(hwnd, nullptr, FALSE)) return false;
    bool pending = false;
    EnumChildWindows(hwnd, child_needs_paint, reinterpret_cast<LPARAM>(&pending));
    return !pending;
}

double now_ms() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

bool run_once(Program& p) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring line = L"\"" + p.path + L"\"";
    const double start = now_ms();
    if (!CreateProcessW(p.path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    Search search{process.dwProcessId, nullptr};
    const double deadline = start + 30000;
    // Not a busy wait: on two cores a launcher that spins takes the time the program needs, and its share
    // varies from start to start by more than the differences measured. The program is first left alone
    // until it waits for input (its window shown, its queue empty), then looked at every millisecond.
    WaitForInputIdle(process.hProcess, 30000);
    bool done = false;
    while (!done && now_ms() < deadline) {
        if (!search.found) EnumWindows(find_window, reinterpret_cast<LPARAM>(&search));
        if (search.found && painted(search.found)) {
            done = true;
            break;
        }
        Sleep(1);
    }
    const double elapsed = now_ms() - start;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof(memory));
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!done) return false;
    p.ms.push_back(elapsed);
    p.peak_kib.push_back(static_cast<double>(memory.PeakWorkingSetSize) / 1024.0);
    // Wine leaves PrivateUsage at 0; its commit charge (PagefileUsage) is the same figure on Windows.
    const SIZE_T private_bytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    p.private_kib.push_back(static_cast<double>(private_bytes) / 1024.0);
    return true;
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The median of the per-round ratios a / b.
double paired_ratio(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (b[i] > 0) ratios.push_back(a[i] / b[i]);
    }
    return median(ratios);
}

std::string narrow(const std::wstring& s) {
    return std::string(s.begin(), s.end());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_launcher ROUNDS NAME=PROGRAM.exe...\n");
        return 2;
    }
    const int rounds = _wtoi(argv[1]);
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const auto eq = arg.find(L'=');
        programs.push_back({arg.substr(0, eq), arg.substr(eq + 1), {}, {}, {}});
    }
    for (Program& p : programs)
        run_once(p);  // warm the file cache; not counted
    for (Program& p : programs)
        p.ms.clear(), p.peak_kib.clear(), p.private_kib.clear();

    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < programs.size(); ++i)
            failures += !run_once(programs[round % 2 ? programs.size() - 1 - i : i]);
    }

    std::printf(
        "| program | rounds | start-up, median (ms) | peak working set, median (KiB) | private bytes, "
        "median (KiB) |\n|---|---|---|---|---|\n");
    for (const Program& p : programs) {
        std::printf("| %s | %zu | %.1f | %.0f | %.0f |\n", narrow(p.name).c_str(), p.ms.size(), median(p.ms),
                    median(p.peak_kib), median(p.private_kib));
    }
    std::printf(
        "\n| ratio (paired medians) | start-up | peak working set | private bytes |\n|---|---|---|---|\n");
    for (std::size_t j = 1; j < programs.size(); ++j) {
        std::printf("| %s / %s | %.3f | %.3f | %.3f |\n", narrow(programs[0].name).c_str(),
                    narrow(programs[j].name).c_str(), paired_ratio(programs[0].ms, programs[j].ms),
                    paired_ratio(programs[0].peak_kib, programs[j].peak_kib),
                    paired_ratio(programs[0].private_kib, programs[j].private_kib));
    }
    if (failures) std::printf("\n%d start(s) never showed a painted window within 30 s.\n", failures);
    return 0;
}
