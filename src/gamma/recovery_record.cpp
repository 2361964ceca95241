#include "gamma/recovery_record.h"

#include <algorithm>
#include <iterator>

namespace lumeq {

namespace {
constexpr std::uint8_t kMagic[4] = {'L', 'Q', 'R', 'R'};
constexpr std::uint32_t kVersion = 1;
constexpr std::uint32_t kMaxDisplays = 64;

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    bool Take(int bytes, std::uint64_t& value) {
        if (m_pos + static_cast<std::size_t>(bytes) > m_bytes.size()) return false;
        value = 0;
        for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint64_t>(m_bytes[m_pos++]) << (8 * i);
        return true;
    }
    bool AtEnd() const { return m_pos == m_bytes.size(); }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};
}  // namespace

std::vector<std::uint8_t> SerializeRecovery(const RecoveryRecord& record) {
    std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
    PutLittleEndian(out, kVersion, 4);
    PutLittleEndian(out, record.processId, 4);
    PutLittleEndian(out, record.processStart, 8);
    PutLittleEndian(out, record.ramps.size(), 4);
    for (const auto& ramp : record.ramps) {
        out.push_back(ramp ? 1 : 0);
        if (ramp)
            for (std::uint16_t entry : ramp->entries) PutLittleEndian(out, entry, 2);
    }
    return out;
}

std::optional<RecoveryRecord> ParseRecovery(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 4 || !std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin())) return std::nullopt;
    Reader reader(bytes.subspan(4));
    std::uint64_t version = 0, id = 0, start = 0, count = 0;
    if (!reader.Take(4, version) || version != kVersion || !reader.Take(4, id) || !reader.Take(8, start) ||
        !reader.Take(4, count) || count == 0 || count > kMaxDisplays)
        return std::nullopt;
    RecoveryRecord record;
    record.processId = static_cast<std::uint32_t>(id);
    record.processStart = start;
    for (std::uint64_t display = 0; display < count; ++display) {
        std::uint64_t flag = 0;
        if (!reader.Take(1, flag) || flag > 1) return std::nullopt;
        if (flag == 0) {
            record.ramps.emplace_back();
            continue;
        }
        GammaRamp ramp;
        for (auto& entry : ramp.entries) {
            std::uint64_t value = 0;
            if (!reader.Take(2, value)) return std::nullopt;
            entry = static_cast<std::uint16_t>(value);
        }
        record.ramps.emplace_back(ramp);
    }
    if (!reader.AtEnd()) return std::nullopt;
    return record;
}

RecoveryAction DecideRecovery(bool present, const std::optional<RecoveryRecord>& record, bool ownerRunning) {
    if (!present) return RecoveryAction::None;
    if (!record) return RecoveryAction::Delete;
    return ownerRunning ? RecoveryAction::LeaveIt : RecoveryAction::RestoreAndDelete;
}

}  // namespace lumeq
