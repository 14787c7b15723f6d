// The yardstick for start-up cost: a bare Qt Widgets program with one empty window of the main
// window's outer size, ending at its first painted frame.

#include "first_paint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication Gui(argc, argv);
    TFirstPaint Probe([] { QCoreApplication::exit(0); });
    QWidget Window;
    Window.resize(779, 512);
    Window.show();
    return QApplication::exec();
}
