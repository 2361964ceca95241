#include "linux/qt/main_window_qt.h"

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
#include <QMoveEvent>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>

#include <cstdio>

#include "app/activation.h"
#include "app/hotkey_model.h"
#include "app/layout_model.h"
#include "ui/scaling.h"
#include "app/tray_model.h"
#include "app/menu_layout.h"
#include "linux/qt/banner_qt.h"
#include "linux/qt/x11_events_qt.h"
#include "linux/x11/screen_x11.h"

namespace lumeq {

namespace {
constexpr int kBannerWidthTwips = 2400;
constexpr int kBannerHeightTwips = 1905;
constexpr int kJpegQuality = 90;

QString Qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString ColourName(Rgb colour) { return QColor(colour.red, colour.green, colour.blue).name(); }

// The program's own decimal separator: Spanish texts, so the locale's when it is one.
std::string DecimalSeparator() {
    const QString separator = QLocale().decimalPoint();
    return separator.isEmpty() ? std::string(".") : separator.toStdString();
}
}  // namespace

MainWindow::MainWindow(const LinuxPaths& paths, DisplayRamp& displays, CaptureJournal* journal, X11Events* x11)
    : m_paths(paths),
      m_x11(x11),
      m_settings(paths.config + "/lumeq.ini"),
      m_screenshots(paths.screenshots, [this] { return CaptureScreen(); }),
      m_levelStore(paths.config + "/level"),
      m_core(AppPorts{*this, *this, m_strip, m_panels, m_screenshotControls, m_screenshots, m_settings,
                      displays, m_levelStore, journal, nullptr, m_processes, &m_nightLight},
             DecimalSeparator()) {
    setObjectName("FormMain");
    // A fixed frame with a caption and a close box, no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle("lumeq gamma");
    setWindowIcon(QIcon(":/lumeq/lumeq.png"));
}

MainWindow::~MainWindow() = default;

void MainWindow::Load(const CrashRecord::Recovery& recovery) {
    CreateMenus();
    CreateControls();
    // 1. The notification-area icon (where a tray exists, or once one comes).
    CreateTray();
    // 4.-19. The core leads: the settings and the stored flag, the hot keys, size and place
    // (the window manager places it), the screenshots counted, the first run, the window shown.
    m_core.StartUp(*this, recovery);
}

// ----- the start-up's steps -----

void MainWindow::RegisterHotKeys() {
    // Acted on at once, inside the X event filter: nothing a hot key does opens a box or
    // runs the event loop.
    if (!m_x11) return;
    m_x11->RegisterHotKeys([this](int id) { DispatchHotKey(id); });
    // The desktop may hold some of them (KDE Plasma and Xfce do by default): told once.
    std::array<bool, kHotKeyCount> registered{};
    for (int id = 0; id < kHotKeyCount; ++id) registered[static_cast<std::size_t>(id)] = m_x11->HotKeyRegistered(id);
    const std::string taken = TakenKeysText(registered);
    if (!taken.empty()) TellOnce(QMessageBox::Warning, Qs(taken));
}

void MainWindow::SizeAndPlace() {
    adjustSize();
    setFixedSize(sizeHint());
    QScreen* screen = QGuiApplication::primaryScreen();
    const std::string width = std::to_string(screen ? screen->geometry().width() : 0);
    SetField(Field::Resolution, width);
    // The table's spot for this screen width, as the Windows edition places its window (15
    // twips a pixel), raised and moved left just enough to lie whole in the work area; other
    // widths leave the place to the window manager.
    const std::optional<TwipsPoint> place = PlacementForWidth(width);
    if (!screen || !place) return;
    const QRect area = screen->availableGeometry();
    const PixelRect fitted = FitInside({PlacementPixels(place->left), PlacementPixels(place->top), this->width(), height()},
                                       {area.left(), area.top(), area.width(), area.height()});
    move(fitted.left, fitted.top);
    m_placed = true;
}

bool MainWindow::ScreenshotsFolderFound() {
    // A folder or a plain file of that name both count as found.
    return QFileInfo::exists(QString::fromStdString(m_paths.screenshots));
}

bool MainWindow::MakeScreenshotsFolder() {
    MakeFolders(m_paths.screenshots);
    return ScreenshotsFolderFound();
}

void MainWindow::FirstRunBox() {
    // Before the main window, and modal, as on Windows: the hot keys already work meanwhile.
    QMessageBox box(QMessageBox::Information, "lumeq gamma", Qs(m_core.Information()), QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::ShowMainWindow() { show(); }

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    QScreen* screen = this->screen();
    if (!m_placed || !screen || frameGeometry() == geometry()) return;
    m_placed = false;
    const QRect area = screen->availableGeometry();
    const QRect frame = frameGeometry();
    const PixelRect fitted = FitInside({frame.left(), frame.top(), frame.width(), frame.height()},
                                       {area.left(), area.top(), area.width(), area.height()});
    if (fitted.left != frame.left() || fitted.top != frame.top()) move(fitted.left, fitted.top);
}

void MainWindow::CreateControls() {
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
    m_nameCaption = label("Label3", "lumeq gamma", layout.Rect(0, 1485, 1215, 240), Qt::AlignLeft, "#FFFFFF");
    m_levelCaption = label("LbIndicador", "", layout.Rect(1215, 1485, 465, 240), Qt::AlignHCenter, "#FFFFFF");
    m_signatureCaption = label("Label4", "by ZEV", layout.Rect(1680, 1485, 720, 240), Qt::AlignLeft, "#A8A8A8");
    // The Windows edition's styles: the name in italics, the signature in bold italics.
    QFont name = m_nameCaption->font();
    name.setItalic(true);
    m_nameCaption->setFont(name);
    QFont signature = m_signatureCaption->font();
    signature.setItalic(true);
    signature.setBold(true);
    m_signatureCaption->setFont(signature);
    SetCaptionColour(CaptionColour(false));
    for (int field = 0; field < kFieldCount; ++field)
        m_fields[static_cast<Field>(field)] = std::string(InitialText(static_cast<Field>(field)));
    m_nameCaption->installEventFilter(banner);  // a click on the name opens the site, as the banner does

    m_panels.Create(client, layout, m_core);
    m_screenshotControls.Create(client, layout, [this] { OpenScreenshotsFolder(); });

    // The core's timers, by their names.
    for (int index = 0; index < kTimerCount; ++index) {
        const auto timer = static_cast<TimerId>(index);
        auto* qtimer = new QTimer(this);
        connect(qtimer, &QTimer::timeout, this, [this, timer] { m_core.OnTimer(timer); });
        m_timers[timer] = qtimer;
    }
}

void MainWindow::CreateMenus() {
    std::function<void(QMenu*, const std::vector<MenuItem>&)> fill = [&](QMenu* menu, const std::vector<MenuItem>& items) {
        for (const MenuItem& item : items) {
            if (item.IsSeparator()) {
                menu->addSeparator();
            } else if (item.IsSubmenu()) {
                fill(menu->addMenu(Qs(item.caption)), item.items);
            } else {
                QAction* action = menu->addAction(Qs(item.caption));
                const Command command = *item.command;
                action->setData(QString::fromUtf8(CommandName(command).data(),
                                                  static_cast<qsizetype>(CommandName(command).size())));
                // Built for the state at start-up: the boost is off.
                action->setEnabled(IsEntryEnabled(command, false));
                connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
                m_actions.emplace(command, action);
            }
        }
    };
    for (const MenuItem& item : MenuBarLayout()) {
        if (item.IsSubmenu()) {
            fill(menuBar()->addMenu(Qs(item.caption)), item.items);
        } else {
            // "Salir" sits in the bar itself.
            QAction* action = menuBar()->addAction(Qs(item.caption));
            const Command command = *item.command;
            action->setData(QString::fromUtf8(CommandName(command).data(), static_cast<qsizetype>(CommandName(command).size())));
            connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
            m_actions.emplace(command, action);
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

void MainWindow::CreateTray() {
    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setToolTip("lumeq gamma");
    // A StatusNotifierItem host sends a click as "activate" and never a double click: there
    // it does what the double click does elsewhere (show or hide the window).
    const bool notifierItem = StatusNotifierHostRegistered();
    connect(m_tray, &QSystemTrayIcon::activated, this, [this, notifierItem](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
            case QSystemTrayIcon::Context: m_core.OnTrayEvent(TrayEvent::ContextMenu); break;
            case QSystemTrayIcon::DoubleClick: m_core.OnTrayEvent(TrayEvent::DoubleClick); break;
            case QSystemTrayIcon::Trigger:
                m_core.OnTrayEvent(notifierItem ? TrayEvent::DoubleClick : TrayEvent::Click);
                break;
            default: break;
        }
    });
    // Docks now where a tray exists, and as soon as one appears otherwise.
    m_tray->show();
}

QAction* MainWindow::Action(Command command) const {
    const auto found = m_actions.find(command);
    return found == m_actions.end() ? nullptr : found->second;
}

bool MainWindow::TrayShown() const { return m_tray && m_tray->isVisible() && QSystemTrayIcon::isSystemTrayAvailable(); }

bool MainWindow::HotKeyRegistered(int id) const { return m_x11 && m_x11->HotKeyRegistered(id); }

void MainWindow::OnCommand(Command command) {
    // A greyed entry cannot be chosen, whoever asks.
    if (const QAction* action = Action(command); action && !action->isEnabled()) return;
    if (m_core.RunMenuCommand(command)) return;
    switch (ShellCommandOf(command)) {
        case ShellCommand::Leave:
        case ShellCommand::LeaveFromPopup: ExitSequence(); break;
        case ShellCommand::Information: ShowInformation(); break;
        case ShellCommand::Site: OpenSite(); break;
        case ShellCommand::OpenFolder: OpenScreenshotsFolder(); break;
        case ShellCommand::None: break;
    }
}

void MainWindow::DispatchHotKey(int id) {
    if (m_leaving) return;
    // Back to the normal state without showing a hidden window or taking the focus.
    if (isVisible() && isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    m_core.DispatchHotKey(id);
}

void MainWindow::ExitSequence() {
    if (m_leaving) return;
    m_leaving = true;
    m_core.Leave();
    if (m_x11) m_x11->UnregisterHotKeys();
    if (m_tray) m_tray->hide();
    QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_leaving) {
        event->accept();
        return;
    }
    event->ignore();
    m_core.OnCloseRequest();
}

void MainWindow::TellNoGamma(const QString& why) {
    if (m_toldNoGamma) return;
    m_toldNoGamma = true;
    TellOnce(QMessageBox::Warning, why);
}

void MainWindow::TellOnce(QMessageBox::Icon icon, const QString& text) {
    std::fprintf(stderr, "lumeq-gamma: %s\n", QString(text).replace('\n', ' ').toUtf8().constData());
    auto* box = new QMessageBox(icon, "lumeq gamma", text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// ----- what the core asks of the window -----

void MainWindow::SetField(Field field, std::string_view text) {
    m_fields[field] = std::string(text);
    if (field == Field::LevelCaption && m_levelCaption) m_levelCaption->setText(Qs(text));
}

void MainWindow::SetCaptionColour(Rgb colour) {
    for (QLabel* label : {m_nameCaption, m_signatureCaption, m_levelCaption}) {
        if (!label) continue;
        label->setStyleSheet(QString("background: %1; color: %2;")
                                 .arg(ColourName(colour), label->property("textColour").toString()));
    }
}

void MainWindow::SetMenuEntry(Command entry, bool enabled) {
    const auto [first, last] = m_actions.equal_range(entry);
    for (auto it = first; it != last; ++it) it->second->setEnabled(enabled);
}

void MainWindow::SetFolderCaption(std::string_view caption) {
    for (Command entry : {Command::BarOpenFolder, Command::PopupOpenFolder}) {
        const auto [first, last] = m_actions.equal_range(entry);
        for (auto it = first; it != last; ++it) it->second->setText(Qs(caption));
    }
}

void MainWindow::Window(WindowRequest request) {
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

void MainWindow::OpenPopup() { m_popup->popup(QCursor::pos()); }

void MainWindow::Start(TimerId timer, unsigned ms) { m_timers.at(timer)->start(static_cast<int>(ms)); }

void MainWindow::Stop(TimerId timer) { m_timers.at(timer)->stop(); }

// ----- the rest of the window's own work -----

void MainWindow::ShowInformation() {
    QMessageBox::information(this, "lumeq gamma", Qs(m_core.Information()));
}

void MainWindow::OpenSite() { QDesktopServices::openUrl(QUrl(kSiteAddress)); }

void MainWindow::OpenScreenshotsFolder() {
    MakeFolders(m_paths.screenshots);
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(m_paths.screenshots)));
}

std::optional<std::vector<std::uint8_t>> MainWindow::CaptureScreen() {
    std::optional<QImage> image = m_capture ? m_capture() : std::nullopt;
    if (!image) {
        // The whole root window, every monitor, as the system's Print Screen copies it.
        auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        const std::optional<RootPicture> root = GrabRoot(x11 ? x11->display() : nullptr);
        if (!root) return std::nullopt;
        image = QImage(reinterpret_cast<const uchar*>(root->pixels.data()), root->width, root->height,
                       root->width * 4, QImage::Format_RGB32)
                    .copy();
    }
    QGuiApplication::clipboard()->setImage(*image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image->convertToFormat(QImage::Format_RGB888).save(&buffer, "JPEG", kJpegQuality)) return std::nullopt;
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace lumeq
