// StrToFloat on arbitrary bytes, read both as UTF-8 and as UTF-16 text. A refusal must be an
// EConvertError; an acceptance must be a finite value that printing and reading again gives back.
// The decimal separator is the one of the locale the fuzzer was started in (run it in C and in a
// Russian locale).

#include "platform/errors.h"
#include "platform/float_env.h"
#include "platform/numeric_text.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace
{

void Check(const QString &Text)
{
    long double Value = 0;
    try
    {
        Value = StrToFloat(Text);
    }
    catch (const EConvertError &)
    {
        return;
    }
    if (!std::isfinite(Value))
        std::abort();
    const QString Printed = FloatToStrF(Value, ffExponent, 21, 0);
    if (StrToFloat(Printed) != Value)
        std::abort();
    // The field path: rounding to single either overflows or gives a value that prints back.
    float Single = 0;
    try
    {
        Single = StrToSingle(Text);
    }
    catch (const EOverflow &)
    {
        if (std::fabs(Value) <= 3.4028234663852886e38L)
            std::abort();
        return;
    }
    if (!std::isfinite(Single) || StrToSingle(FloatToStrF(Single, ffExponent, 9, 2)) != Single)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    LoadFloatingPointEnvironment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *Data, std::size_t Size)
{
    Check(QString::fromUtf8(reinterpret_cast<const char *>(Data), static_cast<qsizetype>(Size)));
    const qsizetype Units = static_cast<qsizetype>(Size / 2);
    QString Utf16(Units, Qt::Uninitialized);
    std::memcpy(Utf16.data(), Data, static_cast<std::size_t>(Units) * 2);
    Check(Utf16);
    return 0;
}
