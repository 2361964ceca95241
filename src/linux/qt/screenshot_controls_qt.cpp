#include "linux/qt/screenshot_controls_qt.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "linux/qt/widgets_qt.h"

namespace lumeq {

void ScreenshotControls::Create(QWidget* parent, const TwipsLayout& layout, std::function<void()> openFolder) {
    m_newScreenshots = new QLabel("x nuevas screens", parent);
    m_newScreenshots->setObjectName("ScreenNuevas");
    m_newScreenshots->setGeometry(layout.Rect(0, 1245, 2400, 240));
    m_newScreenshots->setStyleSheet("background: #4C5844; color: #C00000;");
    QFont italic = m_newScreenshots->font();
    italic.setItalic(true);
    m_newScreenshots->setFont(italic);
    m_newScreenshots->hide();

    auto warning = MakePanel(parent, WarningPanel(), layout);
    m_folderWarning = warning["Frame3"];
    m_folderCountLine = static_cast<QLabel*>(warning["Label6"]);
    m_folderSizeLine = static_cast<QLabel*>(warning["Label7"]);
    QObject::connect(static_cast<QPushButton*>(warning["Command2"]), &QPushButton::clicked, [openFolder] { openFolder(); });
    QObject::connect(static_cast<QPushButton*>(warning["btadveroOK"]), &QPushButton::clicked, [this] { HideWarning(); });
}

void ScreenshotControls::ShowCount(std::string_view text) {
    m_newScreenshots->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    m_newScreenshots->show();
    m_newScreenshots->raise();
}

void ScreenshotControls::ShowWarning(std::string_view countText, std::string_view sizeText) {
    m_folderCountLine->setText(QString::fromUtf8(countText.data(), static_cast<qsizetype>(countText.size())));
    m_folderSizeLine->setText(QString::fromUtf8(sizeText.data(), static_cast<qsizetype>(sizeText.size())));
    m_folderWarning->show();
    m_folderWarning->raise();
}

void ScreenshotControls::HideWarning() { m_folderWarning->hide(); }

}  // namespace lumeq
