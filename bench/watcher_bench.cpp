// Cost of one watcher tick (name selection, the process list taken, start and stop
// checks) against process lists of several sizes, with a fake process list.
#include <benchmark/benchmark.h>

#include "autoactivation/auto_activation.h"

namespace {

class FakeHost : public lumeq::ProcessList, public lumeq::BoostSwitch {
public:
    explicit FakeHost(int count) {
        for (int i = 0; i < count; ++i)
            processes.push_back({"process" + std::to_string(i) + ".exe", 1000u + static_cast<std::uint32_t>(i)});
        processes.push_back({"hl.exe", 4242});
    }
    std::vector<lumeq::ProcessEntry> ListProcesses() override { return processes; }
    void TurnOn() override {}
    void TurnOff() override {}
    std::array<std::string, 4> names{"hl.exe", "", "", "quake.exe"};
    std::vector<lumeq::ProcessEntry> processes;
};

void BM_WatcherTick(benchmark::State& state) {
    FakeHost host(static_cast<int>(state.range(0)));
    lumeq::ProcessWatcher watcher(host, host, host.names);
    watcher.Arm();
    watcher.OnWatcherTick();
    watcher.OnWatcherRearm();
    for (auto _ : state) watcher.OnWatcherTick();  // the game runs: list and stop check
}
BENCHMARK(BM_WatcherTick)->Arg(50)->Arg(500)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
