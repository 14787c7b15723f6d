#include "platform/numeric_text.h"

#include "platform/errors.h"
#include "platform/float_env.h"

#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace
{

// glibc's number conversions follow LC_NUMERIC, which QApplication sets from the environment;
// every conversion here runs in the C locale and puts the user's separator in itself.
locale_t CLocale()
{
    static const locale_t Locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return Locale;
}

class TCLocaleScope
{
public:
    TCLocaleScope() : FPrevious(uselocale(CLocale())) {}
    ~TCLocaleScope() { uselocale(FPrevious); }
    TCLocaleScope(const TCLocaleScope &) = delete;
    TCLocaleScope &operator=(const TCLocaleScope &) = delete;

private:
    locale_t FPrevious;
};

// The text as the error message quotes it: long texts shortened, control characters made
// visible, and the quote isolated so that right-to-left text cannot reorder the message.
QString QuoteForMessage(const QString &S)
{
    constexpr qsizetype MaxShown = 40;
    QString Shown;
    const qsizetype Count = std::min(S.size(), MaxShown);
    for (qsizetype I = 0; I < Count; ++I)
    {
        const QChar C = S.at(I);
        if (C.category() == QChar::Other_Control || C.category() == QChar::Other_Format)
            Shown += QChar(0xFFFD);
        else if (C.isHighSurrogate() && I + 1 == Count)
            break; // do not cut a character in half
        else
            Shown += C;
    }
    if (S.size() > MaxShown)
        Shown += QChar(0x2026); // ellipsis
    return QString(QChar(0x00AB)) + QChar(0x2068) + Shown + QChar(0x2069) + QChar(0x00BB);
}

[[noreturn]] void RaiseNotANumber(const QString &S)
{
    const QString Message =
        QString::fromUtf8("%1 не является правильным числом.").arg(QuoteForMessage(S));
    throw EConvertError(Message.toStdString());
}

bool IsAsciiDigit(QChar C)
{
    return C >= QLatin1Char('0') && C <= QLatin1Char('9');
}

struct TSeparators
{
    QString Decimal;
    bool PointToo; // '.' is read as the decimal separator as well
};

// A point is accepted beside the user's separator, except where the locale groups digits with a
// point: there "1.000" means a thousand, and reading it as one would be silently wrong.
TSeparators Separators()
{
    const QLocale Locale = QLocale::system();
    return {Locale.decimalPoint(), Locale.groupSeparator() != QStringLiteral(".")};
}

} // namespace

long double StrToFloat(const QString &S)
{
    const TSeparators Separator = Separators();
    qsizetype Begin = 0;
    qsizetype End = S.size();
    while (Begin < End && S.at(Begin).isSpace())
        ++Begin;
    while (End > Begin && S.at(End - 1).isSpace())
        --End;

    // Rebuild the number in the C grammar that strtold reads; refuse anything else.
    std::string Ascii;
    Ascii.reserve(static_cast<std::size_t>(End - Begin) + 1);
    qsizetype I = Begin;
    if (I < End && (S.at(I) == QLatin1Char('+') || S.at(I) == QLatin1Char('-')))
        Ascii += static_cast<char>(S.at(I++).unicode());
    qsizetype Digits = 0;
    while (I < End && IsAsciiDigit(S.at(I)))
    {
        Ascii += static_cast<char>(S.at(I++).unicode());
        ++Digits;
    }
    if (I < End)
    {
        qsizetype SeparatorLength = 0;
        if (!Separator.Decimal.isEmpty() &&
            QStringView(S).sliced(I, End - I).startsWith(Separator.Decimal))
            SeparatorLength = Separator.Decimal.size();
        else if (Separator.PointToo && S.at(I) == QLatin1Char('.'))
            SeparatorLength = 1;
        if (SeparatorLength > 0)
        {
            I += SeparatorLength;
            Ascii += '.';
            while (I < End && IsAsciiDigit(S.at(I)))
            {
                Ascii += static_cast<char>(S.at(I++).unicode());
                ++Digits;
            }
        }
    }
    if (Digits == 0)
        RaiseNotANumber(S);
    if (I < End && (S.at(I) == QLatin1Char('e') || S.at(I) == QLatin1Char('E')))
    {
        Ascii += 'e';
        ++I;
        if (I < End && (S.at(I) == QLatin1Char('+') || S.at(I) == QLatin1Char('-')))
            Ascii += static_cast<char>(S.at(I++).unicode());
        qsizetype ExponentDigits = 0;
        while (I < End && IsAsciiDigit(S.at(I)))
        {
            Ascii += static_cast<char>(S.at(I++).unicode());
            ++ExponentDigits;
        }
        if (ExponentDigits == 0)
            RaiseNotANumber(S);
    }
    if (I != End)
        RaiseNotANumber(S);

    errno = 0;
    const long double Value = strtold_l(Ascii.c_str(), nullptr, CLocale());
    if (std::isinf(Value))
        RaiseNotANumber(S); // beyond the extended range
    return Value;
}

namespace
{

// Significant digits of a plain decimal text such as "-0.00123" (leading zeros do not count).
int SignificantDigits(const char *Text)
{
    int Count = 0;
    bool Started = false;
    for (const char *P = Text; *P != '\0'; ++P)
    {
        if (*P < '0' || *P > '9')
            continue;
        if (*P != '0')
            Started = true;
        if (Started)
            ++Count;
    }
    return Count;
}

bool AllZero(const std::string &Text)
{
    return std::none_of(Text.begin(), Text.end(), [](char C) { return C >= '1' && C <= '9'; });
}

// "d.ddddE+XX": Precision significant digits, at least ExponentDigits exponent digits.
std::string ExponentText(long double Magnitude, int Precision, int ExponentDigits)
{
    char Buffer[64];
    std::snprintf(Buffer, sizeof Buffer, "%.*Le", Precision - 1, Magnitude);
    std::string Text(Buffer);
    const std::size_t E = Text.find('e');
    const char Sign = Text[E + 1];
    std::string Exponent = Text.substr(E + 2);
    Exponent.erase(0, std::min(Exponent.find_first_not_of('0'), Exponent.size() - 1));
    if (static_cast<int>(Exponent.size()) < ExponentDigits)
        Exponent.insert(0, static_cast<std::size_t>(ExponentDigits) - Exponent.size(), '0');
    return Text.substr(0, E) + 'E' + Sign + Exponent;
}

// Fixed notation rounded once, at whichever is coarser: Digits decimals or Precision significant
// digits. Returns false when the integer part needs more than Precision digits.
bool FixedText(long double Magnitude, int Precision, int Digits, std::string &Out)
{
    if (Magnitude >= 1e21L) // more integer digits than any precision allows
        return false;
    char Buffer[128];
    std::snprintf(Buffer, sizeof Buffer, "%.*Lf", Digits, Magnitude);
    if (SignificantDigits(Buffer) <= Precision)
    {
        Out = Buffer;
        return true;
    }
    std::snprintf(Buffer, sizeof Buffer, "%.*Le", Precision - 1, Magnitude);
    const std::string Text(Buffer);
    const std::size_t E = Text.find('e');
    const int Exponent = std::atoi(Text.c_str() + E + 1);
    if (Exponent + 1 > Precision)
        return false;
    std::string Mantissa;
    for (std::size_t I = 0; I < E; ++I)
        if (Text[I] >= '0' && Text[I] <= '9')
            Mantissa += Text[I];
    std::string IntegerPart;
    std::string Fraction;
    if (Exponent >= 0)
    {
        IntegerPart = Mantissa.substr(0, static_cast<std::size_t>(Exponent) + 1);
        Fraction = Mantissa.substr(static_cast<std::size_t>(Exponent) + 1);
    }
    else
    {
        IntegerPart = "0";
        Fraction = std::string(static_cast<std::size_t>(-Exponent - 1), '0') + Mantissa;
    }
    // The precision rounding is the coarser one here, so the fraction never exceeds Digits.
    Fraction.resize(static_cast<std::size_t>(Digits), '0');
    Out = Digits > 0 ? IntegerPart + '.' + Fraction : IntegerPart;
    return true;
}

QString Localise(const std::string &Text, bool Negative, bool Grouped)
{
    const QLocale Locale = QLocale::system();
    QString Result;
    if (Negative && !AllZero(Text))
        Result += QLatin1Char('-');
    const std::size_t Point = Text.find('.');
    const std::size_t IntegerEnd = Point == std::string::npos ? Text.size() : Point;
    for (std::size_t I = 0; I < Text.size(); ++I)
    {
        if (I == Point)
            Result += Locale.decimalPoint();
        else
            Result += QLatin1Char(Text[I]);
        const std::size_t Left = IntegerEnd - I - 1;
        if (Grouped && I < IntegerEnd && Left > 0 && Left % 3 == 0 &&
            Text.find('E') == std::string::npos)
            Result += Locale.groupSeparator();
    }
    return Result;
}

} // namespace

QString FloatToStrF(long double Value, TFloatFormat Format, int Precision, int Digits)
{
    if (std::isnan(Value))
        return QStringLiteral("NAN");
    if (std::isinf(Value))
        return Value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    Precision = std::clamp(Precision, 1, 21);
    Digits = std::clamp(Digits, 0, 18);
    const TCLocaleScope CNumbers;
    const bool Negative = std::signbit(Value);
    const long double Magnitude = std::fabs(Value);
    std::string Text;
    switch (Format)
    {
    case ffExponent:
        Text = ExponentText(Magnitude, Precision, std::min(Digits, 4));
        break;
    case ffGeneral:
    {
        char Buffer[64];
        std::snprintf(Buffer, sizeof Buffer, "%.*Lg", Precision, Magnitude);
        Text = Buffer;
        const std::size_t E = Text.find('e');
        if (E != std::string::npos)
            Text = ExponentText(Magnitude, Precision, 2);
        if (Text.find('.') != std::string::npos)
        {
            // Drop trailing zeros of the mantissa, and a separator left alone.
            const std::size_t MantissaEnd =
                Text.find('E') == std::string::npos ? Text.size() : Text.find('E');
            std::size_t Cut = MantissaEnd;
            while (Cut > 0 && Text[Cut - 1] == '0')
                --Cut;
            if (Cut > 0 && Text[Cut - 1] == '.')
                --Cut;
            Text.erase(Cut, MantissaEnd - Cut);
        }
        break;
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency:
        if (!FixedText(Magnitude, Precision, Digits, Text))
            Text = ExponentText(Magnitude, Precision, 2);
        break;
    }
    QString Result = Localise(Text, Negative, Format == ffNumber || Format == ffCurrency);
    if (Format == ffCurrency)
        Result += QLatin1Char(' ') + QLocale::system().currencySymbol();
    return Result;
}

float StrToSingle(const QString &S)
{
    return RoundToSingle(StrToFloat(S));
}
