// What the registry (or the Linux edition's state folder) may hold for us, on any bytes:
// the stored level must end up on the slider's range with a ramp that is safe to show;
// the record parser must either reject the bytes or give back a record that writes out to
// the same bytes; and a record reaches a display only when every table in it could be a
// display's own ramp. Any table, at any size a server may report, resamples and
// estimates without fault.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "gamma/crash_record.h"
#include "gamma/ramps.h"
#include "gamma/boost_session.h"

namespace {

// A display that shows whatever it is given, and remembers it.
class Screen : public lumeq::DisplayRamp {
public:
    std::vector<lumeq::RampTable> written;
    std::vector<std::string> Names() override { return {"D0", "D1", ""}; }
    std::string Primary() override { return "D0"; }
    bool Read(const std::string&, lumeq::RampTable& table) override {
        table = lumeq::IdentityTable(256);
        return true;
    }
    bool Write(const std::string&, const lumeq::RampTable& table) override {
        written.push_back(table);
        return true;
    }
};

class Bytes : public lumeq::RecordStorage {
public:
    explicit Bytes(std::span<const std::uint8_t> data) : m_bytes(std::vector<std::uint8_t>(data.begin(), data.end())) {}
    std::optional<std::vector<std::uint8_t>> Load() override { return m_bytes; }
    bool Save(const std::vector<std::uint8_t>& bytes) override {
        m_bytes = bytes;
        return true;
    }
    void Remove() override { m_bytes.reset(); }

private:
    std::optional<std::vector<std::uint8_t>> m_bytes;
};

void CheckTable(const lumeq::RampTable& table, int size) {
    const lumeq::RampTable sized = lumeq::Resized(table, size);
    if (sized.Size() != size) std::abort();
    if (table.Size() > 0 && (sized.At(0, 0) != table.At(0, 0) || sized.At(2, size - 1) != table.At(2, table.Size() - 1)))
        std::abort();
    const int level = lumeq::LevelToLoad(std::nullopt, lumeq::EstimateLevel(lumeq::RampOf(table)));
    if (level < lumeq::kLevelMin || level > lumeq::kLevelMax) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int level = lumeq::LevelToLoad(lumeq::ParseStoredLevel(text), 40);
    if (level < lumeq::kLevelMin || level > lumeq::kLevelMax) std::abort();
    if (!lumeq::IsSafeRamp(lumeq::BuildRamp(lumeq::ExponentOfLevel(level)))) std::abort();

    const std::span<const std::uint8_t> bytes(data, size);
    const auto record = lumeq::ParseRecovery(bytes);
    if (record) {
        // Records of old (displays by place, 256 entries) are read but never written again.
        const bool current = !record->displays.empty() && record->displays.front().position < 0 &&
                             size > 8 && data[4] == 3;
        if (current) {
            const auto written = lumeq::SerializeRecovery(*record);
            if (written.size() != size || !std::equal(written.begin(), written.end(), data)) std::abort();
        }
        const int other = 2 + (size > 0 ? data[size - 1] * 64 : 0);
        for (const lumeq::CapturedDisplay& display : record->displays) CheckTable(display.table, other);
    }

    // Put back at start-up, as a dead run's record of this display: only a plausible one reaches
    // the displays, and then only with its own tables.
    Bytes storage(bytes);
    Screen screen;
    lumeq::CrashRecord(storage, {1, 1, "", "", ""}, nullptr).RecoverAtStart(screen, /*straightLine=*/false);
    if (!screen.written.empty()) {
        if (!record) std::abort();
        for (const lumeq::RampTable& table : screen.written)
            if (!lumeq::IsPlausibleOriginal(table)) std::abort();
    }
    return 0;
}
