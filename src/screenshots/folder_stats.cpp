#include "screenshots/folder_stats.h"

#include <cmath>

namespace lumeq {

std::string CutAtNul(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

namespace {
char FoldCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    return static_cast<char>(u >= 'a' && u <= 'z' ? u - 32 : u);
}
}  // namespace

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    // Iterative wildcard matching with one back-track point: linear in practice.
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t star = std::string_view::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::uint64_t SumFolder(FolderReader& reader, std::string folder, std::string_view pattern,
                                std::int64_t& counter) {
    if (folder.empty() || (folder.back() != '\\' && folder.back() != '/')) folder += '\\';
    std::vector<std::string> subfolders;
    std::uint64_t total = 0;
    for (const FolderEntry& entry : reader.List(folder)) {
        const std::string name = CutAtNul(entry.name);
        if (name == "." || name == "..") continue;
        if (MatchesPattern(name, pattern) || (!entry.shortName.empty() && MatchesPattern(entry.shortName, pattern))) {
            total += entry.size;
            ++counter;
        }
        if (!entry.link && (entry.directory ? *entry.directory : reader.IsDirectory(folder + name)))
            subfolders.push_back(name);
    }
    for (const std::string& name : subfolders) total += SumFolder(reader, folder + name + "\\", pattern, counter);
    return total;
}

std::string SizeText(std::uint64_t bytes, std::string_view decimalSeparator) {
    // Tenths of a million bytes, the half rounded away from zero.
    const std::uint64_t tenths = (bytes + 50'000) / 100'000;
    std::string whole = std::to_string(tenths / 10);
    if (whole.size() < 2) whole.insert(0, 2 - whole.size(), '0');
    return whole + std::string(decimalSeparator.empty() ? "." : decimalSeparator) + std::to_string(tenths % 10) +
           "MB";
}

std::string WarningCountText(std::int64_t count) {
    return "La carpeta Screenshots contiene un total de:" + std::to_string(count) + " archivos";
}

std::string WarningSizeText(std::string_view sizeText) {
    return "El tamaño total de los archivos es de: " + std::string(sizeText);
}

std::string FolderCaption(std::string_view count, bool newScreenshots) {
    return "Abrir carpeta (" + std::string(count) + (newScreenshots ? ") *" : ")");
}

std::string NewScreenshotsText(std::int64_t taken) {
    return std::to_string(taken) + (taken == 1 ? " nueva Screenshot" : " nuevas Screenshots");
}

}  // namespace lumeq
