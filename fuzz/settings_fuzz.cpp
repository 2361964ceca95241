// The settings reader on any bytes: it must not crash, and what it read must survive a
// write and a read unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    lumeq::Settings fields;
    lumeq::ParseSettings(content, fields);
    const lumeq::Settings written = lumeq::SettingsToWrite(fields, fields.names);
    lumeq::Settings again;
    lumeq::ParseSettings(lumeq::FormatSettings(written), again);
    if (again.screenText != written.screenText || again.txtActivacion != written.txtActivacion ||
        again.names != written.names)
        std::abort();
    return 0;
}
