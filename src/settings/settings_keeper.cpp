#include "settings/settings_keeper.h"

namespace lumeq {

void SettingsKeeper::Read() {
    const SettingsFileStore::Content read = m_store.Read();
    Settings fields = m_fields;
    m_memory.AfterRead(read.result, read.text, fields);
    SetCounter(fields.screenshotCounter);
    SetActivationFlag(fields.autoActivationFlag);
    m_fields.names = fields.names;
}

void SettingsKeeper::Write(bool askedByUser) {
    if (!askedByUser && !m_memory.MayWriteUnasked()) return;
    const Settings stored = m_memory.ToWrite(m_fields);
    // A failed write leaves the previous file whole.
    if (m_store.Write(FormatSettings(stored)))
        m_memory.Written(stored);
    else if (m_writeFailed)
        m_writeFailed();
}

void SettingsKeeper::SetActivationFlag(std::string flag) {
    m_fields.autoActivationFlag = std::move(flag);
    m_main.SetField(Field::AutoActivationFlag, m_fields.autoActivationFlag);
}

void SettingsKeeper::SetCounter(std::string counter) {
    m_fields.screenshotCounter = std::move(counter);
    m_main.SetField(Field::ScreenshotCounter, m_fields.screenshotCounter);
}

}  // namespace lumeq
