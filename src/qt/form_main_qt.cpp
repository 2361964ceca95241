#include "qt/form_main_qt.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>

#include <cstdio>

#include "app/hotkey_model.h"
#include "app/layout_model.h"
#include "app/tray_model.h"
#include "app/menu_layout.h"
#include "qt/banner_qt.h"
#include "qt/x11_events_qt.h"
#include "ui/control_ids.h"
#include "x11/screen_x11.h"

namespace lumeq {

namespace {
constexpr int kBannerWidthTwips = 2400;
constexpr int kBannerHeightTwips = 1905;
constexpr int kJpegQuality = 90;

QString Qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString ColourName(Colour colour) {
    // 0x00BBGGRR, as the core keeps colours.
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF))
        .name();
}

// The program's own decimal separator: Spanish texts, so the locale's when it is one.
std::string DecimalSeparator() {
    const QString separator = QLocale().decimalPoint();
    return separator.isEmpty() ? std::string(".") : separator.toStdString();
}
}  // namespace

FormMain::FormMain(const LinuxPaths& paths, DisplayRamp& displays, CaptureJournal* journal, X11Events* x11)
    : m_paths(paths),
      m_x11(x11),
      m_settings(paths.config + "/lumeq.ini"),
      m_screenshots(paths.screenshots, [this] { return CaptureScreen(); }),
      m_levelStore(paths.config + "/level"),
      m_core(AppPorts{*this, *this, m_FormIndicador, m_panels, m_screenshotControls, m_screenshots, m_settings,
                      displays, m_levelStore, journal, m_SliderGamma, m_processes, &m_nightLight},
             DecimalSeparator(), CorePolicies{.yieldToOtherRamps = true}) {
    setObjectName("FormMain");
    // A fixed frame with a caption and a close box, no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle("lumeq gamma");
    setWindowIcon(QIcon(":/lumeq/lumeq.png"));
}

FormMain::~FormMain() = default;

void FormMain::Form_Load() {
    CreateMenus();
    CreateControls();
    // 1. The notification-area icon (where a tray exists, or once one comes).
    CreateTray();
    // 4.-5. The settings file, then the stored automatic-activation flag.
    m_core.Start();
    // 6.-7. The global hot keys.
    // Acted on at once, inside the X event filter: nothing a hot key does opens a box or
    // runs the event loop.
    if (m_x11) {
        m_x11->RegisterHotKeys([this](int id) { DispatchHotKey(id); });
        // The desktop may hold some of them (KDE Plasma and Xfce do by default): told once.
        std::array<bool, kHotKeyCount> registered{};
        for (int id = 0; id < kHotKeyCount; ++id) registered[static_cast<std::size_t>(id)] = m_x11->HotKeyRegistered(id);
        const std::string taken = TakenKeysText(registered);
        if (!taken.empty()) TellOnce(QMessageBox::Warning, Qs(taken));
    }
    // 9.-10. The window's fixed size; the window manager places it.
    adjustSize();
    setFixedSize(sizeHint());
    SetField(Field::Resolution, std::to_string(QGuiApplication::primaryScreen()
                                                   ? QGuiApplication::primaryScreen()->geometry().width()
                                                   : 0));
    // 11.-15. Screenshots taken in this run, the folder counted, its count in the menus.
    m_core.StartScreenshots();
    // 18. The first run makes the screenshots folder and tells what the keys do.
    FirstRunCheck();
    // 19. Shown in its normal state; the boosted gamma is off.
    show();
}

void FormMain::CreateControls() {
    const TwipsLayout layout = LayoutForFont(menuBar()->sizeHint().width());
    auto* client = new QWidget(this);
    client->setFixedSize(layout.Px(kBannerWidthTwips), layout.Px(kBannerHeightTwips));
    setCentralWidget(client);

    auto* banner = new Banner(client, [this] { OpenSite(); });
    banner->setObjectName("Image1");
    banner->setGeometry(0, 0, client->width(), client->height());

    // The bottom strip of the banner: the name, the level and "by ZEV", one colour for
    // the state.
    auto label = [&](const char* name, const char* text, QRect rect, Qt::Alignment align, const char* colour) {
        auto* created = new QLabel(Qs(text), client);
        created->setObjectName(name);
        created->setGeometry(rect);
        created->setAlignment(align | Qt::AlignVCenter);
        created->setAutoFillBackground(true);
        created->setProperty("textColour", colour);
        return created;
    };
    m_Label3 = label("Label3", "lumeq gamma", layout.Rect(0, 1485, 1215, 240), Qt::AlignLeft, "#FFFFFF");
    m_LbIndicador = label("LbIndicador", "", layout.Rect(1215, 1485, 465, 240), Qt::AlignHCenter, "#FFFFFF");
    m_Label4 = label("Label4", "by ZEV", layout.Rect(1680, 1485, 720, 240), Qt::AlignLeft, "#A8A8A8");
    SetStripColour(kStripOff);
    // The hidden fields' first values, as the Windows edition's controls start.
    m_fields = {{Field::Resolution, "Resolution"}, {Field::screenText, "0"},     {Field::txtActivacion, "False"},
                {Field::TxtScreenNuevas, "0"},       {Field::txtCantidad, ""},   {Field::FileSizeMB, ""},
                {Field::estadoTxt, "False"},         {Field::estado_txt, "- -"}, {Field::txtOculta, "No"},
                {Field::LbIndicador, ""}};
    m_Label3->installEventFilter(banner);  // a click on the name opens the site, as the banner does

    m_panels.Create(client, layout, m_core);
    m_screenshotControls.Create(client, layout, [this] { OpenScreenshotsFolder(); });

    // The core's timers, by their names.
    for (TimerId timer : {TimerId::TimerReset, TimerId::activacionTimer, TimerId::TimerScreen, TimerId::Timer2,
                          TimerId::RampWatch}) {
        auto* qtimer = new QTimer(this);
        connect(qtimer, &QTimer::timeout, this, [this, timer] { m_core.OnTimer(timer); });
        m_timers[timer] = qtimer;
    }
}

void FormMain::CreateMenus() {
    std::function<void(QMenu*, const std::vector<MenuItem>&)> fill = [&](QMenu* menu, const std::vector<MenuItem>& items) {
        for (const MenuItem& item : items) {
            if (item.IsSeparator()) {
                menu->addSeparator();
            } else if (item.IsSubmenu()) {
                fill(menu->addMenu(Qs(item.caption)), item.items);
            } else {
                QAction* action = menu->addAction(Qs(item.caption));
                action->setData(item.id);
                // Built for the state at start-up: the boost is off.
                action->setEnabled(IsEntryEnabled(item.id, false));
                const unsigned id = item.id;
                connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
                m_actions.emplace(id, action);
            }
        }
    };
    for (const MenuItem& item : MenuBarLayout()) {
        if (item.IsSubmenu()) {
            fill(menuBar()->addMenu(Qs(item.caption)), item.items);
        } else {
            // "Salir" sits in the bar itself.
            QAction* action = menuBar()->addAction(Qs(item.caption));
            const unsigned id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
            m_actions.emplace(id, action);
        }
    }
    m_popup = new QMenu(this);
    m_popup->setObjectName("Functions");
    fill(m_popup, PopupLayout());
}

namespace {
// Whether Qt speaks StatusNotifierItem here (KDE Plasma, GNOME's AppIndicator): it does
// where a host is registered with the session bus's watcher, as Qt itself checks.
bool StatusNotifierHostRegistered() {
    QDBusInterface watcher("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
                           QDBusConnection::sessionBus());
    return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
}
}  // namespace

void FormMain::CreateTray() {
    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setToolTip("lumeq gamma");
    // A StatusNotifierItem host sends a click as "activate" and never a double click: there
    // it does what the double click does elsewhere (show or hide the window).
    const bool notifierItem = StatusNotifierHostRegistered();
    connect(m_tray, &QSystemTrayIcon::activated, this, [this, notifierItem](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
            case QSystemTrayIcon::Context: m_core.OnTrayEvent(kTrayRightButtonUp); break;
            case QSystemTrayIcon::DoubleClick: m_core.OnTrayEvent(kTrayDoubleClick); break;
            case QSystemTrayIcon::Trigger:
                m_core.OnTrayEvent(notifierItem ? kTrayDoubleClick : kTrayLeftButtonUp);
                break;
            default: break;
        }
    });
    // Docks now where a tray exists, and as soon as one appears otherwise.
    m_tray->show();
}

QAction* FormMain::Action(unsigned id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

bool FormMain::TrayShown() const { return m_tray && m_tray->isVisible() && QSystemTrayIcon::isSystemTrayAvailable(); }

bool FormMain::HotKeyRegistered(int id) const { return m_x11 && m_x11->HotKeyRegistered(id); }

void FormMain::OnCommand(unsigned id) {
    // A greyed entry cannot be chosen, whoever asks.
    if (const QAction* action = Action(id); action && !action->isEnabled()) return;
    if (m_core.RunMenuCommand(id)) return;
    switch (ShellCommandOf(id)) {
        case ShellCommand::Leave:
        case ShellCommand::LeaveFromPopup: ExitSequence(); break;
        case ShellCommand::Information: funMostrarInformacion(); break;
        case ShellCommand::Site: OpenSite(); break;
        case ShellCommand::OpenFolder: OpenScreenshotsFolder(); break;
        case ShellCommand::None: break;
    }
}

void FormMain::DispatchHotKey(int id) {
    if (m_leaving) return;
    // Back to the normal state without showing a hidden window or taking the focus.
    if (isVisible() && isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    m_core.DispatchHotKey(id);
}

void FormMain::ExitSequence() {
    if (m_leaving) return;
    m_leaving = true;
    m_core.Leave();
    if (m_x11) m_x11->UnregisterHotKeys();
    if (m_tray) m_tray->hide();
    QCoreApplication::exit(0);
}

void FormMain::closeEvent(QCloseEvent* event) {
    if (m_leaving) {
        event->accept();
        return;
    }
    event->ignore();
    m_core.OnCloseRequest();
}

void FormMain::TellNoGamma(const QString& why) {
    if (m_toldNoGamma) return;
    m_toldNoGamma = true;
    TellOnce(QMessageBox::Warning, why);
}

void FormMain::TellOnce(QMessageBox::Icon icon, const QString& text) {
    std::fprintf(stderr, "lumeq-gamma: %s\n", QString(text).replace('\n', ' ').toUtf8().constData());
    auto* box = new QMessageBox(icon, "lumeq gamma", text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// ----- what the core asks of the window -----

void FormMain::SetField(Field field, std::string_view text) {
    m_fields[field] = std::string(text);
    if (field == Field::LbIndicador && m_LbIndicador) m_LbIndicador->setText(Qs(text));
}

void FormMain::SetStripColour(Colour colour) {
    for (QLabel* label : {m_Label3, m_Label4, m_LbIndicador}) {
        if (!label) continue;
        label->setStyleSheet(QString("background: %1; color: %2;")
                                 .arg(ColourName(colour), label->property("textColour").toString()));
    }
}

void FormMain::SetMenuEntry(MenuEntry entry, bool enabled) {
    const auto [first, last] = m_actions.equal_range(MenuCommandOf(entry));
    for (auto it = first; it != last; ++it) it->second->setEnabled(enabled);
}

void FormMain::SetFolderCaption(std::string_view caption) {
    for (unsigned id : {ids::menuAbrirDirectorio, ids::FunctionsScreenshot}) {
        const auto [first, last] = m_actions.equal_range(id);
        for (auto it = first; it != last; ++it) it->second->setText(Qs(caption));
    }
}

void FormMain::Window(WindowRequest request) {
    switch (request) {
        case WindowRequest::Show: show(); break;
        case WindowRequest::Hide:
            // Without a tray the icon could never bring it back: it goes to the task bar.
            if (QSystemTrayIcon::isSystemTrayAvailable())
                hide();
            else
                showMinimized();
            break;
        case WindowRequest::BringBack:
            showNormal();
            raise();
            activateWindow();
            break;
    }
}

void FormMain::OpenPopup() { m_popup->popup(QCursor::pos()); }

void FormMain::Start(TimerId timer, unsigned ms) { m_timers.at(timer)->start(static_cast<int>(ms)); }

void FormMain::Stop(TimerId timer) { m_timers.at(timer)->stop(); }

// ----- the rest of the window's own work -----

void FormMain::funMostrarInformacion() {
    QMessageBox::information(this, "lumeq gamma", Qs(InformationText()).replace("\r\n", "\n"));
}

void FormMain::OpenSite() { QDesktopServices::openUrl(QUrl(kSiteAddress)); }

void FormMain::OpenScreenshotsFolder() {
    MakeFolders(m_paths.screenshots);
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(m_paths.screenshots)));
}

void FormMain::FirstRunCheck() {
    // A folder or a plain file of that name both count as found.
    if (QFileInfo::exists(QString::fromStdString(m_paths.screenshots))) return;
    MakeFolders(m_paths.screenshots);
    // The box belongs to the first run, which ends once the folder exists.
    if (!QFileInfo::exists(QString::fromStdString(m_paths.screenshots))) return;
    auto* box = new QMessageBox(QMessageBox::Information, "lumeq gamma", Qs(InformationText()).replace("\r\n", "\n"),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QTimer::singleShot(0, box, [box] { box->open(); });
}

std::optional<std::vector<std::uint8_t>> FormMain::CaptureScreen() {
    // The whole root window, every monitor, as the system's Print Screen copies it.
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    const std::optional<RootPicture> root = GrabRoot(x11 ? x11->display() : nullptr);
    if (!root) return std::nullopt;
    const QImage image(reinterpret_cast<const uchar*>(root->pixels.data()), root->width, root->height,
                       root->width * 4, QImage::Format_RGB32);
    QGuiApplication::clipboard()->setImage(image.copy());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, "JPEG", kJpegQuality)) return std::nullopt;
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace lumeq
