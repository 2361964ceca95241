#pragma once
// The strip at the top left of the screen that tells the level: above every window, a
// full-screen game's included, and never taking the focus from it.
#include <QWidget>

#include "indicator/indicator_view.h"

class QLabel;
class QTimer;

namespace lumeq {

class FormIndicador : public IndicatorView {
public:
    FormIndicador();
    ~FormIndicador() override;
    FormIndicador(const FormIndicador&) = delete;
    FormIndicador& operator=(const FormIndicador&) = delete;

    void ShowText(std::string_view text) override;

    bool IsShown() const;
    QString Text() const;
    QRect Geometry() const;

private:
    QWidget* m_window;  // top-level, owned here
    QLabel* m_Label1;
    QTimer* m_Timer1;
};

}  // namespace lumeq
