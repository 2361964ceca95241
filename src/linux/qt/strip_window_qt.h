#pragma once
// The strip near the top left of the monitor where the game is, that tells the level:
// above every window, a full-screen game's included, and never taking the focus from it.
#include <QWidget>

#include <functional>

#include "indicator/indicator_view.h"

class QLabel;
class QScreen;

namespace lumeq {

class StripWindow : public IndicatorView {
public:
    StripWindow();
    ~StripWindow() override;
    StripWindow(const StripWindow&) = delete;
    StripWindow& operator=(const StripWindow&) = delete;

    void Show(std::string_view text) override;
    void Hide() override;
    // Which monitor the game is on (the active window's); the primary one without this.
    void SetScreenOfGame(std::function<QScreen*()> screenOfGame) { m_screenOfGame = std::move(screenOfGame); }

    bool IsShown() const;
    QString Text() const;
    QRect Geometry() const;

private:
    class Panel;
    Panel* m_window;  // top-level, owned here
    QLabel* m_stripText;
    std::function<QScreen*()> m_screenOfGame;
};

}  // namespace lumeq
