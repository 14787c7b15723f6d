#include "platform/errors.h"

// The messages are the ones the user reads in the error report, so they are Russian like the
// rest of the window.
EInvalidOp::EInvalidOp() : EMathError("Недопустимая операция с плавающей точкой") {}

EZeroDivide::EZeroDivide() : EMathError("Деление на ноль при вычислении с плавающей точкой") {}

EOverflow::EOverflow() : EMathError("Переполнение при вычислении с плавающей точкой") {}
