#pragma once

// The application object: it sets up the GUI, owns the forms, runs the message loop and reports
// errors. There is one per program, reachable as Application while it exists.

#include "platform/classes.h"
#include "platform/errors.h"
#include "platform/forms.h"

#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <vector>

class QApplication;
class QSocketNotifier;

class TApplication : public TComponent
{
    Q_OBJECT

public:
    TApplication();
    ~TApplication() override;
    TApplication(const TApplication &) = delete;
    TApplication &operator=(const TApplication &) = delete;

    // Brings up the GUI (unless it is up already). The command line is not passed on: the
    // program reads none. Without a display to show windows on, the process ends here with one
    // line on standard error and exit code NoDisplayExitCode.
    void Initialize();
    // Like every other way the program ends, this one ends with exit code 0; the line on
    // standard error is the report.
    static constexpr int NoDisplayExitCode = 0;

    // Stored for a help request; nothing in the program makes one.
    QString HelpFile;

    QString Title() const { return FTitle; }
    void SetTitle(const QString &Value);

    // Creates a form owned by the application and stores it in Reference; the first form
    // created is the main form. Reference is cleared when the application destroys the form.
    template <class TFormClass> void CreateForm(TFormClass *&Reference)
    {
        auto Form = std::make_unique<TFormClass>(this);
        Reference = Form.get();
        AddForm(std::move(Form), [&Reference] { Reference = nullptr; });
    }

    TForm *MainForm() const { return FMainForm; }

    // Shows the main form and dispatches messages until Terminate. An error that escapes a
    // handler is reported and the loop goes on.
    void Run();
    // Ends the message loop (or keeps Run from starting one).
    void Terminate();
    bool Terminated() const { return FTerminated; }

    // Reports an error to the user: by default a modal message box with the title and the
    // error's message; without a GUI, a line on standard error.
    void ShowException(const Exception &E);
    // Reports an error that escaped a handler, after resetting the floating-point unit so that
    // no fault state of one command reaches the next. Anything that is not an Exception is
    // reported as one with its std::exception text, or an empty message.
    void HandleException(std::exception_ptr Error) noexcept;

    // Replaces the message box of ShowException (tests record the reports instead).
    using TExceptionReport = std::function<void(const Exception &)>;
    void SetExceptionReport(TExceptionReport Report) { FExceptionReport = std::move(Report); }

private:
    void AddForm(std::unique_ptr<TForm> Form, std::function<void()> ForgetReference);
    void WatchTerminationSignals();

    TApplication *FPrevious;
    std::unique_ptr<QApplication> FOwnedGui;
    QSocketNotifier *FSignalNotifier = nullptr;
    QString FTitle;
    std::vector<std::unique_ptr<TForm>> FForms;
    std::vector<std::function<void()>> FForgetReferences;
    TForm *FMainForm = nullptr;
    bool FTerminated = false;
    TExceptionReport FExceptionReport;
};

extern TApplication *Application;

// For the places where Qt hands control to our code: reports an error that must not travel
// into Qt's frames, through Application when there is one.
void ReportEscapedError(std::exception_ptr Error) noexcept;
