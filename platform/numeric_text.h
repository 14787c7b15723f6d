#pragma once

// Text <-> number, with the user's decimal separator (taken from the system locale, which
// follows LC_ALL, LC_NUMERIC and LANG). One rule for both directions, in one place.

#include <QString>

enum TFloatFormat
{
    ffGeneral,
    ffExponent,
    ffFixed,
    ffNumber,
    ffCurrency
};

// Reads a decimal number: optional blanks, an optional sign, digits with at most one decimal
// separator (the user's or '.'), an optional exponent ('e' or 'E', optional sign, digits), optional
// blanks. The result is the decimal correctly rounded to the 64-bit significand. Anything else,
// the empty text and values beyond the extended range included, raises EConvertError quoting the
// text.
long double StrToFloat(const QString &S);

// Writes Value in the given format. ffFixed: fixed notation with exactly Digits decimals and the
// user's separator, rounded once to at most Precision significant digits (zeros beyond them), or
// exponent notation when the integer part has more than Precision digits. ffExponent: one digit,
// the separator, Precision - 1 digits, 'E', a sign and at least Digits exponent digits. ffGeneral:
// the shorter of fixed and exponent forms with at most Precision digits and no trailing zeros.
// ffNumber: ffFixed with the user's group separator. ffCurrency: ffNumber followed by the user's
// currency symbol. Precision is clamped to 1..21 (21 digits tell every extended value apart),
// Digits to 0..18.
QString FloatToStrF(long double Value, TFloatFormat Format, int Precision, int Digits);

// A field's text as the calculation takes it: StrToFloat, then rounded to single precision.
// A magnitude beyond the largest single raises EOverflow.
float StrToSingle(const QString &S);
