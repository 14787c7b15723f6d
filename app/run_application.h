#pragma once

// The program's life between the floating-point set-up and the end of the process: set up the
// application object, create the main window, run the message loop; report whatever goes wrong
// on the way and end with exit code 0 all the same.

#include "platform/application.h"
#include "platform/errors.h"

// TMainForm is the window class; MainForm receives the window. Errors that escape a handler while
// the loop runs never get here: the loop reports them and goes on.
template <class TMainForm> int RunApplication(TMainForm *&MainForm)
{
    try
    {
        Application->Initialize();
        Application->HelpFile = QStringLiteral("Ormiza");
        Application->SetTitle(QStringLiteral("Ormiza"));
        Application->CreateForm(MainForm);
        Application->Run();
    }
    catch (Exception &E)
    {
        Application->ShowException(E);
    }
    catch (...)
    {
        // Whatever else failed has no message the user could read; report it as an error with an
        // empty one.
        try
        {
            throw Exception("");
        }
        catch (Exception &E)
        {
            Application->ShowException(E);
        }
    }
    return 0;
}
