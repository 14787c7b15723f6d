// Ormiza: the program's entry.

#include "app/run_application.h"
#include "platform/application.h"
#include "platform/float_env.h"
#include "ui/ormiza.h"

int main()
{
    // Every calculation relies on this environment; nothing may run before it.
    LoadFloatingPointEnvironment();
    TApplication ApplicationObject;
    return RunApplication(Ormiza);
}
