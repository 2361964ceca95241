#include "screenshots/screenshot_numbering.h"

#include "settings/settings_file.h"

namespace lumeq {

Numbering TakeFreeNumber(std::string_view counter, const std::function<CreateResult(const std::string&)>& create,
                         int attempts) {
    Numbering result{std::nullopt, CounterDigits(counter)};
    for (int attempt = 0; attempt < attempts; ++attempt) {
        switch (create(result.next)) {
            case CreateResult::Created:
                result.used = result.next;
                result.next = NextCounter(result.next);
                return result;
            case CreateResult::Exists:
                result.next = NextCounter(result.next);
                break;
            case CreateResult::Failed:
                return result;
        }
    }
    return result;
}

std::string ScreenshotFileName(std::string_view number) { return "screen_" + std::string(number) + ".jpg"; }

}  // namespace lumeq
