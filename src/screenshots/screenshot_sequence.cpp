#include "screenshots/screenshot_sequence.h"

#include "screenshots/folder_stats.h"

namespace lumeq {

namespace {
constexpr unsigned kHotKeyShotDelayMs = 50;
constexpr unsigned kMenuShotDelayMs = 250;
constexpr char kNotSaved[] = "Screenshot no guardada";
}  // namespace

void ScreenshotSequence::Start() {
    SetTaken(0);
    RecountFolder();
    m_ports.main.SetFolderCaption(FolderCaption(std::to_string(m_count), false));
    m_ports.main.SetField(Field::LevelCaption, "");
}

void ScreenshotSequence::TakeScreenshot() { m_ports.timers.Start(TimerId::ScreenshotDelay, kHotKeyShotDelayMs); }

void ScreenshotSequence::ScreenshotFromMenu() {
    m_ports.timers.Start(TimerId::ScreenshotDelay, kMenuShotDelayMs);
}

void ScreenshotSequence::OnScreenshotDelay() {
    m_ports.timers.Stop(TimerId::ScreenshotDelay);
    const std::string counter = m_ports.settings.Fields().screenshotCounter;
    Numbering numbering{std::nullopt, counter};
    if (const auto jpeg = m_ports.store.Capture()) {
        auto create = [&](const std::string& number) {
            return m_ports.store.CreateNew(ScreenshotFileName(number), *jpeg);
        };
        numbering = TakeFreeNumber(counter, create);
        // A long run of taken numbers: on from the highest one in the folder, so that a
        // capture always finds a free name.
        if (numbering.exhausted)
            if (const auto highest = HighestScreenshotNumber(m_ports.store.Names()))
                numbering = TakeFreeNumber(NextCounter(*highest), create);
    }
    if (!numbering.used) {
        // Nothing saved: the counter stays, and the player is told.
        m_ports.view.ShowCount(kNotSaved);
        return;
    }
    m_ports.settings.SetCounter(numbering.next);
    m_ports.settings.Memory().CounterUsed(numbering.next);
    m_ports.settings.Write(false);
    SetTaken(m_taken + 1);
    m_ports.view.ShowCount(NewScreenshotsText(m_taken));
    RecountFolder();
    m_ports.main.SetFolderCaption(FolderCaption(std::to_string(m_count), true));
}

void ScreenshotSequence::SetTaken(std::int64_t taken) {
    m_taken = taken;
    m_ports.main.SetField(Field::NewScreenshots, std::to_string(taken));
}

void ScreenshotSequence::RecountFolder() {
    const auto [count, total] = m_ports.store.Count();
    m_count = count;
    m_ports.main.SetField(Field::FolderFileCount, std::to_string(count));
    if (count < kWarningCount) return;
    const std::string size = SizeText(total, m_decimalSeparator);
    m_ports.main.SetField(Field::FolderSizeText, size);
    m_ports.view.ShowWarning(WarningCountText(count), WarningSizeText(size));
    m_warned();
}

}  // namespace lumeq
