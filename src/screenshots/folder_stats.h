#pragma once
// Counting and sizing the screenshots folder, and the texts that report on it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumeq {

inline constexpr std::int64_t kWarningCount = 40;

struct FolderEntry {
    std::string name;  // as the file system reports it (may carry a NUL and garbage after it)
    std::uint64_t size = 0;
    std::optional<bool> directory;  // when the listing tells it; otherwise IsDirectory is asked
    std::string shortName;  // the 8.3 name where the file system keeps one apart
    // A junction or symbolic link: never searched, since it may lead back into the folder
    // (a loop) or to another drive.
    bool link = false;
};

// The file system as the recursive search sees it.
class FolderReader {
public:
    virtual ~FolderReader() = default;
    // Every entry of `folder` (ending in a separator), in the order the file system gives
    // them; nothing when the folder cannot be searched.
    virtual std::vector<FolderEntry> List(const std::string& folder) = 0;
    virtual bool IsDirectory(const std::string& path) = 0;
};

// The text up to its first NUL.
std::string CutAtNul(std::string_view text);

// A file name against a search pattern as the file system matches it: '*' any run of
// characters, '?' one, ASCII letters in either case.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// Total size of the entries matching `pattern` in `folder` and all its sub-folders;
// `counter` grows by one per match. A folder's own matches come before its sub-folders,
// and a folder whose name matches counts as a file. An entry matches by its name or by
// its short name, as the system's own search has it. Each folder is listed once; a
// junction or a link to a folder is counted by its name but never searched.
std::uint64_t SumFolder(FolderReader& reader, std::string folder, std::string_view pattern,
                                std::int64_t& counter);

// Millions of bytes with the picture "00.0" and the user's separator, then "MB".
std::string SizeText(std::uint64_t bytes, std::string_view decimalSeparator);

std::string WarningCountText(std::int64_t count);  // "La carpeta Screenshots contiene un total de:40 archivos"
std::string WarningSizeText(std::string_view sizeText);  // "El tamaño total de los archivos es de: 03.5MB"
std::string FolderCaption(std::string_view count, bool newScreenshots);  // "Abrir carpeta (12)" [+ " *"]
std::string NewScreenshotsText(std::int64_t taken);  // "1 nueva Screenshot", "2 nuevas Screenshots"

}  // namespace lumeq
