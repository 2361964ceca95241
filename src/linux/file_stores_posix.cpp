#include "linux/file_stores_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

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

bool ReplaceFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    const std::string temporary = path + "~";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool ok = WriteAll(fd, data, size) && ::fsync(fd) == 0;
    ::close(fd);
    if (!ok || ::rename(temporary.c_str(), path.c_str()) != 0) {
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
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {errno == ENOENT ? WholeFile::Outcome::Missing : WholeFile::Outcome::Failed, {}};
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
        case WholeFile::Outcome::Read: return {Result::Read, std::move(file.bytes)};
        case WholeFile::Outcome::Missing: return {Result::Missing, {}};
        case WholeFile::Outcome::Failed: break;
    }
    return {Result::Failed, {}};
}

bool PosixSettingsFile::Write(const std::string& utf8Content) {
    return ReplaceFile(m_path, reinterpret_cast<const std::uint8_t*>(utf8Content.data()), utf8Content.size());
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

std::pair<std::int64_t, std::uint64_t> PosixScreenshotFolder::Count() {
    std::int64_t count = 0;
    std::uint64_t bytes = 0;
    CountIn(m_folder, count, bytes, 0);
    return {count, bytes};
}

}  // namespace lumeq
