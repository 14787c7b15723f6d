// Start-up and shutdown: the guarded sequence of the entry function, and the real executable.

#include "app/run_application.h"
#include "gui_fixture.h"

#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>

#include <csignal>
#include <fstream>
#include <stdexcept>

namespace
{

class Startup : public testing::Test
{
protected:
    void SetUp() override
    {
        App.SetExceptionReport(
            [this](const Exception &E) {
                Reports.push_back({KindOf(E), E.Message()});
            });
    }

    TApplication App;
    std::vector<TReport> Reports;
};

TEST_F(Startup, ExitEndsTheProgramWithCodeZero)
{
    QString Title;
    QTimer::singleShot(0,
                       [&]
                       {
                           ASSERT_NE(Ormiza, nullptr);
                           Title = App.Title();
                           QTest::mouseClick(Ormiza->BitBtn2, Qt::LeftButton);
                       });
    EXPECT_EQ(RunApplication(Ormiza), 0);
    EXPECT_EQ(Title, QStringLiteral("Ormiza"));
    EXPECT_EQ(App.HelpFile, QStringLiteral("Ormiza"));
    EXPECT_EQ(App.MainForm(), Ormiza);
    EXPECT_TRUE(Reports.empty());
}

TEST_F(Startup, ClosingTheWindowEndsTheProgramWithCodeZero)
{
    QTimer::singleShot(0, [&] { Ormiza->close(); });
    EXPECT_EQ(RunApplication(Ormiza), 0);
    EXPECT_TRUE(Reports.empty());
}

TEST_F(Startup, AFailedCalculateNeverEndsTheLoop)
{
    std::size_t ReportsBeforeExit = 0;
    QTimer::singleShot(0,
                       [&]
                       {
                           QTest::mouseClick(Ormiza->BitBtn1,
                                             Qt::LeftButton); // all zeros: invalid operation
                           QTest::mouseClick(Ormiza->BitBtn1, Qt::LeftButton);
                           ReportsBeforeExit = Reports.size();
                           EXPECT_TRUE(Ormiza->isVisible());
                           Ormiza->close();
                       });
    EXPECT_EQ(RunApplication(Ormiza), 0);
    EXPECT_EQ(ReportsBeforeExit, 2u);
}

// Forms whose creation fails, as a damaged declaration would.
struct TFailingForm : TForm
{
    explicit TFailingForm(TComponent *Owner) : TForm(Owner)
    {
        throw EConvertError("Неверное описание формы");
    }
};

struct TForeignFailureForm : TForm
{
    explicit TForeignFailureForm(TComponent *Owner) : TForm(Owner)
    {
        throw std::runtime_error("not an Exception");
    }
};

TEST_F(Startup, ErrorsBeforeTheLoopAreReportedAndExitZero)
{
    TFailingForm *Failing = nullptr;
    EXPECT_EQ(RunApplication(Failing), 0);
    TForeignFailureForm *Foreign = nullptr;
    EXPECT_EQ(RunApplication(Foreign), 0);

    const std::vector<TReport> Expected = {{"EConvertError", "Неверное описание формы"},
                                           {"Exception", ""}};
    EXPECT_EQ(Reports, Expected);
    EXPECT_EQ(App.MainForm(), nullptr) << "no window was ever shown";
}

TEST_F(Startup, TheApplicationOwnsTheWindowUntilShutdown)
{
    {
        TApplication Program;
        Program.Initialize();
        Program.CreateForm(Ormiza);
        ASSERT_NE(Ormiza, nullptr);
    }
    EXPECT_EQ(Ormiza, nullptr);
}

// ---- The real executable --------------------------------------------------------------------

// Whether the process has installed its own SIGTERM handler yet.
bool CatchesTerminate(qint64 Pid)
{
    std::ifstream Status("/proc/" + std::to_string(Pid) + "/status");
    std::string Line;
    while (std::getline(Status, Line))
        if (Line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(Line.substr(7), nullptr, 16) >> (SIGTERM - 1)) & 1;
    return false;
}

QProcessEnvironment Headless()
{
    QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
    Environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return Environment;
}

// Started offscreen (with a command line it must ignore, Qt's own options included) and asked
// to close, as a session does at logout: it shuts down in order with exit code 0.
TEST(Executable, ClosedItExitsWithCodeZero)
{
    QProcess Program;
    Program.setProcessEnvironment(Headless());
    Program.start(QStringLiteral(ORMIZA_EXECUTABLE),
                  {QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("--help")});
    ASSERT_TRUE(Program.waitForStarted(10000));
    QTest::qWait(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return CatchesTerminate(Program.processId()); }, 20000));
    QTest::qWait(200);
    ::kill(static_cast<pid_t>(Program.processId()), SIGTERM);
    ASSERT_TRUE(Program.waitForFinished(20000));
    EXPECT_EQ(Program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(Program.exitCode(), 0) << Program.readAllStandardError().toStdString();
}

TEST(Executable, WithoutADisplaySaysSoInOneLine)
{
    QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
    for (const char *Name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        Environment.remove(QString::fromLatin1(Name));
    QProcess Program;
    Program.setProcessEnvironment(Environment);
    Program.start(QStringLiteral(ORMIZA_EXECUTABLE), {});
    ASSERT_TRUE(Program.waitForFinished(20000));
    EXPECT_EQ(Program.exitStatus(), QProcess::NormalExit) << "no abort, no core dump";
    EXPECT_EQ(Program.exitCode(), TApplication::NoDisplayExitCode);
    const QString Error = QString::fromUtf8(Program.readAllStandardError()).trimmed();
    EXPECT_FALSE(Error.contains(QLatin1Char('\n'))) << Error.toStdString();
    EXPECT_TRUE(Error.contains(QStringLiteral("DISPLAY"))) << Error.toStdString();
}

} // namespace

namespace
{

// Without a test's hook, an error is shown in a modal box: critical, titled with the
// application's title, the message as one sentence.
TEST(ShowException, ShowsAModalCriticalBoxWithTheTitle)
{
    TApplication Program;
    Program.Initialize();
    Program.SetTitle(QStringLiteral("Ormiza"));
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QTimer::singleShot(0,
                       [&]
                       {
                           ASSERT_TRUE(QTest::qWaitFor(
                               [] { return QApplication::activeModalWidget() != nullptr; }));
                           auto *Box =
                               qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                           ASSERT_NE(Box, nullptr);
                           Title = Box->windowTitle();
                           Text = Box->text();
                           Icon = Box->icon();
                           Box->accept();
                       });
    Program.ShowException(EZeroDivide());
    EXPECT_EQ(Title, QStringLiteral("Ormiza"));
    EXPECT_EQ(Text, QString::fromUtf8(EZeroDivide().Message()) + QLatin1Char('.'));
    EXPECT_EQ(Icon, QMessageBox::Critical);
}

} // namespace
