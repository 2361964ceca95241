// The Linux edition's files: the settings, the pictures, the record and the locks, whatever
// another user or program left in their places.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "gamma/crash_record.h"
#include "linux/posix/file_stores_posix.h"
#include "linux/posix/state_files_posix.h"
#include "settings/code_page.h"
#include "settings/xdg_paths.h"

namespace lumeq {
namespace {

using namespace std::string_literals;

TEST(PosixFileStores, NeverReplaceAPictureAndNeverReadMoreThanASettingsFile) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "lumeq-posix-stores";
    fs::remove_all(root);
    PosixScreenshotFolder shots((root / "Pictures" / "lumeq").string(), nullptr);
    EXPECT_EQ(shots.CreateNew("screen_0.jpg", {1, 2, 3}), CreateResult::Created);  // the folders are made
    EXPECT_EQ(shots.CreateNew("screen_0.jpg", {9}), CreateResult::Exists);
    fs::create_directories(root / "Pictures" / "lumeq" / "old" / "x.JPG");
    EXPECT_EQ(shots.Count(), (std::pair<std::int64_t, std::uint64_t>{2, 3}));  // a folder named so counts too

    PosixSettingsFile settings((root / "lumeq.ini").string());
    EXPECT_EQ(settings.Read().result, SettingsMemory::ReadResult::Missing);
    EXPECT_TRUE(settings.Write("NO ELIMINAR\r\n7\r\n"));
    EXPECT_EQ(settings.Read().text, "NO ELIMINAR\r\n7\r\n");
    std::ofstream(root / "lumeq.ini", std::ios::binary) << std::string(kMaxSettingsBytes + 1, 'x');
    EXPECT_EQ(settings.Read().result, SettingsMemory::ReadResult::Failed);
    fs::remove_all(root);
}

TEST(PosixFiles, HostileFileTypesArePassedOverAndNeverWrittenOver) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("lumeq-hostile-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "folder.ini");
    ASSERT_EQ(::mkfifo((root / "fifo.ini").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", root / "zero.ini");
    for (const char* name : {"folder.ini", "fifo.ini", "zero.ini"}) {
        SCOPED_TRACE(name);
        PosixSettingsFile settings((root / name).string());
        EXPECT_EQ(settings.Read().result, SettingsMemory::ReadResult::Failed);  // at once, a FIFO too
        EXPECT_FALSE(settings.Write("NO ELIMINAR\r\n"));
        FileRecordStorage record((root / name).string());
        EXPECT_EQ(record.Load(), std::optional<std::vector<std::uint8_t>>(std::vector<std::uint8_t>()));
        record.Remove();
        // A record kept as a link goes as the link, never what it names.
        EXPECT_EQ(fs::exists(fs::symlink_status(root / name)), std::string(name) != "zero.ini");
        EXPECT_EQ(FileLevelStore((root / name).string()).Read(), std::nullopt);
    }
    EXPECT_TRUE(fs::is_fifo(root / "fifo.ini"));
    fs::remove_all(root);
}

TEST(PosixFiles, ReplacingNeverFollowsAPlantedTemporaryAndWritesThroughALink) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("lumeq-replace-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "dotfiles");
    std::ofstream(root / "canary") << "keep me";
    fs::create_symlink(root / "canary", root / "lumeq.ini~");  // the fixed temporary of old
    PosixSettingsFile settings((root / "lumeq.ini").string());
    EXPECT_TRUE(settings.Write("NO ELIMINAR\r\n7\r\n"));
    std::ifstream canary(root / "canary");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(canary), {}), "keep me");
    EXPECT_EQ(settings.Read().text, "NO ELIMINAR\r\n7\r\n");

    // A link kept by a dotfile manager stays a link; its target gets the text and keeps its mode.
    std::ofstream(root / "dotfiles" / "lumeq.ini") << "old";
    fs::permissions(root / "dotfiles" / "lumeq.ini", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("dotfiles/lumeq.ini", root / "linked.ini");
    PosixSettingsFile linked((root / "linked.ini").string());
    EXPECT_TRUE(linked.Write("new"));
    EXPECT_TRUE(fs::is_symlink(root / "linked.ini"));
    std::ifstream target(root / "dotfiles" / "lumeq.ini");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(target), {}), "new");
    EXPECT_EQ(fs::status(root / "dotfiles" / "lumeq.ini").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    std::size_t leftovers = 0;
    for (const auto& folder : {root, root / "dotfiles"})
        for (const auto& entry : fs::directory_iterator(folder)) leftovers += entry.path().filename().string()[0] == '.';
    EXPECT_EQ(leftovers, 0u) << "no temporary left behind";
    fs::remove_all(root);
}

TEST(PosixFiles, TheWindowsEditionsFileKeepsItsLettersBothWays) {
    namespace fs = std::filesystem;
    const fs::path path = fs::temp_directory_path() / ("lumeq-cp1252-" + std::to_string(::getpid()) + ".ini");
    const std::string windows = "NO ELIMINAR\r\n0\r\nTrue\r\nCa\xF1on.exe\r\n\r\n\r\n\r\n//End\r\n";
    std::ofstream(path, std::ios::binary) << windows;
    PosixSettingsFile settings(path.string());
    const auto read = settings.Read();
    EXPECT_NE(read.text.find("Cañon.exe"), std::string::npos);
    EXPECT_TRUE(settings.Write(read.text));
    std::ifstream back(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(back), {}), windows) << "written back as it was read";
    fs::remove(path);
}

TEST(PosixLocks, ARuntimeFolderCountsOnlyWhenItIsPrivate) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("lumeq-runtime-" + std::to_string(::getpid()));
    fs::create_directories(root);
    fs::permissions(root, fs::perms::owner_all);
    EXPECT_EQ(PrivateRuntimeFolder(root.c_str()), std::optional<std::string>(root.string()));
    fs::permissions(root, fs::perms::owner_all | fs::perms::others_exec);
    EXPECT_EQ(PrivateRuntimeFolder(root.c_str()), std::nullopt);
    EXPECT_EQ(PrivateRuntimeFolder("relative/run"), std::nullopt);
    EXPECT_EQ(PrivateRuntimeFolder(nullptr), std::nullopt);

    const SingleInstanceLock first((root / "a.lock").string());
    const SingleInstanceLock second((root / "a.lock").string());
    EXPECT_EQ(first.Outcome(), SingleInstanceLock::State::Taken);
    EXPECT_EQ(second.Outcome(), SingleInstanceLock::State::Held);
    fs::create_directories(root / "b.lock");  // a folder where the lock should be
    const SingleInstanceLock failed((root / "b.lock").string());
    EXPECT_EQ(failed.Outcome(), SingleInstanceLock::State::Failed);
    EXPECT_NE(failed.Failure().find("b.lock"), std::string::npos);
    fs::remove_all(root);
}

TEST(RecordFile, OneForEachMachineAndDisplay) {
    EXPECT_EQ(DisplayIdentity(":0.0", false), ":0");
    EXPECT_EQ(DisplayIdentity("localhost:10.0", false), "localhost:10");
    EXPECT_EQ(DisplayIdentity("host.example.org:1", false), "host.example.org:1");
    EXPECT_EQ(DisplayIdentity(":0", true), ":0/wayland");
    EXPECT_EQ(DisplayIdentity("", false), "");
    EXPECT_EQ(RecordFileName("gamebox", ":0"), "captured-ramps@gamebox_0");
    EXPECT_EQ(RecordFileName("a/b", ":0/wayland"), "captured-ramps@a_b_0_wayland");
    EXPECT_EQ(ColonRecordFileName("gamebox", ":0"), "captured-ramps@gamebox:0");
}

}  // namespace
}  // namespace lumeq
