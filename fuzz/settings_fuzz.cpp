// The settings reader on any bytes, and what the program does with its values before
// they reach a window: it must not crash; every value must be fit to show (no control
// character, no U+02DC, within its bounds, valid all the way to UTF-16); and what it
// read must survive a write and a read unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/utf16.h"
#include "settings/settings_file.h"

namespace {
void CheckShowable(std::string_view value, std::size_t limit) {
    const std::u16string wide = lumeq::Utf16FromUtf8(value);
    if (wide.size() > 2 * limit) std::abort();
    for (char16_t c : wide)
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2DC) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    lumeq::Settings fields;
    lumeq::SettingsMemory memory;
    memory.AfterRead(lumeq::SettingsMemory::ReadResult::Read, content, fields);

    if (fields.screenshotCounter.empty() || fields.screenshotCounter.size() > lumeq::kMaxCounterDigits) std::abort();
    for (char c : fields.screenshotCounter)
        if (c < '0' || c > '9') std::abort();
    CheckShowable(fields.autoActivationFlag, lumeq::kMaxFlagLength);
    for (const std::string& name : fields.names) CheckShowable(name, lumeq::kMaxNameLength);

    const lumeq::Settings written = memory.ToWrite(fields);
    lumeq::Settings again;
    lumeq::ParseSettings(lumeq::FormatSettings(written), again);
    if (again != written) std::abort();
    return 0;
}
