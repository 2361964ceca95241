#pragma once
// "lumeq.ini": a header line, six values one per line, "//End". The reader and the
// writer move all six values at once.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace lumeq {

inline constexpr char kSettingsHeader[] = "NO ELIMINAR MODIFICAR O MOVER ESTE ARCHIVO";
inline constexpr char kSettingsEnd[] = "//End";
// What "Aceptar" puts into the name boxes when automatic activation is switched off.
inline constexpr char kNameSentinel[] = "DESACTIVAR.actualizar";

// A real settings file is a few hundred bytes; a larger one is not ours to read.
inline constexpr std::size_t kMaxSettingsBytes = 64 * 1024;
// A watched name is an executable's file name, as the process list gives it (without
// its folder, at most 259 characters).
inline constexpr std::size_t kMaxNameLength = 259;
inline constexpr std::size_t kMaxFlagLength = 16;
inline constexpr std::size_t kMaxCounterDigits = 40;

struct Settings {
    std::string screenshotCounter = "0";          // line 2: number of the next screenshot
    std::string autoActivationFlag = "False";   // line 3: automatic activation
    std::array<std::string, 4> names;      // lines 4 to 7: the four name boxes

    bool operator==(const Settings&) const = default;
};

// The stored flag as the program reads it: only the exact text "False" is off (a file of
// an earlier version may hold anything there).
inline bool AutomaticActivationOn(const Settings& settings) { return settings.autoActivationFlag != "False"; }
// What a flag the program sets is stored as.
inline const char* FlagText(bool on) { return on ? "True" : "False"; }

// Reads lines 2 to 7 into `fields`, each value exactly as it stands (blanks kept). A line
// ends at CR, CR LF or LF. A file with fewer lines fills the fields it has and leaves
// the others as they were; the header and everything after line 7 are not looked at.
void ParseSettings(std::string_view content, Settings& fields);

// Makes what a file held fit for the window and the system (the values are UTF-8):
// the counter becomes its decimal number (as Val reads it, at most 40 digits); the flag
// and the names lose control characters (C0, DEL, C1), malformed bytes and U+02DC, and
// are cut to their bounds. U+02DC (small tilde, byte 0x98 of code page 1252) faults
// Wine 8's edit control inside gdi32; no program's file name carries it.
void SanitizeSettings(Settings& fields);

// All eight lines, each ended by CR LF.
std::string FormatSettings(const Settings& fields);

// The decimal number of a counter field, as Val reads it: blanks skipped, then the
// leading digits without leading zeros ("0" for none), at most 40 of them.
std::string CounterDigits(std::string_view text);
// The counter plus one, in decimal: it never wraps.
std::string NextCounter(std::string_view digits);
// The larger of two counters (both as CounterDigits gives them).
std::string LaterCounter(std::string_view a, std::string_view b);

// What the program knows of its settings file between reads and writes, and the rules
// for what a read may change and what a write stores.
class SettingsMemory {
public:
    enum class ReadResult {
        Read,     // `content` is the whole file
        Missing,  // there is no file: the fields keep their values
        Failed,   // a file that could not be read whole (locked, cut short, too large)
    };

    // Applies a read to `fields`. A read file gives its values, made safe; the counter
    // never goes below a number this run already used. Otherwise the fields keep what
    // they hold, except that a name box never keeps the sentinel: it gets the name
    // last known for it.
    void AfterRead(ReadResult result, std::string_view content, Settings& fields);

    // "Aceptar": the automatic-activation flag that every write stores from now on.
    void Confirm(bool automaticActivation);
    // A capture took the counter's number: the next one is `next`, whatever a read says.
    void CounterUsed(std::string_view next) { m_counterFloor = LaterCounter(m_counterFloor, next); }

    // What a write stores: the fields, but the flag as last confirmed (or as the file
    // had it at start-up), the names last known where the boxes hold the sentinel, and
    // never a counter below one already used.
    Settings ToWrite(const Settings& fields) const;
    void Written(const Settings& stored) { m_namesLastRead = stored.names; }

    // False after a file that exists could not be read: a write the user did not ask for
    // (a screenshot's) would put defaults over it.
    bool MayWriteUnasked() const { return !m_unreadable; }

private:
    std::array<std::string, 4> m_namesLastRead;
    std::string m_confirmedFlag = "False";
    bool m_flagKnown = false;
    std::string m_counterFloor = "0";
    bool m_unreadable = false;
};

// The settings file beside the program, as the core sees it.
class SettingsFileStore {
public:
    virtual ~SettingsFileStore() = default;
    struct Content {
        SettingsMemory::ReadResult result;
        std::string text;  // UTF-8, when read
    };
    virtual Content Read() = 0;
    // Replaces the whole file in one step; false when it could not.
    virtual bool Write(const std::string& utf8Content) = 0;
};

}  // namespace lumeq
