#include "gamma/recovery_record.h"

#include <algorithm>
#include <iterator>

namespace lumeq {

namespace {
constexpr std::uint8_t kMagic[4] = {'L', 'Q', 'R', 'R'};
// Version 1 kept the displays by their place in the enumeration, version 2 by name, both
// at 256 entries; version 3 keeps each table at its display's own size, with the display
// server the record belongs to.
constexpr std::uint32_t kVersionByPosition = 1;
constexpr std::uint32_t kVersionByName = 2;
constexpr std::uint32_t kVersion = 3;
constexpr std::uint32_t kMaxDisplays = 64;
constexpr std::uint64_t kMaxTextBytes = 256;

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutText(std::vector<std::uint8_t>& out, const std::string& text) {
    const std::string cut = text.substr(0, kMaxTextBytes);
    PutLittleEndian(out, cut.size(), 2);
    out.insert(out.end(), cut.begin(), cut.end());
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
    // A text of at most kMaxTextBytes, empty allowed only where `mayBeEmpty`.
    bool TakeText(std::string& text, bool mayBeEmpty) {
        std::uint64_t length = 0;
        if (!Take(2, length) || length > kMaxTextBytes || (length == 0 && !mayBeEmpty)) return false;
        if (m_pos + length > m_bytes.size()) return false;
        text.assign(reinterpret_cast<const char*>(m_bytes.data() + m_pos), static_cast<std::size_t>(length));
        m_pos += static_cast<std::size_t>(length);
        return true;
    }
    bool TakeTable(int size, RampTable& table) {
        if (m_pos + static_cast<std::size_t>(size) * 6 > m_bytes.size()) return false;
        table = RampTable(size);
        for (auto& entry : table.entries) {
            std::uint64_t value = 0;
            Take(2, value);
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
    PutLittleEndian(out, record.owner.processId, 4);
    PutLittleEndian(out, record.owner.processStart, 8);
    PutText(out, record.owner.host);
    PutText(out, record.owner.bootId);
    PutText(out, record.owner.display);
    PutLittleEndian(out, record.displays.size(), 4);
    for (const CapturedDisplay& display : record.displays) {
        PutText(out, display.name);
        PutText(out, display.seat);
        PutLittleEndian(out, static_cast<std::uint64_t>(display.table.Size()), 2);
        for (std::uint16_t entry : display.table.entries) PutLittleEndian(out, entry, 2);
    }
    return out;
}

std::optional<RecoveryRecord> ParseRecovery(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 4 || !std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin())) return std::nullopt;
    Reader reader(bytes.subspan(4));
    std::uint64_t version = 0, id = 0, start = 0, count = 0;
    if (!reader.Take(4, version) ||
        (version != kVersion && version != kVersionByName && version != kVersionByPosition) ||
        !reader.Take(4, id) || !reader.Take(8, start))
        return std::nullopt;
    RecoveryRecord record;
    record.owner.processId = static_cast<std::uint32_t>(id);
    record.owner.processStart = start;
    if (version == kVersion && (!reader.TakeText(record.owner.host, true) ||
                                !reader.TakeText(record.owner.bootId, true) ||
                                !reader.TakeText(record.owner.display, true)))
        return std::nullopt;
    if (!reader.Take(4, count) || count == 0 || count > kMaxDisplays) return std::nullopt;
    for (std::uint64_t display = 0; display < count; ++display) {
        CapturedDisplay captured;
        int size = kRampEntries;
        if (version == kVersionByPosition) {
            std::uint64_t flag = 0;
            if (!reader.Take(1, flag) || flag > 1) return std::nullopt;
            if (flag == 0) continue;  // nothing was captured there
            captured.position = static_cast<int>(display);
        } else {
            if (!reader.TakeText(captured.name, false)) return std::nullopt;
            if (version == kVersion) {
                std::uint64_t entries = 0;
                if (!reader.TakeText(captured.seat, true) || !reader.Take(2, entries) || entries < 2 ||
                    entries > static_cast<std::uint64_t>(kMaxTableEntries))
                    return std::nullopt;
                size = static_cast<int>(entries);
            }
        }
        if (!reader.TakeTable(size, captured.table)) return std::nullopt;
        record.displays.push_back(std::move(captured));
    }
    if (!reader.AtEnd()) return std::nullopt;
    return record;
}

CapturedDisplays PlausibleOnly(const CapturedDisplays& displays) {
    CapturedDisplays plausible;
    std::copy_if(displays.begin(), displays.end(), std::back_inserter(plausible),
                 [](const CapturedDisplay& display) { return IsPlausibleOriginal(display.table); });
    return plausible;
}

RecordStanding StandingOf(const RunIdentity& owner, const RunIdentity& me, bool ownerRunning) {
    // Records of old, and the Windows edition's, name no server: they are the user's.
    const bool stamped = !owner.host.empty() || !owner.display.empty();
    if (stamped) {
        if (owner.host != me.host) return RecordStanding::OtherServer;
        if (!owner.bootId.empty() && owner.bootId != me.bootId) return RecordStanding::EarlierBoot;
        if (owner.display != me.display) return RecordStanding::OtherServer;
    }
    const bool isMe = owner.processId == me.processId && owner.processStart == me.processStart;
    return ownerRunning && !isMe ? RecordStanding::OwnerRuns : RecordStanding::Ours;
}

}  // namespace lumeq
