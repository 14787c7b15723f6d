#include "platform/application.h"

#include "platform/float_env.h"
#include "platform/graphics.h"

#include <QApplication>
#include <QByteArray>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

TApplication *Application = nullptr;

namespace
{

// Qt's own event dispatch, with one last net: an error that got past the handlers' guards is
// reported here instead of unwinding further through Qt.
class TGuardedGui : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject *Receiver, QEvent *Event) override
    {
        try
        {
            return QApplication::notify(Receiver, Event);
        }
        catch (...)
        {
            ReportEscapedError(std::current_exception());
            return true;
        }
    }
};

// The program takes nothing from its command line, Qt's options included: Qt sees only the
// program's name.
int GArgumentCount = 1;
char *GArguments[] = {program_invocation_name, nullptr};

// ---- Start-up without a display -----------------------------------------------------------------

struct THeldMessage
{
    QtMsgType Type;
    QByteArray Category;
    QString Text;
};

QtMessageHandler GPreviousHandler = nullptr;
std::vector<THeldMessage> *GHeldMessages = nullptr;

QByteArray Environment(const char *Name)
{
    return qgetenv(Name);
}

// One line, in Russian and in English, in place of Qt's plugin diagnostics and the abort that
// follows them.
QByteArray NoDisplayLine()
{
    const QByteArray Platform = Environment("QT_QPA_PLATFORM");
    const QByteArray Display = Environment("DISPLAY");
    const QByteArray Wayland = Environment("WAYLAND_DISPLAY");
    const QByteArray Program = QByteArray(program_invocation_short_name) + ": ";
    if (!Platform.isEmpty() && !Platform.startsWith("xcb") && !Platform.startsWith("wayland"))
        return Program + "не удалось запустить графическую платформу \"" + Platform +
               "\". Cannot start the graphics platform \"" + Platform + "\".";
    if (Display.isEmpty() && Wayland.isEmpty())
        return Program +
               "нет дисплея для окна программы (не заданы DISPLAY и WAYLAND_DISPLAY). "
               "No display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set).";
    const QByteArray Name = Display.isEmpty() ? Wayland : Display;
    return Program + "не удалось подключиться к дисплею \"" + Name +
           "\". Cannot connect to display \"" + Name + "\".";
}

void HoldStartupMessage(QtMsgType Type, const QMessageLogContext &Context, const QString &Text)
{
    if (Type == QtFatalMsg)
    {
        std::fprintf(stderr, "%s\n", NoDisplayLine().constData());
        std::fflush(stderr);
        std::_Exit(TApplication::NoDisplayExitCode);
    }
    GHeldMessages->push_back({Type, QByteArray(Context.category), Text});
}

// Creates the QApplication. Qt reports a platform it cannot start as a fatal error and aborts;
// its messages are held back until it is known whether the start worked, and passed on if so.
std::unique_ptr<QApplication> StartGui()
{
    std::vector<THeldMessage> Held;
    GHeldMessages = &Held;
    GPreviousHandler = qInstallMessageHandler(HoldStartupMessage);
    auto Gui = std::make_unique<TGuardedGui>(GArgumentCount, GArguments);
    qInstallMessageHandler(GPreviousHandler);
    GHeldMessages = nullptr;
    for (const THeldMessage &Message : Held)
        qt_message_output(Message.Type,
                          QMessageLogContext(nullptr, 0, nullptr, Message.Category.constData()),
                          Message.Text);
    return Gui;
}

// ---- Termination requests from outside ----------------------------------------------------------

// SIGTERM (logout, kill), SIGINT (Ctrl+C in the terminal) and SIGHUP (the terminal went away)
// close the main window as its close box does, so the program still shuts down in order and
// ends with exit code 0. The handler only writes a byte; the loop does the rest.
int GSignalPipe[2] = {-1, -1};

extern "C" void NoteTerminationSignal(int)
{
    const char Byte = 1;
    const ssize_t Written = write(GSignalPipe[1], &Byte, 1);
    (void)Written;
}

QString WithFinalStop(QString Message)
{
    if (!Message.isEmpty() && !Message.endsWith(QLatin1Char('.')) &&
        !Message.endsWith(QLatin1Char('!')) && !Message.endsWith(QLatin1Char('?')) &&
        !Message.endsWith(QChar(0x2026)))
        Message += QLatin1Char('.');
    return Message;
}

} // namespace

TApplication::TApplication() : FPrevious(Application)
{
    Application = this;
}

TApplication::~TApplication()
{
    // The forms go first, last created first; the GUI they stood on goes after them.
    while (!FForms.empty())
    {
        FForgetReferences.back()();
        FForgetReferences.pop_back();
        if (FForms.back().get() == FMainForm)
            FMainForm = nullptr;
        FForms.pop_back();
    }
    delete FSignalNotifier;
    FOwnedGui.reset();
    Application = FPrevious;
}

void TApplication::Initialize()
{
    if (QCoreApplication::instance() == nullptr)
    {
        FOwnedGui = StartGui();
        WatchTerminationSignals();
    }
    InstallFontSubstitutes();
    // The default face of controls, of error reports and hints. It is also the face the window
    // uses, so the program loads no face it does not show.
    QApplication::setFont(FontWithHeight(QFont(QStringLiteral("MS Sans Serif")), -11));
    // The message loop ends when the main form closes, not when the last window does: an error
    // report shown while the main form is hidden must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TApplication::SetTitle(const QString &Value)
{
    FTitle = Value;
    if (QCoreApplication::instance() != nullptr)
        QGuiApplication::setApplicationDisplayName(Value);
}

void TApplication::AddForm(std::unique_ptr<TForm> Form, std::function<void()> ForgetReference)
{
    if (FMainForm == nullptr)
        FMainForm = Form.get();
    FForms.push_back(std::move(Form));
    FForgetReferences.push_back(std::move(ForgetReference));
}

void TApplication::Run()
{
    if (FMainForm != nullptr)
    {
        FMainForm->show();
        // Under a bare X server nothing activates a new window, and the first field would not
        // get the focus.
        FMainForm->activateWindow();
    }
    if (!FTerminated)
        QApplication::exec();
}

void TApplication::Terminate()
{
    FTerminated = true;
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::exit(0);
}

void TApplication::ShowException(const Exception &E)
{
    if (FExceptionReport)
    {
        FExceptionReport(E);
        return;
    }
    const QString Message = WithFinalStop(QString::fromUtf8(E.Message()));
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr)
    {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(FTitle), qUtf8Printable(Message));
        return;
    }
    QWidget *Parent = QApplication::activeWindow();
    if (Parent == nullptr && FMainForm != nullptr && FMainForm->isVisible())
        Parent = FMainForm;
    QMessageBox Box(QMessageBox::Critical, FTitle, Message, QMessageBox::Ok, Parent);
    Box.exec();
}

void TApplication::HandleException(std::exception_ptr Error) noexcept
{
    LoadFloatingPointEnvironment();
    try
    {
        try
        {
            std::rethrow_exception(Error);
        }
        catch (const Exception &E)
        {
            ShowException(E);
        }
        catch (const std::exception &E)
        {
            ShowException(Exception(E.what()));
        }
        catch (...)
        {
            ShowException(Exception(""));
        }
    }
    catch (...)
    {
        // The report itself failed (out of memory, most likely); the loop goes on regardless.
        std::fprintf(stderr, "%s: an error could not be reported\n", program_invocation_short_name);
    }
}

void TApplication::WatchTerminationSignals()
{
    if (pipe2(GSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction Action = {};
    Action.sa_handler = NoteTerminationSignal;
    sigemptyset(&Action.sa_mask);
    Action.sa_flags = SA_RESTART;
    for (int Signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(Signal, &Action, nullptr);
    FSignalNotifier = new QSocketNotifier(GSignalPipe[0], QSocketNotifier::Read);
    connect(FSignalNotifier, &QSocketNotifier::activated, this,
            []
            {
                char Bytes[16];
                while (read(GSignalPipe[0], Bytes, sizeof Bytes) > 0)
                {
                }
                if (Application == nullptr)
                    return;
                if (Application->MainForm() != nullptr && Application->MainForm()->isVisible())
                    Application->MainForm()->close();
                else
                    Application->Terminate();
            });
}

void ReportEscapedError(std::exception_ptr Error) noexcept
{
    if (Application != nullptr)
    {
        Application->HandleException(Error);
        return;
    }
    LoadFloatingPointEnvironment();
    std::fprintf(stderr, "%s: an error escaped with no application to report it\n",
                 program_invocation_short_name);
}
