#pragma once
// Which number the next screenshot file takes: a capture never replaces a file.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumeq {

enum class CreateResult { Created, Exists, Failed };

struct Numbering {
    std::optional<std::string> used;  // the number of the file made, nothing when none was
    std::string next;                 // the counter after it
    bool exhausted = false;           // every number tried was taken
};

// Offers `create` the numbers from `counter` on (as CounterDigits reads it) until it makes
// a new file: a number whose file exists is passed over, a failure ends the attempt.
// At most `attempts` numbers are tried.
Numbering TakeFreeNumber(std::string_view counter, const std::function<CreateResult(const std::string&)>& create,
                         int attempts = 1000);

// "screen_7.jpg"
std::string ScreenshotFileName(std::string_view number);
// The number of a "screen_N.jpg" file (any case of the extension), as CounterDigits
// gives it; nothing for any other name.
std::optional<std::string> ScreenshotNumberOf(std::string_view fileName);
// The highest number among file names; nothing when none is a screenshot's.
std::optional<std::string> HighestScreenshotNumber(const std::vector<std::string>& fileNames);

}  // namespace lumeq
