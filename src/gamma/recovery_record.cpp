#include "gamma/recovery_record.h"

#include <algorithm>
#include <iterator>

namespace lumeq {

namespace {
constexpr std::uint8_t kMagic[4] = {'L', 'Q', 'R', 'R'};
// Version 1 kept the displays by their place in the enumeration, version 2 by name.
constexpr std::uint32_t kVersionByPosition = 1;
constexpr std::uint32_t kVersion = 2;
constexpr std::uint32_t kMaxDisplays = 64;
constexpr std::uint64_t kMaxNameBytes = 256;

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
    bool TakeText(std::uint64_t length, std::string& text) {
        if (m_pos + length > m_bytes.size()) return false;
        text.assign(reinterpret_cast<const char*>(m_bytes.data() + m_pos), static_cast<std::size_t>(length));
        m_pos += static_cast<std::size_t>(length);
        return true;
    }
    bool TakeRamp(GammaRamp& ramp) {
        for (auto& entry : ramp.entries) {
            std::uint64_t value = 0;
            if (!Take(2, value)) return false;
            entry = static_cast<std::uint16_t>(value);
        }
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
    PutLittleEndian(out, record.displays.size(), 4);
    for (const CapturedDisplay& display : record.displays) {
        const std::string name = display.name.substr(0, kMaxNameBytes);
        PutLittleEndian(out, name.size(), 2);
        out.insert(out.end(), name.begin(), name.end());
        for (std::uint16_t entry : display.ramp.entries) PutLittleEndian(out, entry, 2);
    }
    return out;
}

std::optional<RecoveryRecord> ParseRecovery(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 4 || !std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin())) return std::nullopt;
    Reader reader(bytes.subspan(4));
    std::uint64_t version = 0, id = 0, start = 0, count = 0;
    if (!reader.Take(4, version) || (version != kVersion && version != kVersionByPosition) || !reader.Take(4, id) ||
        !reader.Take(8, start) || !reader.Take(4, count) || count == 0 || count > kMaxDisplays)
        return std::nullopt;
    RecoveryRecord record;
    record.processId = static_cast<std::uint32_t>(id);
    record.processStart = start;
    for (std::uint64_t display = 0; display < count; ++display) {
        CapturedDisplay captured;
        if (version == kVersionByPosition) {
            std::uint64_t flag = 0;
            if (!reader.Take(1, flag) || flag > 1) return std::nullopt;
            if (flag == 0) continue;  // nothing was captured there
            captured.position = static_cast<int>(display);
        } else {
            std::uint64_t length = 0;
            if (!reader.Take(2, length) || length == 0 || length > kMaxNameBytes ||
                !reader.TakeText(length, captured.name))
                return std::nullopt;
        }
        if (!reader.TakeRamp(captured.ramp)) return std::nullopt;
        record.displays.push_back(std::move(captured));
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
