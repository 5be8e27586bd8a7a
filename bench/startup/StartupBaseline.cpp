// The least a Qt Widgets program does to show a main window: the yardstick
// for the start-up probe, timed to the same moment by QuitWhenShown.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    // The program's window size, so both paint the same area.
    window.resize(579, 408);
    window.show();
    return application.exec();
}
