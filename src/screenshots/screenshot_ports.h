#pragma once
// Where screenshots come from and go to, and what the main window shows of them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "screenshots/screenshot_numbering.h"

namespace lumeq {

class ScreenshotStore {
public:
    virtual ~ScreenshotStore() = default;
    // The screen as a JPEG file's bytes, and a copy on the clipboard; nothing on failure.
    virtual std::optional<std::vector<std::uint8_t>> Capture() = 0;
    // A new file of that name in the screenshots folder (made again when missing); an
    // existing file is never replaced (Exists).
    virtual CreateResult CreateNew(const std::string& fileName, const std::vector<std::uint8_t>& bytes) = 0;
    // The "*.jpg" entries of the folder and its sub-folders: how many, and their bytes.
    virtual std::pair<std::int64_t, std::uint64_t> Count() = 0;
    // The names of the files in the folder itself.
    virtual std::vector<std::string> Names() = 0;
};

// The screenshot count over the banner, and the folder warning panel.
class ScreenshotsView {
public:
    virtual ~ScreenshotsView() = default;
    virtual void ShowCount(std::string_view text) = 0;
    virtual void ShowWarning(std::string_view countText, std::string_view sizeText) = 0;
    virtual void HideWarning() = 0;
};

}  // namespace lumeq
