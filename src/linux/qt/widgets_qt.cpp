#include "linux/qt/widgets_qt.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <vector>

namespace lumeq {

namespace {
QString Qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
}  // namespace

std::map<QString, QWidget*> MakePanel(QWidget* parent, const PanelLayout& plan, const TwipsLayout& layout) {
    QWidget* panel = nullptr;
    if (plan.caption.empty()) {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel = frame;
    } else {
        panel = new QGroupBox(Qs(plan.caption), parent);
    }
    panel->setObjectName(Qs(plan.name));
    panel->setAutoFillBackground(true);
    const QRect area = layout.Rect(plan.rect.left, plan.rect.top, plan.rect.width, plan.rect.height);
    std::map<QString, QWidget*> made;
    std::vector<FittedControl> fitted;
    std::vector<QWidget*> widgets;
    for (const ControlLayout& control : plan.controls) {
        QWidget* widget = nullptr;
        switch (control.kind) {
            case ControlKind::WrappingLabel: {
                auto* label = new QLabel(Qs(control.caption), panel);
                label->setWordWrap(true);
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                widget = label;
                break;
            }
            case ControlKind::NameBox: widget = new QLineEdit(panel); break;
            case ControlKind::Button: widget = new QPushButton(Qs(control.caption), panel); break;
            case ControlKind::CheckBox: widget = new QCheckBox(Qs(control.caption), panel); break;
        }
        widget->setObjectName(Qs(control.name));
        const QRect rect = layout.Rect(control.rect.left, control.rect.top, control.rect.width, control.rect.height);
        // The room its caption needs with the desktop's font: a wrapping label all its
        // lines at its width, anything else its size hint.
        FittedControl fit{{rect.x(), rect.y(), rect.width(), rect.height()}, 0, 0, false};
        if (control.kind == ControlKind::WrappingLabel) {
            fit.needWidth = rect.width();
            fit.needHeight = widget->heightForWidth(rect.width());
        } else {
            fit.needWidth = control.kind == ControlKind::NameBox ? rect.width() : widget->sizeHint().width();
            fit.needHeight = widget->sizeHint().height();
        }
        fitted.push_back(fit);
        widgets.push_back(widget);
        made[Qs(control.name)] = widget;
    }
    const int height = FitControls(fitted, area.width(), area.height(), layout.Px(45));
    for (std::size_t i = 0; i < widgets.size(); ++i)
        widgets[i]->setGeometry(fitted[i].rect.left, fitted[i].rect.top, fitted[i].rect.width, fitted[i].rect.height);
    panel->setGeometry(area.x(), area.y(), area.width(), height);
    panel->hide();
    made[Qs(plan.name)] = panel;
    return made;
}

}  // namespace lumeq
