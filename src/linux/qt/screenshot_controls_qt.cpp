#include "linux/qt/screenshot_controls_qt.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "linux/qt/widgets_qt.h"

namespace lumeq {

void ScreenshotControls::Create(QWidget* parent, const TwipsLayout& layout, std::function<void()> openFolder) {
    m_ScreenNuevas = new QLabel("x nuevas screens", parent);
    m_ScreenNuevas->setObjectName("ScreenNuevas");
    m_ScreenNuevas->setGeometry(layout.Rect(0, 1245, 2400, 240));
    m_ScreenNuevas->setStyleSheet("background: #4C5844; color: #C00000;");
    QFont italic = m_ScreenNuevas->font();
    italic.setItalic(true);
    m_ScreenNuevas->setFont(italic);
    m_ScreenNuevas->hide();

    auto warning = MakePanel(parent, WarningPanel(), layout);
    m_Frame3 = warning["Frame3"];
    m_Label6 = static_cast<QLabel*>(warning["Label6"]);
    m_Label7 = static_cast<QLabel*>(warning["Label7"]);
    QObject::connect(static_cast<QPushButton*>(warning["Command2"]), &QPushButton::clicked, [openFolder] { openFolder(); });
    QObject::connect(static_cast<QPushButton*>(warning["btadveroOK"]), &QPushButton::clicked, [this] { HideWarning(); });
}

void ScreenshotControls::ShowCount(std::string_view text) {
    m_ScreenNuevas->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    m_ScreenNuevas->show();
    m_ScreenNuevas->raise();
}

void ScreenshotControls::ShowWarning(std::string_view countText, std::string_view sizeText) {
    m_Label6->setText(QString::fromUtf8(countText.data(), static_cast<qsizetype>(countText.size())));
    m_Label7->setText(QString::fromUtf8(sizeText.data(), static_cast<qsizetype>(sizeText.size())));
    m_Frame3->show();
    m_Frame3->raise();
}

void ScreenshotControls::HideWarning() { m_Frame3->hide(); }

}  // namespace lumeq
