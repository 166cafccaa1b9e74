#pragma once
#include <windows.h>

#include <filesystem>
#include <string>

// A fresh folder under the temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder() {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        for (unsigned n = GetTickCount();; ++n) {
            path_ = std::string(base) + "tailchime-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                    std::to_string(n);
            if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        }
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};
