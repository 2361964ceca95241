#include "linux/posix/state_files_posix.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "linux/posix/file_stores_posix.h"

namespace lumeq {

namespace {
constexpr std::size_t kMaxLevelBytes = 64;
// A record for 64 displays of 4096 entries is about 3 MB; anything larger is not ours.
constexpr std::size_t kMaxRecordBytes = 4u << 20;

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string FirstLine(std::string text) {
    text = text.substr(0, text.find('\n'));
    while (!text.empty() && text.back() == '\r') text.pop_back();
    return text;
}
}  // namespace

std::optional<std::string> FileLevelStore::Read() {
    WholeFile file = ReadWholeFile(m_path, kMaxLevelBytes);
    if (file.outcome != WholeFile::Outcome::Read) return std::nullopt;
    return FirstLine(std::move(file.bytes));
}

void FileLevelStore::Write(std::string_view text) {
    MakeFolders(FolderOf(m_path));
    std::string line(text);
    line += '\n';
    ReplaceFile(m_path, reinterpret_cast<const std::uint8_t*>(line.data()), line.size());
}

std::optional<std::vector<std::uint8_t>> FileRecordStorage::Load() {
    WholeFile file = ReadWholeFile(m_path, kMaxRecordBytes);
    switch (file.outcome) {
        case WholeFile::Outcome::Missing: return std::nullopt;
        case WholeFile::Outcome::Failed: return std::vector<std::uint8_t>();
        case WholeFile::Outcome::Read: break;
    }
    return std::vector<std::uint8_t>(file.bytes.begin(), file.bytes.end());
}

bool FileRecordStorage::Save(const std::vector<std::uint8_t>& bytes) {
    MakeFolders(FolderOf(m_path));
    return ReplaceFile(m_path, bytes.data(), bytes.size());
}

void FileRecordStorage::Remove() {
    // A record kept as a link goes as the link (never its target, which may be anything):
    // left there, its stale originals would come back at every start.
    struct stat info {};
    if (::lstat(m_path.c_str(), &info) == 0 && (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)))
        ::unlink(m_path.c_str());
}

std::optional<ProcessStat> ReadProcessStat(std::uint32_t processId, const std::string& procRoot) {
    const WholeFile file = ReadWholeFile(procRoot + "/" + std::to_string(processId) + "/stat", 4096);
    if (file.outcome != WholeFile::Outcome::Read) return std::nullopt;
    return ParseProcessStat(file.bytes);
}

bool IsRunRunning(std::uint32_t processId, std::uint64_t processStart, const std::string& procRoot) {
    const auto stat = ReadProcessStat(processId, procRoot);
    return stat && stat->state != 'Z' && stat->startTicks == processStart;
}

RunIdentity ThisRun(std::string displayIdentity, const std::string& procRoot) {
    RunIdentity run;
    run.processId = static_cast<std::uint32_t>(::getpid());
    if (const auto stat = ReadProcessStat(run.processId, procRoot)) run.processStart = stat->startTicks;
    char host[256] = {};
    if (::gethostname(host, sizeof(host) - 1) == 0) run.host = host;
    const WholeFile boot = ReadWholeFile(procRoot + "/sys/kernel/random/boot_id", 128);
    if (boot.outcome == WholeFile::Outcome::Read) run.bootId = FirstLine(boot.bytes);
    run.display = std::move(displayIdentity);
    return run;
}

std::optional<std::string> PrivateRuntimeFolder(const char* value) {
    if (!value || value[0] != '/') return std::nullopt;
    struct stat info {};
    if (::stat(value, &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid() || (info.st_mode & 077) != 0)
        return std::nullopt;
    return std::string(value);
}

std::optional<std::string> HomeFromPasswd() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    passwd entry {};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir ||
        found->pw_dir[0] != '/')
        return std::nullopt;
    return std::string(found->pw_dir);
}

bool IsUsersOwnFolder(const std::string& folder) {
    struct stat info {};
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & S_IWOTH) == 0;
}

SingleInstanceLock::SingleInstanceLock(const std::string& path) {
    MakeFolders(FolderOf(path));
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (m_fd < 0) {
        m_failure = path + ": " + std::strerror(errno);
        return;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
        m_state = State::Taken;
        return;
    }
    const int error = errno;
    m_state = error == EWOULDBLOCK ? State::Held : State::Failed;
    if (m_state == State::Failed) m_failure = path + ": " + std::strerror(error);
    ::close(m_fd);
    m_fd = -1;
}

SingleInstanceLock::~SingleInstanceLock() {
    if (m_fd >= 0) ::close(m_fd);
}

}  // namespace lumeq
