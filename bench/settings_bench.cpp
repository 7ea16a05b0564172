// Times reading and writing SETTINGS.TXT on the portable services and reports the peak memory of the
// whole process. One case per run, so that the peak belongs to that case alone:
//   settings_bench example|big-line|many-lines [MB or lines]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app.h"
#include "doubles/headless_services.h"
#include "example_settings.h"
#include "platform/portable/cp1252_text.h"
#include "platform/portable/std_file_system.h"

namespace {

namespace fs = std::filesystem;
using clock_type = std::chrono::steady_clock;

long peak_kib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Program : pm::HeadlessUser {
    pm::StdFileSystem files;
    pm::Cp1252Text text;
    pm::App app{services(files, text)};
    explicit Program(const std::string& folder) : files(std::u16string(folder.begin(), folder.end())) {}
};

}  // namespace

int main(int argc, char** argv) {
    const std::string which = argc > 1 ? argv[1] : "example";
    const fs::path folder = fs::temp_directory_path() / ("pm-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::size_t file_size = 0;
    {
        std::ofstream out(folder / "SETTINGS.TXT", std::ios::binary);
        if (which == "example") {
            out << pm::test::example_settings;
        } else if (which == "big-line") {
            const std::size_t mb = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 50;
            out << "JOB=" << std::string(mb * 1000 * 1000 - 4, 'j');
        } else if (which == "many-lines") {
            const long lines = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 1000000;
            for (long i = 0; i < lines; ++i)
                out << "HIGH_ALARM" << (i % 4 + 1) << '=' << (i % 100) << "\r\n";
        } else {
            std::fprintf(stderr, "usage: settings_bench example|big-line [MB]|many-lines [lines]\n");
            return 2;
        }
        file_size = static_cast<std::size_t>(out.tellp());
    }
    const long baseline = peak_kib();

    int rounds = which == "example" ? 2000 : 1;
    double read_ms = 0;
    double write_ms = 0;
    for (int r = 0; r < rounds; ++r) {
        Program p(folder.string());
        const auto t0 = clock_type::now();
        p.app.Main();
        const auto t1 = clock_type::now();
        if (which == "example") {
            pm::save_settings(p.app.form(), p.files, p.text);
        }
        const auto t2 = clock_type::now();
        read_ms += std::chrono::duration<double, std::milli>(t1 - t0).count();
        write_ms += std::chrono::duration<double, std::milli>(t2 - t1).count();
    }
    const long peak = peak_kib();
    std::printf(
        "case=%s bytes=%zu rounds=%d start_and_read_ms=%.4f write_ms=%.4f peak_kib=%ld baseline_kib=%ld "
        "peak_over_file=%.2f\n",
        which.c_str(), file_size, rounds, read_ms / rounds, write_ms / rounds, peak, baseline,
        file_size > 0 ? static_cast<double>(peak - baseline) * 1024.0 / static_cast<double>(file_size) : 0.0);
    fs::remove_all(folder);
    return 0;
}
