#pragma once
#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "gamma/crash_record.h"
#include "gamma/engine_ports.h"

namespace lumeq::testing {

// One display's state: what it shows (a table of its own size), what it was given,
// whether it refuses, and the seat its ramp lives on.
struct FakeScreen {
    RampTable current = IdentityTable(kRampEntries);
    bool readFails = false;
    bool refuseWrites = false;
    // Windows keeps the last ramp it took and does nothing, saying yes, when it is given the
    // same again, even after a full-screen program reset the hardware behind its back.
    bool skipsRepeats = false;
    std::optional<RampTable> lastTaken;
    DisplayFitness fitness = DisplayFitness::TakesRamp;
    std::string seat;
    std::vector<RampTable> written;

    bool Read(RampTable& table) const {
        if (readFails) return false;
        table = current;
        return true;
    }
    bool Write(const RampTable& table) {
        written.push_back(table);
        if (refuseWrites) return false;
        if (skipsRepeats && lastTaken == table) return true;
        lastTaken = table;
        current = Resized(table, current.Size());
        return true;
    }
};

// The displays: "D0" is this object's own screen (the fields below, for the common
// one-display case); `extra` holds "D1", "D2", ... A name in `detached` is not attached
// now: it is not listed, and reads and writes fail.
struct FakeDisplay : DisplayRamp, FakeScreen {
    std::vector<FakeScreen> extra;
    std::string primary = "D0";
    std::set<std::string> detached;
    std::vector<std::string>* log = nullptr;

    static std::string NameOf(std::size_t i) { return "D" + std::to_string(i); }
    FakeScreen& Screen(std::size_t i) { return i == 0 ? static_cast<FakeScreen&>(*this) : extra[i - 1]; }
    FakeScreen* Find(const std::string& name) {
        for (std::size_t i = 0; i <= extra.size(); ++i)
            if (NameOf(i) == name && !detached.count(name)) return &Screen(i);
        return nullptr;
    }
    std::vector<std::string> Names() override {
        std::vector<std::string> names;
        for (std::size_t i = 0; i <= extra.size(); ++i)
            if (!detached.count(NameOf(i))) names.push_back(NameOf(i));
        return names;
    }
    std::string Primary() override { return primary; }
    bool Read(const std::string& name, RampTable& table) override {
        FakeScreen* screen = Find(name);
        return screen && screen->Read(table);
    }
    bool Write(const std::string& name, const RampTable& table) override {
        if (log) log->push_back("display.Write " + name);
        FakeScreen* screen = Find(name);
        return screen && screen->Write(table);
    }
    std::string Seat(const std::string& name) override {
        FakeScreen* screen = Find(name);
        return screen ? screen->seat : std::string();
    }
    DisplayFitness Fitness(const std::string& name) override {
        FakeScreen* screen = Find(name);
        return screen ? screen->fitness : DisplayFitness::TakesRamp;
    }
};

struct FakeStore : LevelStore {
    std::optional<std::string> value;
    std::vector<std::string> writes;
    std::vector<std::string>* log = nullptr;

    std::optional<std::string> Read() override { return value; }
    void Write(std::string_view text) override {
        value = std::string(text);
        writes.emplace_back(text);
        if (log) log->push_back("store.Write " + std::string(text));
    }
};

// The record's bytes in memory.
struct FakeRecordStorage : RecordStorage {
    std::optional<std::vector<std::uint8_t>> bytes;
    bool saveFails = false;
    int loads = 0;
    std::optional<std::vector<std::uint8_t>> Load() override {
        ++loads;
        return bytes;
    }
    bool Save(const std::vector<std::uint8_t>& saved) override {
        if (saveFails) return false;
        bytes = saved;
        return true;
    }
    void Remove() override { bytes.reset(); }
};

}  // namespace lumeq::testing
