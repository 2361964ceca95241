#pragma once
// A shell made of fakes: every port of the core, with a clock that fires the timers.
// The unit tests and the console shell (tests/shell) drive the real core through it.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fakes/display_fakes.h"
#include "app/activation.h"
#include "app/app_core.h"

namespace lumeq::testing {

// Timers on a clock of our own: Advance fires whatever falls due, in time order.
struct FakeTimers : Timers {
    std::map<TimerId, std::pair<long, unsigned>> running;  // next firing, period
    long now = 0;
    std::function<void(TimerId)> fire;

    void Start(TimerId timer, unsigned ms) override { running[timer] = {now + static_cast<long>(ms), ms}; }
    void Stop(TimerId timer) override { running.erase(timer); }
    bool IsRunning(TimerId timer) const { return running.count(timer) != 0; }
    void Advance(long ms) {
        const long end = now + ms;
        for (;;) {
            auto due = running.end();
            for (auto it = running.begin(); it != running.end(); ++it)
                if (it->second.first <= end && (due == running.end() || it->second.first < due->second.first)) due = it;
            if (due == running.end()) break;
            const TimerId timer = due->first;
            now = due->second.first;
            due->second.first += due->second.second;
            fire(timer);
        }
        now = end;
    }
};

struct FakeMainView : MainView {
    std::map<Field, std::string> fields;
    Rgb captions = kCaptionsOff;
    std::map<Command, bool> menus;
    std::string folderCaption;
    std::vector<WindowRequest> window;
    int popups = 0;
    std::vector<std::string>* log = nullptr;

    void SetField(Field field, std::string_view text) override { fields[field] = std::string(text); }
    void SetCaptionColour(Rgb colour) override {
        captions = colour;
        if (log) log->push_back("captions");
    }
    void SetMenuEntry(Command entry, bool enabled) override {
        menus[entry] = enabled;
        if (log) log->push_back("menu");
    }
    void SetFolderCaption(std::string_view caption) override { folderCaption = std::string(caption); }
    void Window(WindowRequest request) override { window.push_back(request); }
    void OpenPopup() override {
        ++popups;
        if (whilePopupOpen) std::exchange(whilePopupOpen, nullptr)();
    }
    // What runs inside the popup's modal loop (a timer of the window).
    std::function<void()> whilePopupOpen;
};

struct FakeIndicator : IndicatorView {
    std::vector<std::string> shown;
    bool visible = false;
    void Show(std::string_view text) override {
        shown.emplace_back(text);
        visible = true;
    }
    void Hide() override { visible = false; }
};

// The start-up's steps, as a shell takes them, written down in order.
struct FakeStartup : StartupShell {
    std::vector<std::string> steps;
    bool folderFound = true;
    bool folderMade = true;
    void RegisterHotKeys() override { steps.push_back("hot keys"); }
    void SizeAndPlace() override { steps.push_back("size and place"); }
    bool ScreenshotsFolderFound() override { return folderFound; }
    bool MakeScreenshotsFolder() override {
        steps.push_back("folder made");
        return folderMade;
    }
    void FirstRunBox() override { steps.push_back("first run box"); }
    void ShowMainWindow() override { steps.push_back("shown"); }
};

struct FakePanels : PanelsView {
    bool checked = false;
    bool otherProgramsEnabled = false;
    std::array<std::string, 4> names;
    bool activationShown = false;
    bool programsShown = false;
    void SetChecked(bool c) override { checked = c; }
    void EnableOtherPrograms(bool e) override { otherProgramsEnabled = e; }
    void SetNames(const std::array<std::string, 4>& n) override { names = n; }
    void ShowAutoActivationPanel(bool shown) override { activationShown = shown; }
    void ShowProgramsPanel(bool shown) override { programsShown = shown; }
};

struct FakeScreenshotsView : ScreenshotsView {
    std::string count;
    std::string warning;
    void ShowCount(std::string_view text) override { count = std::string(text); }
    void ShowWarning(std::string_view countText, std::string_view sizeText) override {
        warning = std::string(countText) + " / " + std::string(sizeText);
    }
    void HideWarning() override { warning.clear(); }
};

// A folder of screenshots in memory.
struct FakeScreenshotStore : ScreenshotStore {
    std::map<std::string, std::vector<std::uint8_t>> files;
    bool captureFails = false;
    bool writeFails = false;
    std::optional<std::vector<std::uint8_t>> Capture() override {
        if (captureFails) return std::nullopt;
        return std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF, 0xE0};
    }
    CreateResult CreateNew(const std::string& name, const std::vector<std::uint8_t>& bytes) override {
        if (writeFails) return CreateResult::Failed;
        return files.emplace(name, bytes).second ? CreateResult::Created : CreateResult::Exists;
    }
    std::pair<std::int64_t, std::uint64_t> Count() override {
        std::uint64_t total = 0;
        for (const auto& [name, bytes] : files) total += bytes.size();
        return {static_cast<std::int64_t>(files.size()), total};
    }
    std::vector<std::string> Names() override {
        std::vector<std::string> names;
        for (const auto& [name, bytes] : files) names.push_back(name);
        return names;
    }
};

struct FakeSettingsFile : SettingsFileStore {
    std::optional<std::string> text;  // nothing: no file
    bool readFails = false;
    bool writeFails = false;
    std::vector<std::string> writes;
    Content Read() override {
        if (readFails) return {SettingsMemory::ReadResult::Failed, {}};
        if (!text) return {SettingsMemory::ReadResult::Missing, {}};
        return {SettingsMemory::ReadResult::Read, *text};
    }
    bool Write(const std::string& content) override {
        if (writeFails) return false;
        text = content;
        writes.push_back(content);
        return true;
    }
};

struct FakeProcesses : ProcessList {
    std::vector<ProcessEntry> running{{"explorer.exe", 32}, {"services.exe", 40}};
    // What waits in the window's queue while the list is read (the Windows shell lets it run).
    std::function<void()> whileListing;
    std::vector<ProcessEntry> ListProcesses() override {
        if (whileListing) std::exchange(whileListing, nullptr)();
        return running;
    }
};

// Every port, and the core on top of them.
struct FakeShell {
    FakeTimers timers;
    FakeMainView main;
    FakeIndicator indicator;
    FakePanels panels;
    FakeScreenshotsView screenshotsView;
    FakeScreenshotStore screenshots;
    FakeSettingsFile settings;
    FakeDisplay display;
    FakeStore levelStore;
    FakeProcesses processes;
    FakeRecordStorage recordStorage;
    CrashRecord journal{recordStorage, RunIdentity{7, 70, "host", "boot", ":0"},
                        [](std::uint32_t, std::uint64_t) { return false; }};
    AppCore core{AppPorts{timers, main, indicator, panels, screenshotsView, screenshots, settings, display,
                          levelStore, &journal, nullptr, processes},
                 "."};

    explicit FakeShell(std::optional<std::string> settingsFile = std::nullopt) {
        settings.text = std::move(settingsFile);
        timers.fire = [this](TimerId timer) { core.OnTimer(timer); };
    }
    FakeStartup startup;
    // The start-up, as the core leads it.
    void Start() { core.StartUp(startup); }
    std::string Field(lumeq::Field field) { return main.fields[field]; }
};

inline std::string SettingsText(const char* counter, const char* flag, std::array<const char*, 4> names) {
    Settings fields;
    fields.screenshotCounter = counter;
    fields.autoActivationFlag = flag;
    for (std::size_t i = 0; i < 4; ++i) fields.names[i] = names[i];
    return FormatSettings(fields);
}

}  // namespace lumeq::testing
