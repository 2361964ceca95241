#include "win32/folder_reader_win32.h"

#include <windows.h>

#include "win32/text_win32.h"
#include "win32/unique_handle_win32.h"

namespace lumeq {

std::vector<FolderEntry> Win32FolderReader::List(const std::string& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW data{};
    // One listing a folder, in large batches: it tells the sizes, which entries are
    // folders and the short names (which the pattern matches too), so nothing is asked
    // about again.
    UniqueFind search(FindFirstFileExW(Widen(folder + "*").c_str(), FindExInfoStandard, &data, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!search) return entries;
    do {
        data.cFileName[MAX_PATH - 1] = L'\0';
        data.cAlternateFileName[13] = L'\0';
        entries.push_back({Narrow(data.cFileName),
                           (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                           (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, Narrow(data.cAlternateFileName),
                           (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileW(search.Get(), &data));
    return entries;
}

bool Win32FolderReader::IsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace lumeq
