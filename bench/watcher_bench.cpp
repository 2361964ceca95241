// Cost of one watcher tick (name selection, list rebuilt from the scan text, start and
// stop checks) against process lists of several sizes, with a fake process list.
#include <benchmark/benchmark.h>

#include "autoactivation/process_watcher.h"

namespace {

class FakeHost : public lumeq::WatcherSwitch {
public:
    explicit FakeHost(int count) {
        for (int i = 0; i < count; ++i) processes.push_back({"process" + std::to_string(i) + ".exe", 1000u + i});
        processes.push_back({"hl.exe", 4242});
    }
    std::string ListProcesses() override { return lumeq::ScanText(processes); }
    void Activate() override {}
    void Deactivate() override {}
    std::string NameBox(int index) const override { return index == 0 ? "hl.exe" : index == 3 ? "quake.exe" : ""; }
    std::vector<lumeq::ProcessEntry> processes;
};

void BM_WatcherTick(benchmark::State& state) {
    FakeHost host(static_cast<int>(state.range(0)));
    lumeq::ProcessWatcher watcher(host);
    watcher.Arm();
    watcher.OnWatcherTick();
    watcher.OnWatcherRearm();
    for (auto _ : state) watcher.OnWatcherTick();  // the game runs: list and stop check
}
BENCHMARK(BM_WatcherTick)->Arg(50)->Arg(500)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
