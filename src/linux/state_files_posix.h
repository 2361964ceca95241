#pragma once
// The Linux edition's small state files: the stored level, the record of the ramps to
// give back while the boost is on (so that a kill -9 is mended at the next start), and
// the lock that keeps a second copy from running.
#include <optional>
#include <string>
#include <string_view>

#include "gamma/engine_ports.h"

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

// The captured ramps, written before any boosted ramp is set and removed once they are
// back, stamped with this process's id and start time.
class FileCaptureJournal : public CaptureJournal {
public:
    explicit FileCaptureJournal(std::string path) : m_path(std::move(path)) {}
    void Record(const CapturedDisplays& captured) override;
    void Clear() override;

private:
    std::string m_path;
};

// At start-up: a record left by a run that is gone puts its ramps back and goes; one
// whose program still runs is left alone. False when a display refused its ramp (the
// record stays for the next start).
bool RecoverDisplaysAfterCrash(DisplayRamp& displays, const std::string& recordPath);

// When the process with that id started, in clock ticks since boot; nothing when it
// does not run.
std::optional<std::uint64_t> ProcessStartTime(std::uint32_t processId, const std::string& procRoot = "/proc");

// Held for the life of the program: a second copy cannot take it.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const std::string& path);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;
    // True only when another copy holds it: a lock that cannot be made at all (no
    // writable folder) does not keep the player from the program.
    bool OtherCopyRuns() const { return m_otherCopy; }

private:
    int m_fd = -1;
    bool m_otherCopy = false;
};

}  // namespace lumeq
