// The floor of the Linux edition's start-up and memory: a minimal Qt 6 Widgets program
// that shows one window with a menu bar and a label, nothing else.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("floor window");
    window.menuBar()->addMenu("Salir");
    window.setCentralWidget(new QLabel("floor"));
    window.show();
    return app.exec();
}
