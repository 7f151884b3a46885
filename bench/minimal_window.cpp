// The reference for the start-up benchmark: the smallest Qt Widgets program
// that shows a window, built with the same flags and libraries as the
// program. It reports its first paint the way the program does.
#include "app/ShownTimestamp.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal window"));
    window.resize(640, 420);
    quillotap::ReportWhenShown(&window);
    window.show();
    return app.exec();
}
