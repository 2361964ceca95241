#pragma once
#include "screenshots/folder_stats.h"

namespace lumeq {

// FindFirstFile / FindNextFile over the real file system; hidden and system files included.
class Win32FolderReader : public FolderReader {
public:
    std::vector<FolderEntry> List(const std::string& folder) override;
    bool IsDirectory(const std::string& path) override;
};

}  // namespace lumeq
