// The program's own start-up (app/main.cpp), ending at the first painted frame of the window.

#include "app/run_application.h"
#include "first_paint.h"
#include "platform/float_env.h"
#include "ui/ormiza.h"

int main()
{
    LoadFloatingPointEnvironment();
    TApplication ApplicationObject;
    // The probe needs the Qt application; RunApplication's own Initialize then finds it up.
    ApplicationObject.Initialize();
    TFirstPaint Probe([] { Application->Terminate(); });
    return RunApplication(Ormiza);
}
