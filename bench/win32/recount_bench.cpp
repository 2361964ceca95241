// The recount of a screenshots folder, timed inside one process: the program's own search
// (SumFolder over the Win32 reader) beside the least a program could do, one
// FindFirstFileExW pass per folder that counts the "*.jpg" names. Both must agree.
//   recount_bench FOLDER RUNS   prints "ours MS COUNT BYTES" and "floor MS COUNT BYTES"
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "win32/text_win32.h"
#include "win32/folder_reader_win32.h"
#include "screenshots/folder_stats.h"

namespace {

bool EndsWithJpg(const wchar_t* name) {
    const std::size_t length = wcslen(name);
    if (length < 4) return false;
    const wchar_t* tail = name + length - 4;
    return tail[0] == L'.' && std::towlower(tail[1]) == L'j' && std::towlower(tail[2]) == L'p' &&
           std::towlower(tail[3]) == L'g';
}

void Floor(const std::wstring& folder, std::int64_t& count, std::uint64_t& bytes) {
    WIN32_FIND_DATAW data{};
    HANDLE search = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (wcscmp(data.cFileName, L".") == 0 || wcscmp(data.cFileName, L"..") == 0) continue;
        if (EndsWithJpg(data.cFileName)) {
            ++count;
            bytes += (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Floor(folder + L"\\" + data.cFileName, count, bytes);
    } while (FindNextFileW(search, &data));
    FindClose(search);
}

// The two take turns, run after run, so that a slow moment of the machine falls on both alike.
struct Counted {
    std::vector<double> times;
    std::int64_t files = 0;
    std::uint64_t bytes = 0;

    template <typename Count>
    void Run(Count count) {
        files = 0;
        bytes = 0;
        const double start = MillisecondsNow();
        count(files, bytes);
        times.push_back(MillisecondsNow() - start);
    }
    void Print(const char* name) {
        std::sort(times.begin(), times.end());
        std::printf("%s %.1f %lld %llu\n", name, times[times.size() / 2], static_cast<long long>(files),
                    static_cast<unsigned long long>(bytes));
    }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::wstring folder = argv[1];
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 9;
    Counted ours, floor;
    for (int run = 0; run < runs; ++run) {
        ours.Run([&](std::int64_t& files, std::uint64_t& bytes) {
            lumeq::Win32FolderReader reader;
            bytes = lumeq::SumFolder(reader, lumeq::Narrow(folder), "*.jpg", files);
        });
        floor.Run([&](std::int64_t& files, std::uint64_t& bytes) { Floor(folder, files, bytes); });
    }
    ours.Print("ours");
    floor.Print("floor");
    return 0;
}
