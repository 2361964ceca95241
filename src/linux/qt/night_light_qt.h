#pragma once
// KDE Plasma's Night Color, asked over the session bus to hold off while the boost is on
// (org.kde.KWin, /org/kde/KWin/NightLight inhibit and uninhibit; Plasma 5's /ColorCorrect
// the same). KWin ends the hold by itself when the program leaves the bus.
#include <QString>

#include <optional>

#include "gamma/engine_ports.h"

namespace lumeq {

class KWinNightLight : public NightLight {
public:
    KWinNightLight();
    void Hold(bool hold) override;

private:
    QString m_path;       // the object that answers, empty where there is no KWin
    QString m_interface;
    std::optional<unsigned> m_cookie;  // while held
};

}  // namespace lumeq
