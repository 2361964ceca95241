#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "gamma/engine_ports.h"

namespace lumeq::testing {

// One display's state: what it shows, what it was given, whether it refuses.
struct FakeScreen {
    GammaRamp current = IdentityRamp();
    bool readFails = false;
    bool refuseWrites = false;
    std::vector<GammaRamp> written;

    bool Read(GammaRamp& ramp) const {
        if (readFails) return false;
        ramp = current;
        return true;
    }
    bool Write(const GammaRamp& ramp) {
        written.push_back(ramp);
        if (refuseWrites) return false;
        current = ramp;
        return true;
    }
};

// The displays: display 0 is this object's own screen (the fields below, for the
// common one-display case); `extra` holds displays 1, 2, ...
struct FakeDisplay : DisplayRamp, FakeScreen {
    std::vector<FakeScreen> extra;
    int primary = 0;
    std::vector<std::string>* log = nullptr;

    FakeScreen& Screen(int i) { return i == 0 ? static_cast<FakeScreen&>(*this) : extra[static_cast<std::size_t>(i - 1)]; }
    int Count() override { return 1 + static_cast<int>(extra.size()); }
    int Primary() override { return primary; }
    bool Read(int display, GammaRamp& ramp) override { return Screen(display).Read(ramp); }
    bool Write(int display, const GammaRamp& ramp) override {
        if (log) log->push_back("display.Write " + std::to_string(display));
        return Screen(display).Write(ramp);
    }
};

struct FakeStore : LevelStore {
    std::optional<std::string> value;
    std::vector<std::string> writes;
    std::vector<std::string>* log = nullptr;

    std::optional<std::string> Read() override { return value; }
    void Write(std::string_view text) override {
        value = std::string(text);
        writes.emplace_back(text);
        if (log) log->push_back("store.Write " + std::string(text));
    }
};

// Holds its position inside its range, like a trackbar.
struct FakeSlider : Slider {
    int minimum = 0, maximum = 50, position = 40, tick = 1;
    bool enabled = true;

    void SetRangeMin(int m) override { minimum = m; position = std::max(position, m); }
    void SetRangeMax(int m) override { maximum = m; position = std::min(position, m); }
    void SetTickFrequency(int f) override { tick = f; }
    void SetPosition(int p) override { position = std::clamp(p, minimum, maximum); }
    int Position() const override { return position; }
    void Disable() override { enabled = false; }
};

}  // namespace lumeq::testing
