// Recount of 10,000 files in 100 folders by the portable search, over a real directory
// tree read with POSIX calls (the program reads it with FindFirstFile).
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

#include "screenshots/folder_stats.h"

namespace {

class PosixFolderReader : public lumeq::FolderReader {
public:
    // A listing with sizes, as FindFirstFile gives one.
    std::vector<lumeq::FolderEntry> List(const std::string& folder) override {
        std::vector<lumeq::FolderEntry> entries;
        DIR* handle = opendir(Posix(folder).c_str());
        if (!handle) return entries;
        while (dirent* entry = readdir(handle)) {
            struct stat info {};
            fstatat(dirfd(handle), entry->d_name, &info, 0);
            entries.push_back({entry->d_name, static_cast<std::uint64_t>(info.st_size), S_ISDIR(info.st_mode), {}});
        }
        closedir(handle);
        return entries;
    }
    bool IsDirectory(const std::string& path) override {
        struct stat info {};
        return stat(Posix(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }

private:
    static std::string Posix(std::string path) {
        for (char& c : path)
            if (c == '\\') c = '/';
        return path;
    }
};

std::filesystem::path MakeTenThousandFiles() {
    const auto root = std::filesystem::temp_directory_path() / "lumeq-bench-screenshots";
    std::filesystem::remove_all(root);
    for (int folder = 0; folder < 100; ++folder) {
        const auto dir = root / ("f" + std::to_string(folder));
        std::filesystem::create_directories(dir);
        for (int file = 0; file < 100; ++file) std::ofstream(dir / ("screen_" + std::to_string(file) + ".jpg")) << "x";
    }
    return root;
}

void BM_RecountTenThousandFiles(benchmark::State& state) {
    const auto root = MakeTenThousandFiles();
    PosixFolderReader reader;
    for (auto _ : state) {
        std::int64_t count = 0;
        benchmark::DoNotOptimize(lumeq::SumFolder(reader, root.string(), "*.jpg", count));
        if (count != 10000) state.SkipWithError("wrong count");
    }
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_RecountTenThousandFiles)->Unit(benchmark::kMillisecond);

// The floor: one walk over the tree that counts the ".jpg" names and adds their sizes.
std::int64_t FloorWalk(const std::filesystem::path& root) {
    std::int64_t count = 0;
    std::uint64_t total = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.path().extension() == ".jpg") ++count, total += entry.file_size();
    benchmark::DoNotOptimize(total);
    return count;
}

void BM_RecountFloor(benchmark::State& state) {
    const auto root = MakeTenThousandFiles();
    for (auto _ : state)
        if (FloorWalk(root) != 10000) state.SkipWithError("wrong count");
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_RecountFloor)->Unit(benchmark::kMillisecond);

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The pair itself: the search and the floor in turns over one tree, each pass's CPU time
// taken on its own, the median of each. Two benchmarks one after the other meet another
// tree and another state of the machine's caches; turns meet the same.
void BM_RecountPair(benchmark::State& state) {
    const auto root = MakeTenThousandFiles();
    PosixFolderReader reader;
    std::vector<double> ours, floor;
    for (auto _ : state) {
        double began = ThreadCpuMs();
        std::int64_t count = 0;
        benchmark::DoNotOptimize(lumeq::SumFolder(reader, root.string(), "*.jpg", count));
        ours.push_back(ThreadCpuMs() - began);
        began = ThreadCpuMs();
        if (FloorWalk(root) != 10000 || count != 10000) state.SkipWithError("wrong count");
        floor.push_back(ThreadCpuMs() - began);
    }
    state.counters["ours_ms"] = Median(ours);
    state.counters["floor_ms"] = Median(floor);
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_RecountPair)->Unit(benchmark::kMillisecond);

}  // namespace
