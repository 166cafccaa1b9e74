// The program's resident memory with a year of history in history.sqlite:
// an unattended-style run on the real clock without the web page, then with
// it serving the page, its state and a year's daily buckets. Prints
// figures; not a test.
#include <httplib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "BenchSupport.h"
#include "ChildProgram.h"
#include "history/Tally.h"
#include "history/sqlite/HistoryFile.h"

namespace {

using namespace tc::history;
constexpr int kPort = 18624;

// "VmRSS 12345 kB, VmHWM 23456 kB" of the process.
std::string memory(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line, rss = "?", hwm = "?";
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) rss = line.substr(6);
        if (line.rfind("VmHWM:", 0) == 0) hwm = line.substr(6);
    }
    auto trim = [](std::string s) { return s.substr(s.find_first_not_of(" \t")); };
    return "resident " + trim(rss) + ", peak " + trim(hwm);
}

}  // namespace

int main() {
    const std::string dir = (std::filesystem::temp_directory_path() / "tailchime-bench-memory").string();
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    {
        // A busy year: sixty counted overs a day with their courtesies and keyings, ten kerchunks.
        HistoryFile file(dir + "/" + HistoryFile::kFileName);
        const std::int64_t now = std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::system_clock::now().time_since_epoch()).count();
        for (std::int64_t day = 365; day > 0; --day) {
            for (int i = 0; i < 70; ++i) {
                const std::int64_t t = now - day * kDayMs + i * 20 * 60000;
                const bool counted = i % 7 != 0;
                file.add(Over{t, t + (counted ? 8000 : 900), false, counted});
                if (!counted) continue;
                file.add(Ident{t + 8300, t + 8900, false, "K", true, true});
                file.add(Keying{t + 8300, t + 8900});
            }
        }
        file.flush();
    }
    std::ofstream(dir + "/idle.tcs") << "callsign W1AW-R\nat 600000 end\n";
    std::printf("history.sqlite %.1f MB, %s\n",
                static_cast<double>(std::filesystem::file_size(dir + "/" + HistoryFile::kFileName)) / 1e6,
                bench::load().c_str());

    pid_t quiet = bench::spawn({TAILCHIME_BIN, "--headless", dir + "/idle.tcs", "--config-dir", dir});
    std::this_thread::sleep_for(std::chrono::seconds(3));
    std::printf("%-28s %s\n", "without the web page", memory(quiet).c_str());
    bench::stop(quiet);

    std::ofstream(dir + "/tailchime.ini", std::ios::app) << "[WEB]\nVIEW=open\n";
    pid_t served = bench::spawn({TAILCHIME_BIN, "--headless", dir + "/idle.tcs", "--web", std::to_string(kPort),
                                 "--config-dir", dir});
    httplib::Client client("127.0.0.1", kPort);
    for (int tries = 0; tries < 100 && !client.Get("/api/state"); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::size_t bytes = 0;
    for (int i = 0; i < 10; ++i) {
        for (const char* path : {"/", "/api/state", "/api/history?hours=24", "/api/history?days=400"})
            if (auto r = client.Get(path)) bytes += r->body.size();
    }
    std::printf("%-28s %s (after %zu kB of answers, a year's buckets among them)\n", "with the web page",
                memory(served).c_str(), bytes / 1024);
    bench::stop(served);
    std::filesystem::remove_all(dir);
    return 0;
}
