#include "linux/posix/file_stores_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "settings/code_page.h"

namespace lumeq {

namespace {
bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

void MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0755);
        if (slash == std::string::npos) break;
    }
}

namespace {
// The mode a new file gets: what the user's umask leaves of rw-rw-rw-, as open(2) would
// give it (a user with umask 077 keeps every file private).
mode_t NewFileMode() {
    // Read without changing it: umask(2) can only be read by setting it.
    const WholeFile status = ReadWholeFile("/proc/self/status", 1 << 16);
    const std::size_t at = status.bytes.find("\nUmask:");
    if (at != std::string::npos) {
        const mode_t mask = static_cast<mode_t>(std::strtoul(status.bytes.c_str() + at + 7, nullptr, 8));
        return 0666 & ~mask;
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

// Where a write to `path` goes: a link of the user's own (dotfile managers keep lumeq.ini
// in a repository of theirs) is written through to the file it names, even one not made
// yet. A link somebody else owns is nobody's to follow: nothing.
std::optional<std::string> WriteTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    if (info.st_uid != ::geteuid()) return std::nullopt;
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
        std::string target = resolved;
        std::free(resolved);
        return target;
    }
    char link[PATH_MAX] = {};
    const ssize_t length = ::readlink(path.c_str(), link, sizeof(link) - 1);
    if (length <= 0) return path;
    const std::string named(link, static_cast<std::size_t>(length));
    if (named.front() == '/') return named;
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? named : path.substr(0, slash + 1) + named;
}
}  // namespace

bool ReplaceFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    const std::optional<std::string> followed = WriteTarget(path);
    if (!followed) return false;
    const std::string& target = *followed;
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // Never over a folder, a FIFO or a device in the file's place.
    if (exists && !S_ISREG(existing.st_mode)) return false;
    // A temporary of a name nobody can guess, made where none was (never through a link
    // somebody planted), then renamed over the file in one step.
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temporary = folder + "." + base + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    const mode_t mode = exists ? (existing.st_mode & 07777) : NewFileMode();
    const bool ok = WriteAll(fd, data, size) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !ok || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

namespace {
bool EndsWithJpg(const std::string& name) {
    if (name.size() < 4 || name[name.size() - 4] != '.') return false;
    auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); };
    return lower(name[name.size() - 3]) == 'j' && lower(name[name.size() - 2]) == 'p' && lower(name.back()) == 'g';
}

void CountIn(const std::string& folder, std::int64_t& count, std::uint64_t& bytes, int depth) {
    DIR* listing = ::opendir(folder.c_str());
    if (!listing) return;
    std::vector<std::string> subfolders;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const bool matches = EndsWithJpg(name);
        // The listing's own type spares a look at every entry that is not a picture.
        bool isFolder = entry->d_type == DT_DIR;
        if (matches || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            if (::fstatat(::dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
            isFolder = S_ISDIR(info.st_mode);
            // A folder whose name matches counts as a file too, as FindFirstFile has it.
            if (matches) {
                ++count;
                if (S_ISREG(info.st_mode)) bytes += static_cast<std::uint64_t>(info.st_size);
            }
        }
        if (isFolder && depth < 64) subfolders.push_back(folder + "/" + name);
    }
    ::closedir(listing);
    for (const std::string& path : subfolders) CountIn(path, count, bytes, depth + 1);
}
}  // namespace

WholeFile ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    // Without waiting (a FIFO in the file's place would hold the program for ever), and
    // only a regular file: a folder, a FIFO, a socket or a device (a link to /dev/zero) is
    // no file of ours.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return {errno == ENOENT ? WholeFile::Outcome::Missing : WholeFile::Outcome::Failed, {}};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {WholeFile::Outcome::Failed, {}};
    }
    WholeFile file{WholeFile::Outcome::Read, {}};
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) file.outcome = WholeFile::Outcome::Failed;
        if (got <= 0) break;
        file.bytes.append(buffer, static_cast<std::size_t>(got));
        if (file.bytes.size() > maxBytes) {
            file.outcome = WholeFile::Outcome::Failed;
            break;
        }
    }
    ::close(fd);
    if (file.outcome != WholeFile::Outcome::Read) file.bytes.clear();
    return file;
}

SettingsFileStore::Content PosixSettingsFile::Read() {
    using Result = SettingsMemory::ReadResult;
    WholeFile file = ReadWholeFile(m_path, kMaxSettingsBytes);
    switch (file.outcome) {
        case WholeFile::Outcome::Read:
            // The Windows edition's file (code page 1252) is read as it was written, and
            // written back the same way.
            m_cp1252 = !IsUtf8(file.bytes);
            return {Result::Read, m_cp1252 ? Utf8FromCp1252(file.bytes) : std::move(file.bytes)};
        case WholeFile::Outcome::Missing: return {Result::Missing, {}};
        case WholeFile::Outcome::Failed: break;
    }
    return {Result::Failed, {}};
}

bool PosixSettingsFile::Write(const std::string& utf8Content) {
    const std::string bytes = m_cp1252 ? Cp1252FromUtf8(utf8Content) : utf8Content;
    return ReplaceFile(m_path, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

CreateResult PosixScreenshotFolder::CreateNew(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
    MakeFolders(m_folder);
    const std::string path = m_folder + "/" + fileName;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return errno == EEXIST ? CreateResult::Exists : CreateResult::Failed;
    const bool ok = WriteAll(fd, bytes.data(), bytes.size());
    if (::close(fd) != 0 || !ok) {
        ::unlink(path.c_str());  // never leave half a picture behind
        return CreateResult::Failed;
    }
    return CreateResult::Created;
}

std::vector<std::string> PosixScreenshotFolder::Names() {
    std::vector<std::string> names;
    if (DIR* listing = ::opendir(m_folder.c_str())) {
        while (const dirent* entry = ::readdir(listing)) names.emplace_back(entry->d_name);
        ::closedir(listing);
    }
    return names;
}

std::pair<std::int64_t, std::uint64_t> PosixScreenshotFolder::Count() {
    std::int64_t count = 0;
    std::uint64_t bytes = 0;
    CountIn(m_folder, count, bytes, 0);
    return {count, bytes};
}

}  // namespace lumeq
