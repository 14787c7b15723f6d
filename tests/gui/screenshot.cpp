// Takes the window's picture for the documentation: starts the program as it starts, types the
// worked example into the fields, clicks Calculate and saves what the display shows of the
// window. Run it on an X display (docs/make-screenshot.sh starts one).

#include "app/run_application.h"
#include "gui_fixture.h"
#include "platform/float_env.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    const QString Output = QString::fromLocal8Bit(argv[1]);
    LoadFloatingPointEnvironment();
    TApplication Program;
    bool Saved = false;
    QTimer::singleShot(0,
                       [&]
                       {
                           if (!QTest::qWaitForWindowExposed(Ormiza))
                               return Application->Terminate();
                           TypeWorkedExample(Ormiza);
                           QTest::mouseClick(Ormiza->BitBtn1, Qt::LeftButton);
                           Ormiza->Edit1->setFocus(
                               Qt::TabFocusReason); // the caret where a user starts again
                           QTest::qWait(500);
                           const QRect Area = Ormiza->frameGeometry();
                           const QPixmap Shot = QGuiApplication::primaryScreen()->grabWindow(
                               0, Area.x(), Area.y(), Area.width(), Area.height());
                           Saved = Shot.save(Output, "PNG");
                           Application->Terminate();
                       });
    RunApplication(Ormiza);
    return Saved ? 0 : 1;
}
