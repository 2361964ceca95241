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
    result.exhausted = true;
    return result;
}

std::string ScreenshotFileName(std::string_view number) { return "screen_" + std::string(number) + ".jpg"; }

std::optional<std::string> ScreenshotNumberOf(std::string_view fileName) {
    constexpr std::string_view kPrefix = "screen_";
    if (fileName.size() <= kPrefix.size() + 4 || fileName.substr(0, kPrefix.size()) != kPrefix) return std::nullopt;
    const std::string_view extension = fileName.substr(fileName.size() - 4);
    auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); };
    if (extension[0] != '.' || lower(extension[1]) != 'j' || lower(extension[2]) != 'p' || lower(extension[3]) != 'g')
        return std::nullopt;
    const std::string_view digits = fileName.substr(kPrefix.size(), fileName.size() - kPrefix.size() - 4);
    for (const char c : digits)
        if (c < '0' || c > '9') return std::nullopt;
    return CounterDigits(digits);
}

std::optional<std::string> HighestScreenshotNumber(const std::vector<std::string>& fileNames) {
    std::optional<std::string> highest;
    for (const std::string& name : fileNames)
        if (const auto number = ScreenshotNumberOf(name)) highest = highest ? LaterCounter(*highest, *number) : *number;
    return highest;
}

}  // namespace lumeq
