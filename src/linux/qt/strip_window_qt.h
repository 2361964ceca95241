#pragma once
// The strip near the top left of the monitor where the game is, that tells the level:
// above every window, a full-screen game's included, and never taking the focus from it.
#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

#include "indicator/indicator_view.h"

class QLabel;

namespace lumeq {

class StripWindow : public IndicatorView {
public:
    StripWindow();
    ~StripWindow() override;
    StripWindow(const StripWindow&) = delete;
    StripWindow& operator=(const StripWindow&) = delete;

    void Show(std::string_view text) override;
    void Hide() override;
    // Where the game is on the desktop (the middle of the active window): the strip shows on
    // that monitor; on the primary one without this, or where the game is nowhere to be seen.
    using GamePlace = std::function<std::optional<std::pair<int, int>>()>;
    void FollowGame(GamePlace gamePlace) { m_gamePlace = std::move(gamePlace); }

    bool IsShown() const;
    QString Text() const;
    QRect Geometry() const;

private:
    class Panel;
    Panel* m_window;  // top-level, owned here
    QLabel* m_stripText;
    GamePlace m_gamePlace;
};

}  // namespace lumeq
