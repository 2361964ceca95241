// What the Linux edition reads of other programs, on any bytes: /proc's stat line and a
// process's names never fault, a name never carries a folder, and a settings file in code
// page 1252 comes back byte for byte after its trip through UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "autoactivation/process_names.h"
#include "autoactivation/auto_activation.h"
#include "settings/code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto stat = lumeq::ParseProcessStat(text)) {
        if (text.find(std::string(1, stat->state), text.rfind(')')) == std::string_view::npos) std::abort();
    }
    const std::size_t split = size > 0 ? data[0] % (size + 1) : 0;
    for (const std::string& name : lumeq::ProcessNames(text.substr(0, split), text.substr(split))) {
        if (name.empty() || name.size() > size) std::abort();
    }
    // Names as data: whatever bytes a process is named with, a watched name finds only a
    // process whose name begins with it.
    const std::vector<lumeq::ProcessEntry> entries = {{std::string(text.substr(0, split)), 7},
                                                      {std::string(text.substr(split)), 8}};
    if (lumeq::IsListed(entries, "hl.exe") &&
        !lumeq::StartsWithIgnoringCase(entries[0].name, "hl.exe") && !lumeq::StartsWithIgnoringCase(entries[1].name, "hl.exe"))
        std::abort();
    const std::string utf8 = lumeq::Utf8FromCp1252(text);
    if (!lumeq::IsUtf8(utf8) || lumeq::Cp1252FromUtf8(utf8) != text) std::abort();
    if (lumeq::IsUtf8(text)) (void)lumeq::Cp1252FromUtf8(text);
    return 0;
}
