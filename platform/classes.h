#pragma once

// The object model the window code is written against. Qt's object tree already gives what the
// program needs of it (ownership, names, signals), so the names are the same types under the
// names the window code uses.

#include <QObject>

// Every object a handler can receive as its Sender.
using TObject = QObject;

// An object that can own others; a form's owner is the application object.
using TComponent = QObject;
