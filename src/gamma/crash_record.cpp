#include "gamma/crash_record.h"

#include <algorithm>
#include <iterator>
#include <utility>

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

namespace {
bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}
}  // namespace

std::string AttachedNameOf(const CapturedDisplay& display, const std::vector<std::string>& attached) {
    if (display.name.empty() && display.position >= 0 && display.position < static_cast<int>(attached.size()))
        return attached[static_cast<std::size_t>(display.position)];
    return display.name;
}

CapturedDisplay* MendSeat(DisplayRamp& displays, const std::string& newcomer, CapturedDisplays& owed,
                          const std::vector<std::string>& attached) {
    const std::string seat = displays.Seat(newcomer);
    if (seat.empty()) return nullptr;
    for (CapturedDisplay& display : owed) {
        if (display.seat != seat || Contains(attached, AttachedNameOf(display, attached))) continue;
        RampTable shown;
        if (!displays.Read(newcomer, shown) || !IsBoostTable(shown)) return nullptr;
        displays.Write(newcomer, OriginalToPutBack(display.table));
        display.seat.clear();
        return &display;
    }
    return nullptr;
}

PutBack PutBackCaptured(DisplayRamp& displays, const CapturedDisplays& captured) {
    const std::vector<std::string> attached = displays.Names();
    PutBack result;
    CapturedDisplays mended = captured;
    for (const std::string& name : attached) {
        const bool known = std::any_of(captured.begin(), captured.end(),
                                       [&](const CapturedDisplay& display) { return AttachedNameOf(display, attached) == name; });
        if (!known && MendSeat(displays, name, mended, attached)) result.mended = true;
    }
    for (const CapturedDisplay& display : mended) {
        const std::string name = AttachedNameOf(display, attached);
        if (!Contains(attached, name)) {
            result.owed.push_back(display);  // gone: owed until it comes back
        } else if (!displays.Write(name, OriginalToPutBack(display.table))) {
            result.owed.push_back(display);
            result.refused = true;
        }
    }
    return result;
}

bool GiveBackOwed(DisplayRamp& displays, CaptureJournal& journal) {
    const auto pending = journal.Pending();
    if (!pending) return true;
    const PutBack back = PutBackCaptured(displays, *pending);
    if (back.owed.empty())
        journal.Clear();
    else if (back.owed.size() != pending->size() || back.mended)
        journal.Record(back.owed);
    return !back.refused;
}

std::optional<RecoveryRecord> CrashRecord::Load(bool& present) {
    const auto bytes = m_storage.Load();
    present = bytes.has_value();
    return bytes ? ParseRecovery(*bytes) : std::nullopt;
}

RecordStanding CrashRecord::Standing(const RecoveryRecord& record) {
    const bool isMe = record.owner.processId == m_me.processId && record.owner.processStart == m_me.processStart;
    const bool running = !isMe && m_isRunning && m_isRunning(record.owner.processId, record.owner.processStart);
    return StandingOf(record.owner, m_me, running);
}

bool CrashRecord::IsOwnedHere(const RunIdentity& owner) const {
    auto same = [&](const RunIdentity& run) {
        return owner.processId == run.processId && owner.processStart == run.processStart;
    };
    return same(m_me) || (m_adopted && same(*m_adopted));
}

std::optional<CapturedDisplays> CrashRecord::Pending() {
    bool present = false;
    const auto record = Load(present);
    // What Record, which comes right after, would read again.
    m_ownerRunsJustRead = record && Standing(*record) == RecordStanding::OwnerRuns;
    if (!record || Standing(*record) != RecordStanding::Ours) return std::nullopt;
    // Each display on its own: one that could be no display's ramp is never given back,
    // the others still are.
    CapturedDisplays plausible = PlausibleOnly(record->displays);
    if (plausible.empty()) return std::nullopt;
    m_adopted = record->owner;
    return plausible;
}

bool CrashRecord::Record(const CapturedDisplays& captured) {
    // A record another live run keeps is never written over.
    bool ownerRuns = false;
    if (m_ownerRunsJustRead) {
        ownerRuns = *std::exchange(m_ownerRunsJustRead, std::nullopt);
    } else {
        bool present = false;
        const auto record = Load(present);
        ownerRuns = record && Standing(*record) == RecordStanding::OwnerRuns;
    }
    if (ownerRuns) return false;
    return m_storage.Save(SerializeRecovery({m_me, captured}));
}

void CrashRecord::Clear() {
    m_ownerRunsJustRead.reset();
    bool present = false;
    const auto record = Load(present);
    if (record && IsOwnedHere(record->owner)) m_storage.Remove();
}

bool CrashRecord::GiveBack(DisplayRamp& displays, const RecoveryRecord& record) {
    const PutBack back = PutBackCaptured(displays, record.displays);
    if (back.owed.empty())
        m_storage.Remove();
    else if (back.owed.size() != record.displays.size() || back.mended)
        m_storage.Save(SerializeRecovery({m_me, back.owed}));  // this run answers for the rest now
    return !back.refused;
}

CrashRecord::Recovery CrashRecord::RecoverAtStart(DisplayRamp& displays, bool straightLine) {
    Recovery outcome;
    bool present = false;
    const auto record = Load(present);
    if (!present) return outcome;
    if (!record) {
        m_storage.Remove();
        outcome.dropped = true;
        return outcome;
    }
    switch (Standing(*record)) {
        case RecordStanding::OtherServer:
        case RecordStanding::OwnerRuns: return outcome;
        case RecordStanding::EarlierBoot: m_storage.Remove(); return outcome;
        case RecordStanding::Ours: break;
    }
    // Each display on its own: a table that could be no display's ramp is dropped (and, where
    // asked, its display gets the straight line, for it may still be boosted); the others go
    // back.
    RecoveryRecord plausible{record->owner, PlausibleOnly(record->displays)};
    if (plausible.displays.size() != record->displays.size()) {
        outcome.dropped = true;
        if (straightLine) {
            const std::vector<std::string> attached = displays.Names();
            for (const CapturedDisplay& display : record->displays) {
                if (IsPlausibleOriginal(display.table)) continue;
                std::string name = display.name;
                if (name.empty() && display.position >= 0 && display.position < static_cast<int>(attached.size()))
                    name = attached[static_cast<std::size_t>(display.position)];
                RampTable current;
                if (displays.Read(name, current)) displays.Write(name, IdentityTable(current.Size()));
            }
        }
        if (plausible.displays.empty()) {
            m_storage.Remove();
            return outcome;
        }
        m_storage.Save(SerializeRecovery(plausible));
    }
    outcome.refused = !GiveBack(displays, plausible);
    return outcome;
}

void CrashRecord::RestoreOwn(DisplayRamp& displays) {
    bool present = false;
    const auto record = Load(present);
    if (!record || record->owner.processId != m_me.processId || record->owner.processStart != m_me.processStart) return;
    GiveBack(displays, *record);
}

CrashRecord::Recovery RecoverAtStart(DisplayRamp& displays, CrashRecord& record,
                                     const std::vector<RecordStorage*>& legacy, bool straightLine) {
    CrashRecord::Recovery outcome;
    auto add = [&outcome](const CrashRecord::Recovery& one) {
        outcome.refused = outcome.refused || one.refused;
        outcome.dropped = outcome.dropped || one.dropped;
    };
    for (RecordStorage* storage : legacy) add(record.On(*storage).RecoverAtStart(displays, straightLine));
    add(record.RecoverAtStart(displays, straightLine));
    return outcome;
}

}  // namespace lumeq
