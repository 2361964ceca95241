#include "linux/state_files_posix.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <span>

#include "gamma/recovery_record.h"
#include "linux/file_stores_posix.h"

namespace lumeq {

namespace {
constexpr std::size_t kMaxStateBytes = 1 << 20;

std::optional<std::string> ReadBytes(const std::string& path, std::size_t maxBytes = kMaxStateBytes) {
    WholeFile file = ReadWholeFile(path, maxBytes);
    if (file.outcome != WholeFile::Outcome::Read) return std::nullopt;
    return std::move(file.bytes);
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}
}  // namespace

std::optional<std::string> FileLevelStore::Read() {
    auto text = ReadBytes(m_path, 64);
    if (!text) return std::nullopt;
    while (!text->empty() && (text->back() == '\n' || text->back() == '\r')) text->pop_back();
    return text;
}

void FileLevelStore::Write(std::string_view text) {
    MakeFolders(FolderOf(m_path));
    std::string line(text);
    line += '\n';
    ReplaceFile(m_path, reinterpret_cast<const std::uint8_t*>(line.data()), line.size());
}

std::optional<std::uint64_t> ProcessStartTime(std::uint32_t processId, const std::string& procRoot) {
    const auto read = ReadBytes(procRoot + "/" + std::to_string(processId) + "/stat");
    if (!read) return std::nullopt;
    const std::string& stat = *read;
    // After the name in parentheses (which may hold blanks and parentheses itself): the
    // state is field 3 and the start time field 22.
    auto at = stat.rfind(')');
    if (at == std::string::npos) return std::nullopt;
    for (int field = 2; field < 22; ++field) {
        at = stat.find(' ', at + 1);
        if (at == std::string::npos) return std::nullopt;
    }
    std::uint64_t ticks = 0;
    bool digits = false;
    for (std::size_t i = at + 1; i < stat.size() && stat[i] >= '0' && stat[i] <= '9'; ++i) {
        ticks = ticks * 10 + static_cast<std::uint64_t>(stat[i] - '0');
        digits = true;
    }
    return digits ? std::optional<std::uint64_t>(ticks) : std::nullopt;
}

void FileCaptureJournal::Record(const CapturedDisplays& captured) {
    RecoveryRecord record;
    record.processId = static_cast<std::uint32_t>(::getpid());
    record.processStart = ProcessStartTime(record.processId).value_or(0);
    record.displays = captured;
    const auto bytes = SerializeRecovery(record);
    MakeFolders(FolderOf(m_path));
    ReplaceFile(m_path, bytes.data(), bytes.size());
}

void FileCaptureJournal::Clear() { ::unlink(m_path.c_str()); }

bool RecoverDisplaysAfterCrash(DisplayRamp& displays, const std::string& recordPath) {
    const auto bytes = ReadBytes(recordPath);
    const auto record =
        bytes ? ParseRecovery(std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()))
              : std::nullopt;
    // The same id and start time: the program that wrote it runs still (an id reused
    // by another process has another start time).
    const bool ownerRunning =
        record && ProcessStartTime(record->processId) == std::optional<std::uint64_t>(record->processStart);
    switch (DecideRecovery(bytes.has_value(), record, ownerRunning)) {
        case RecoveryAction::RestoreAndDelete:
            if (!PutBackCaptured(displays, record->displays)) return false;
            ::unlink(recordPath.c_str());
            break;
        case RecoveryAction::Delete:
            ::unlink(recordPath.c_str());
            break;
        case RecoveryAction::LeaveIt:
        case RecoveryAction::None:
            break;
    }
    return true;
}

SingleInstanceLock::SingleInstanceLock(const std::string& path) {
    MakeFolders(FolderOf(path));
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        m_otherCopy = errno == EWOULDBLOCK;
        ::close(m_fd);
        m_fd = -1;
    }
}

SingleInstanceLock::~SingleInstanceLock() {
    if (m_fd >= 0) ::close(m_fd);
}

}  // namespace lumeq
