// Text <-> number in the locale the test process was started with. CTest runs this program twice:
// in the C locale (decimal point) and in a Russian one (decimal comma).

#include "platform/errors.h"
#include "platform/float_env.h"
#include "platform/numeric_text.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{

bool LocaleIs(const char *Language)
{
    const char *All = std::getenv("LC_ALL");
    return All != nullptr && std::strncmp(All, Language, 2) == 0;
}

// Russian and German write a decimal comma; German also groups digits with a point.
bool DecimalComma()
{
    return LocaleIs("ru") || LocaleIs("de");
}

// Writes a C-locale number text with the user's separator.
QString Local(const char *Text)
{
    QString S = QString::fromUtf8(Text);
    if (DecimalComma())
        S.replace(QLatin1Char('.'), QLatin1Char(','));
    return S;
}

class NumericText : public ::testing::Test
{
protected:
    void SetUp() override { LoadFloatingPointEnvironment(); }
};

TEST_F(NumericText, SeparatorFollowsTheLocale)
{
    EXPECT_EQ(QLocale::system().decimalPoint(),
              DecimalComma() ? QStringLiteral(",") : QStringLiteral("."));
}

TEST_F(NumericText, AcceptedTexts)
{
    struct Case
    {
        const char *Text; // '.' stands for the user's separator
        long double Value;
    };
    const Case Cases[] = {
        {"1.5", 1.5L},       {"  1.5\t", 1.5L},   {"+2", 2.0L},     {"-0.25", -0.25L},
        {".5", 0.5L},        {"5.", 5.0L},        {"1e3", 1000.0L}, {"1E-3", 1e-3L},
        {"1.5e+2", 150.0L},  {"0", 0.0L},         {"00012", 12.0L}, {"0.1", 0.1L},
        {"1e-5000", 0.0L},   {"1e4000", 1e4000L}, {"1.2", 1.2L},    {"0.015", 0.015L},
        {"0.0002", 0.0002L}, {"3.5e38", 3.5e38L},
    };
    for (const Case &C : Cases)
    {
        SCOPED_TRACE(C.Text);
        EXPECT_EQ(StrToFloat(Local(C.Text)), C.Value);
    }
    EXPECT_TRUE(std::signbit(StrToFloat(QStringLiteral("-0"))));
    // The point is accepted as well as the user's separator, unless it groups digits there.
    if (LocaleIs("de"))
        EXPECT_THROW(StrToFloat(QStringLiteral("1.000")), EConvertError);
    else
        EXPECT_EQ(StrToFloat(QStringLiteral("2.75")), 2.75L);
}

TEST_F(NumericText, RefusedTextsQuoteTheText)
{
    const char *Cases[] = {"",
                           " ",
                           "abc",
                           "1 000",
                           "1.5.2",
                           "inf",
                           "nan",
                           "0x10",
                           "1e",
                           "1e+",
                           "--1",
                           "+-1",
                           "12abc",
                           "4k7",
                           ".",
                           "e5",
                           "-",
                           "1e99999",
                           "1.5e3x",
                           "\xd9\xa1\xd9\xa2",
                           "1\xc2\xa0"
                           "000",
                           "\xef\xbc\x95",
                           "1\n2"};
    for (const char *Text : Cases)
    {
        SCOPED_TRACE(Text);
        const QString S = QString::fromUtf8(Text);
        try
        {
            StrToFloat(S);
            ADD_FAILURE() << "accepted";
        }
        catch (const EConvertError &E)
        {
            // Printable texts are quoted as typed; control characters are shown as replacements.
            const std::string Typed(Text);
            const bool Printable = std::all_of(Typed.begin(), Typed.end(),
                                               [](char C) { return C >= 0x20 && C < 0x7f; });
            if (Printable)
            {
                EXPECT_NE(std::string(E.what()).find(Typed), std::string::npos) << E.what();
            }
        }
    }
    // A group separator or the other locale's separator is refused, never read as something else.
    EXPECT_THROW(StrToFloat(DecimalComma() ? QStringLiteral("1,5,2") : QStringLiteral("1,5")),
                 EConvertError);
}

TEST_F(NumericText, LongTextsAreQuotedShortAndReadFast)
{
    const QString Digits(1'000'000, QLatin1Char('7'));
    EXPECT_THROW(StrToFloat(Digits), EConvertError); // beyond the extended range
    EXPECT_EQ(StrToFloat(Local("0.") + Digits), 0.77777777777777777778L);
    try
    {
        StrToFloat(Digits + QLatin1Char('x'));
        FAIL();
    }
    catch (const EConvertError &E)
    {
        EXPECT_LT(std::strlen(E.what()), 200u);
    }
}

TEST_F(NumericText, FieldValueRoundsThroughTheExtendedFormat)
{
    // 1 + 2^-24 + 2^-60 lies just above the midpoint of two singles. Read into the 64-bit
    // significand it stays above and rounds up; read into a double it becomes the midpoint itself
    // and the tie goes down to 1.
    const char *Above =
        "1.000000059604644776317112360934357351077403565189852751791477203369140625";
    EXPECT_EQ(StrToSingle(Local(Above)), 1.00000011920928955078125f);
    EXPECT_EQ(static_cast<float>(std::strtod(Above, nullptr)), 1.0f);
    // 1 + 3 * 2^-24 - 2^-70 lies just below a midpoint; the 64-bit reading lands on the midpoint
    // and the tie goes to the even single above, where a direct reading would go below.
    const char *Below = "1.00000017881393432617187415296950284285573235495363086462020874023437500";
    EXPECT_EQ(StrToSingle(Local(Below)), 1.0000002384185791015625f);
}

TEST_F(NumericText, FieldValueRange)
{
    EXPECT_THROW(StrToSingle(Local("3.5e38")), EOverflow);
    EXPECT_THROW(StrToSingle(Local("-1e39")), EOverflow);
    EXPECT_EQ(StrToSingle(Local("3.4028235e38")), FLT_MAX);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(StrToSingle(Local("1e-46"))), 0u);
    EXPECT_EQ(StrToSingle(Local("1e-40")), 1e-40f);
    EXPECT_THROW(StrToSingle(QStringLiteral("x")), EConvertError);
}

TEST_F(NumericText, WorkedExampleTexts)
{
    struct Case
    {
        float Value;
        int Digits;
        const char *Text;
    };
    const Case Cases[] = {
        {80.0000076f, 1, "80.0"},  {12.3999996f, 1, "12.4"},  {16.1199989f, 0, "16"},
        {0.699999988f, 2, "0.70"}, {1.14285719f, 2, "1.14"},  {1.18999982f, 2, "1.19"},
        {5.83333302f, 2, "5.83"},  {0.788571417f, 2, "0.79"}, {322.923096f, 0, "323"},
        {48.7999992f, 2, "48.80"}, {116.091011f, 1, "116.1"}, {0.804206133f, 2, "0.80"},
        {72.5806503f, 1, "72.6"},
    };
    for (const Case &C : Cases)
        EXPECT_EQ(FloatToStrF(C.Value, ffFixed, 8, C.Digits), Local(C.Text));
}

TEST_F(NumericText, FixedFormatLimits)
{
    struct Case
    {
        long double Value;
        int Digits;
        const char *Text;
    };
    const Case Cases[] = {
        {1234567.891L, 2, "1234567.90"},    // eight significant digits, zeros beyond
        {0.333333343L, 10, "0.3333333400"}, // the same below one
        {12345678.4L, 1, "12345678.0"},
        {123456789.0L, 2, "1.2345679E+08"}, // integer part wider than the precision
        {3.40282347e38L, 1, "3.4028235E+38"},
        {-80.0000076L, 1, "-80.0"},
        {-0.001L, 2, "0.00"}, // no sign on a value shown as zero
        {1e-40L, 1, "0.0"},
        {0.0L, 0, "0"},
        {999999.996L, 2, "1000000.00"},
        {0.0821428522L, 2, "0.08"},
    };
    for (const Case &C : Cases)
        EXPECT_EQ(FloatToStrF(C.Value, ffFixed, 8, C.Digits), Local(C.Text)) << C.Text;
}

TEST_F(NumericText, PrintedValuesReadBack)
{
    // What the window prints with enough decimals reads back to the same single.
    const float Values[] = {80.0000076f, 0.788571417f, 1e-3f, 6.2831854f, -2.5f};
    for (float V : Values)
        EXPECT_EQ(StrToSingle(FloatToStrF(V, ffExponent, 9, 2)), V);
}

} // namespace
