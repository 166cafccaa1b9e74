#include "app/posix/IniProfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>

namespace tc {

namespace fs = std::filesystem;

namespace {

// A settings file can be made by hand; one this large is no settings file,
// and reading further would only cost the station memory.
constexpr std::uintmax_t kLargestFile = 64u << 20;

// The file whose name is path, following symbolic links (relative ones from
// the link's own folder). A link to nowhere names the file to be made.
fs::path target(const fs::path& path) {
    fs::path at = path;
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(at, ec)); ++hops) {
        fs::path next = fs::read_symlink(at, ec);
        if (ec) break;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return at;
}

// Temporary files of a save are "." + the file's name + "." + six characters.
std::string temporaryPrefix(const fs::path& file) { return "." + file.filename().string() + "."; }

void removeLeftovers(const fs::path& file) {
    std::error_code ec;
    const std::string prefix = temporaryPrefix(file);
    fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0)
            fs::remove(it->path(), ec);
    }
}

// The whole file; "" when there is none. Nothing when a file is there but
// cannot be read, so that a save never replaces what it could not see.
std::optional<std::string> readFile(const fs::path& path) {
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) return std::string();
    if (ec || status.type() != fs::file_type::regular) return std::nullopt;
    if (fs::file_size(path, ec) > kLargestFile || ec) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(fs::file_size(path, ec)), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

bool writeAll(int fd, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void syncFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Puts the new text in place in one step.
bool replaceFile(const fs::path& file, const std::string& bytes) {
    std::error_code ec;
    fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    fs::create_directories(folder, ec);
    struct stat old {};
    const bool existed = ::stat(file.c_str(), &old) == 0;
    // A settings file the operator made read-only stays as it is.
    if (existed && ::access(file.c_str(), W_OK) != 0) return false;
    std::string temp = (folder / (temporaryPrefix(file) + "XXXXXX")).string();
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    mode_t mode = old.st_mode & 07777;
    if (!existed) {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), file.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

}  // namespace

IniProfile::IniProfile(std::string path) : path_(std::move(path)) {}

std::string IniProfile::GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) {
    if (!read_) {
        removeLeftovers(target(path_));
        read_.emplace(readFile(target(path_)).value_or(std::string()));
    }
    return read_->value(section, key).value_or(defaultValue);
}

bool IniProfile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    if (!IniText::storable(section, key, value)) return false;
    pending_.push_back({section, key, value});
    return true;
}

bool IniProfile::Flush() {
    std::vector<IniWrite> writes = std::move(pending_);
    pending_.clear();
    if (writes.empty()) return true;
    read_.reset();  // reads come before saves; a large file is not held twice
    const fs::path file = target(path_);
    std::optional<std::string> now = readFile(file);
    if (!now) return false;
    std::string updated = IniText(std::move(*now)).with(writes);
    return replaceFile(file, updated);
}

}  // namespace tc
