#include "indicator/indicator_strip.h"

namespace lumeq {

std::string IndicatorText(std::string_view levelText, bool refused) {
    std::string text = refused ? "lumeq Gamma      La pantalla no acepta " : "lumeq Gamma      La gamma actual es ";
    text += levelText;
    return text;
}

namespace {
// A display as the player knows it: Windows' "\\.\DISPLAY2" is "DISPLAY2".
std::string DisplayCalled(std::string_view name) {
    constexpr std::string_view kDevicePrefix = "\\\\.\\";
    if (name.substr(0, kDevicePrefix.size()) == kDevicePrefix) name.remove_prefix(kDevicePrefix.size());
    return name.empty() ? "La pantalla" : "La pantalla " + std::string(name);
}
}  // namespace

std::string NoticeText(Notice notice, std::string_view who) {
    switch (notice) {
        case Notice::OtherRamp:
            return "lumeq Gamma      " + std::string(who) + " cambia la gamma: lumeq gamma le cede la pantalla";
        case Notice::RestoreFailed: return "lumeq Gamma      La pantalla no recuperó su gamma";
        case Notice::RecordDropped: return "lumeq Gamma      Gamma guardada no válida: descartada";
        case Notice::RecordNotKept: return "lumeq Gamma      No se pudo guardar la gamma original";
        case Notice::SettingsNotSaved: return "lumeq Gamma      No se pudo guardar lumeq.ini";
        case Notice::OutputHeld:
            return "lumeq Gamma      " + std::string(who) + " no deja cambiar su gamma (otro programa la tiene)";
        case Notice::Hdr: return "lumeq Gamma      " + DisplayCalled(who) + " tiene HDR: la gamma no puede aclararla";
        case Notice::NoRamp: return "lumeq Gamma      " + DisplayCalled(who) + " no admite cambios de gamma";
    }
    return {};
}

std::uint32_t IndicatorPanelPixel(int x, int y, int width, int height) {
    if (x == 0 && y == 0) return 0x9F9F9F;
    if (x == width - 1 || y == height - 1) return 0x282E22;
    if (x == 0 || y == 0) return 0x889180;
    return 0x4C5844;
}

namespace {
constexpr unsigned kHideAfterMs = 8000;
}  // namespace

void IndicatorStrip::Show(std::string_view text) {
    m_view.Show(text);
    m_timers.Start(TimerId::StripHide, kHideAfterMs);
}

void IndicatorStrip::OnStripHide() {
    m_view.Hide();
    m_timers.Stop(TimerId::StripHide);
}

void IndicatorStrip::Tell(Notice notice, std::string_view detail, bool silently) {
    if (!m_told.insert(notice).second || silently) return;
    Show(NoticeText(notice, detail));
}

}  // namespace lumeq
