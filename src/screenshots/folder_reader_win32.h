#pragma once
#include "screenshots/folder_stats.h"

namespace lumeq {

// FindFirstFile / FindNextFile over the real file system; hidden and system files included.
class Win32FolderReader : public FolderReader {
public:
    std::vector<FolderEntry> Find(const std::string& folder, std::string_view pattern) override;
    bool IsDirectory(const std::string& path) override;
};

}  // namespace lumeq
