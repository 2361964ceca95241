#pragma once
// The settings file as the program keeps it between reads and writes: the fields, the
// rules of what a read may change and what a write stores, and the two fields the
// window mirrors (the screenshot counter, the automatic-activation flag).
#include <functional>
#include <string>

#include "settings/settings_file.h"
#include "ui/main_view.h"

namespace lumeq {

class SettingsKeeper {
public:
    // `writeFailed` hears of every write that could not be made.
    SettingsKeeper(SettingsFileStore& store, MainView& main, std::function<void()> writeFailed)
        : m_store(store), m_main(main), m_writeFailed(std::move(writeFailed)) {}

    // funLeerConfig: the file read into the fields (the names are the caller's to show).
    void Read();
    // funGuardarConfig: a write the player did not ask for (a screenshot's counter) is
    // never made over a file that could not be read.
    void Write(bool askedByUser);

    const Settings& Fields() const { return m_fields; }
    Settings& Fields() { return m_fields; }
    SettingsMemory& Memory() { return m_memory; }
    // The flag as read (its text kept as it stands), or as the player set it.
    void SetActivationFlag(std::string flag);
    void SetAutomaticActivation(bool on) { SetActivationFlag(FlagText(on)); }
    void SetCounter(std::string counter);

private:
    SettingsFileStore& m_store;
    MainView& m_main;
    std::function<void()> m_writeFailed;
    SettingsMemory m_memory;
    Settings m_fields;
};

}  // namespace lumeq
