#include "gamma/crash_record.h"

namespace lumeq {

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
    if (!record || Standing(*record) != RecordStanding::Ours) return std::nullopt;
    // Each display on its own: one that could be no display's ramp is never given back,
    // the others still are.
    CapturedDisplays plausible = PlausibleOnly(record->displays);
    if (plausible.empty()) return std::nullopt;
    m_adopted = record->owner;
    return plausible;
}

bool CrashRecord::Record(const CapturedDisplays& captured) {
    bool present = false;
    // A record another live run keeps is never written over.
    if (const auto record = Load(present); record && Standing(*record) == RecordStanding::OwnerRuns) return false;
    return m_storage.Save(SerializeRecovery({m_me, captured}));
}

void CrashRecord::Clear() {
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

}  // namespace lumeq
