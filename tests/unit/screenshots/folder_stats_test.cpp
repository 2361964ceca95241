#include "screenshots/folder_stats.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "screenshots/screenshot_numbering.h"

namespace lumeq {
namespace {

// A folder tree in memory. Only the two patterns the search uses are understood.
class FakeTree : public FolderReader {
public:
    std::map<std::string, std::vector<FolderEntry>> folders;  // folder (with "\") -> entries
    std::set<std::string> directories;                        // full paths without "\"
    std::vector<std::string> searches;

    void AddFile(const std::string& folder, std::string name, std::uint64_t size) {
        folders[folder].push_back({std::move(name), size, std::nullopt, {}});
    }
    void AddFolder(const std::string& parent, const std::string& name) {
        folders[parent].push_back({name, 0, std::nullopt, {}});
        directories.insert(parent + name);
        folders[parent + name + "\\"];
    }
    std::vector<FolderEntry> List(const std::string& folder) override {
        searches.push_back(folder);
        auto found = folders.find(folder);
        if (found == folders.end()) return {};
        std::vector<FolderEntry> out = {{".", 0, std::nullopt, {}}, {"..", 0, std::nullopt, {}}};
        out.insert(out.end(), found->second.begin(), found->second.end());
        return out;
    }
    bool IsDirectory(const std::string& path) override { return directories.count(path) > 0; }
};

TEST(FolderSearch, CountsFilesInSubfoldersAndFoldersThatMatch) {
    FakeTree tree;
    const std::string root = "C:\\lumeq\\Screenshots\\";
    tree.folders[root];
    tree.AddFile(root, "screen_0.jpg", 1000);
    tree.AddFile(root, std::string("screen_1.jpg\0garbage", 20), 2000);
    tree.AddFile(root, "notes.txt", 5);
    tree.AddFolder(root, "old");
    tree.AddFolder(root, "x.jpg");
    tree.AddFile(root + "old\\", "screen_a.JPG", 300);
    // The system's search matches short names too: "shot.jpgx" is SHOT~1.JPG there.
    tree.folders[root].push_back({"shot.jpgx", 40, false, "SHOT~1.JPG"});
    tree.AddFile(root, "shot.jpeg", 7);
    // A junction back to the folder itself (or to C:\) is never searched.
    tree.folders[root].push_back({"loop", 0, true, {}, true});
    tree.folders[root + "loop\\"] = tree.folders[root];
    std::int64_t counter = 0;
    EXPECT_EQ(SumFolder(tree, "C:\\lumeq\\Screenshots", "*.jpg", counter), 3340u);
    EXPECT_EQ(counter, 5);  // two files, the short name, x.jpg as a file of size 0, one in old
    // Each folder once, its sub-folders after it.
    EXPECT_EQ(tree.searches, (std::vector<std::string>{root, root + "old\\", root + "x.jpg\\"}));
    EXPECT_TRUE(MatchesPattern("a.b.JpG", "*.jpg"));
    EXPECT_FALSE(MatchesPattern("jpg", "*.jpg"));
    EXPECT_TRUE(MatchesPattern("screen_12.jpg", "screen_??.jpg"));
}

TEST(FolderSearch, MissingFolderAndManyFiles) {
    FakeTree tree;
    std::int64_t counter = 0;
    EXPECT_EQ(SumFolder(tree, "C:\\nowhere\\", "*.jpg", counter), 0u);
    EXPECT_EQ(counter, 0);
    for (int i = 0; i < 40000; ++i) tree.AddFile("D:\\s\\", "f" + std::to_string(i) + ".jpg", 100000);
    EXPECT_EQ(SumFolder(tree, "D:\\s", "*.jpg", counter), 4'000'000'000u);
    EXPECT_EQ(counter, 40000);  // beyond 32767, beyond 2^31 bytes
}

TEST(FolderSearch, SizeTexts) {
    EXPECT_EQ(SizeText(0, "."), "00.0MB");
    EXPECT_EQ(SizeText(3'456'789, "."), "03.5MB");
    EXPECT_EQ(SizeText(3'456'789, ","), "03,5MB");
    EXPECT_EQ(SizeText(123'456'789, "."), "123.5MB");
    EXPECT_EQ(SizeText(50'000, "."), "00.1MB");  // a half rounds up
    EXPECT_EQ(SizeText(49'999, "."), "00.0MB");
    EXPECT_EQ(SizeText(4'000'000'000u, "."), "4000.0MB");
    EXPECT_EQ(SizeText(9'999'950'000u, ","), "10000,0MB");
}

TEST(FolderSearch, Captions) {
    EXPECT_EQ(WarningCountText(40), "La carpeta Screenshots contiene un total de:40 archivos");
    EXPECT_EQ(WarningSizeText("00.0MB"), "El tamaño total de los archivos es de: 00.0MB");
    EXPECT_EQ(FolderCaption("12", false), "Abrir carpeta (12)");
    EXPECT_EQ(FolderCaption("12", true), "Abrir carpeta (12) *");
    EXPECT_EQ(NewScreenshotsText(1), "1 nueva Screenshot");
    EXPECT_EQ(NewScreenshotsText(2), "2 nuevas Screenshots");
}

TEST(ScreenshotNumbering, TakesTheNextFreeNumberAndNeverReplacesAFile) {
    std::set<std::string> existing = {"18446744073709551615", "18446744073709551616"};
    std::vector<std::string> offered;
    auto create = [&](const std::string& number) {
        offered.push_back(number);
        return existing.insert(number).second ? CreateResult::Created : CreateResult::Exists;
    };
    Numbering taken = TakeFreeNumber("18446744073709551615", create);
    EXPECT_EQ(taken.used, "18446744073709551617");
    EXPECT_EQ(taken.next, "18446744073709551618");
    EXPECT_EQ(offered.size(), 3u);
    EXPECT_FALSE(existing.count("0"));  // never wrapped round onto screen_0.jpg

    // A failure saves nothing and keeps the counter where it stood.
    taken = TakeFreeNumber("4", [](const std::string&) { return CreateResult::Failed; });
    EXPECT_FALSE(taken.used);
    EXPECT_EQ(taken.next, "4");
    EXPECT_EQ(ScreenshotFileName("7"), "screen_7.jpg");
}

}  // namespace
}  // namespace lumeq
