// What the registry may hold for us, on any bytes: the stored level must end up on the
// slider's range with a ramp that is safe to show, and the crash record parser must
// either reject the bytes or give back a record that writes out to the same bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "gamma/gamma_ramp.h"
#include "gamma/recovery_record.h"
#include "gamma/stored_level.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int level = lumeq::LevelToLoad(lumeq::ParseStoredLevel(text), 40);
    if (level < lumeq::kLevelMin || level > lumeq::kLevelMax) std::abort();
    if (!lumeq::IsSafeRamp(lumeq::BuildRamp(lumeq::ExponentOfLevel(level)))) std::abort();

    const std::span<const std::uint8_t> bytes(data, size);
    if (const auto record = lumeq::ParseRecovery(bytes)) {
        // Records of old (displays by place) are read but never written again.
        if (record->displays.empty() || record->displays.front().position >= 0) return 0;
        const auto written = lumeq::SerializeRecovery(*record);
        if (written.size() != size || !std::equal(written.begin(), written.end(), data)) std::abort();
    }
    return 0;
}
