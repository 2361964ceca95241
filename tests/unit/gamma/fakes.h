#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "gamma/engine_ports.h"

namespace lumeq::testing {

// A display that records what it was given and can be told to refuse.
struct FakeDisplay : DisplayRamp {
    GammaRamp current = IdentityRamp();
    bool readFails = false;
    bool refuseWrites = false;
    std::vector<GammaRamp> written;
    std::vector<std::string>* log = nullptr;

    bool Read(GammaRamp& ramp) override {
        if (readFails) return false;
        ramp = current;
        return true;
    }
    bool Write(const GammaRamp& ramp) override {
        written.push_back(ramp);
        if (log) log->push_back("display.Write");
        if (refuseWrites) return false;
        current = ramp;
        return true;
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
