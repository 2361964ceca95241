#pragma once
// The banner that fills the main window: a click on it (or on the name below it) opens
// the product's site.
#include <QWidget>

#include <functional>

namespace lumeq {

class Banner : public QWidget {
public:
    Banner(QWidget* parent, std::function<void()> clicked) : QWidget(parent), m_clicked(std::move(clicked)) {}

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_clicked;
};

}  // namespace lumeq
