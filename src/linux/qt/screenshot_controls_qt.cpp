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
    m_ScreenNuevas->hide();

    m_Frame3 = new QGroupBox(" Advertencia : ", parent);
    m_Frame3->setObjectName("Frame3");
    m_Frame3->setAutoFillBackground(true);
    m_Frame3->setGeometry(layout.Rect(0, 0, 2400, 1500));
    m_Label6 = WrappingLabel(m_Frame3, "Label6", "El directorio Screenshots contiene un total de:",
                             layout.Rect(45, 255, 2310, 420));
    m_Label7 = WrappingLabel(m_Frame3, "Label7", "El tamaño total de los archivos es de: ", layout.Rect(45, 690, 2310, 420));
    auto* open = new QPushButton("Abrir directorio", m_Frame3);
    open->setObjectName("Command2");
    open->setGeometry(layout.Rect(45, 1140, 1275, 285));
    QObject::connect(open, &QPushButton::clicked, [openFolder] { openFolder(); });
    auto* ok = new QPushButton("ok", m_Frame3);
    ok->setObjectName("btadveroOK");
    ok->setGeometry(layout.Rect(1935, 1140, 420, 285));
    QObject::connect(ok, &QPushButton::clicked, [this] { HideWarning(); });
    m_Frame3->hide();
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
