#pragma once
// The Linux edition's small state files: the stored level, the record of the ramps to
// give back (so that a kill -9 is mended at the next start), and the locks that keep a
// second copy from running.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "gamma/crash_record.h"
#include "autoactivation/process_names.h"

namespace lumeq {

// The level as text in a file of its own ("44").
class FileLevelStore : public LevelStore {
public:
    explicit FileLevelStore(std::string path) : m_path(std::move(path)) {}
    std::optional<std::string> Read() override;
    void Write(std::string_view text) override;

private:
    std::string m_path;
};

// The record in a file of its own. Only a regular file is read, replaced or removed:
// anything else in its place (a folder, a FIFO, a device) is left as it is.
class FileRecordStorage : public RecordStorage {
public:
    explicit FileRecordStorage(std::string path) : m_path(std::move(path)) {}
    std::optional<std::vector<std::uint8_t>> Load() override;
    bool Save(const std::vector<std::uint8_t>& bytes) override;
    void Remove() override;

private:
    std::string m_path;
};

// This run, as a record names it: its process, the machine, this boot, and the display.
RunIdentity ThisRun(std::string displayIdentity, const std::string& procRoot = "/proc");
// Whether the process with that id and start time still runs; a zombie has ended.
bool IsRunRunning(std::uint32_t processId, std::uint64_t processStart, const std::string& procRoot = "/proc");
std::optional<ProcessStat> ReadProcessStat(std::uint32_t processId, const std::string& procRoot = "/proc");

// $XDG_RUNTIME_DIR when it is an absolute folder of this user that nobody else may enter
// (the place for a lock); nothing otherwise.
std::optional<std::string> PrivateRuntimeFolder(const char* value);

// The user's home folder as the password database names it: HOME may be unset (a service,
// `env -i`), and a guess such as /tmp is a folder any user can plant files in.
std::optional<std::string> HomeFromPasswd();
// Whether `folder` is a folder (not a link) of this user that nobody else may write to: the
// only kind where the user's settings, level and record may live. Another user's folder,
// or one all may write to, could hold links to the player's own files or a lock that keeps
// the program from starting.
bool IsUsersOwnFolder(const std::string& folder);

// An exclusive lock held for the life of the program: a second copy cannot take it.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const std::string& path);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    enum class State { Taken, Held, Failed };
    // Held when another copy holds it; Failed when it could not be made or taken at all
    // (the reason in Failure()).
    State Outcome() const { return m_state; }
    const std::string& Failure() const { return m_failure; }

private:
    int m_fd = -1;
    State m_state = State::Failed;
    std::string m_failure;
};

}  // namespace lumeq
