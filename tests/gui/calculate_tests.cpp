// The Calculate and Exit commands driven through the window, as a user drives them.

#include "gui_fixture.h"

#include "platform/float_env.h"

#include <QLocale>

#include <cstdlib>
#include <functional>

namespace
{

using Calculate = OrmizaWindow;

TEST_F(Calculate, WorkedExampleFillsTheThirteenResults)
{
    // CTest runs this suite once more with LC_ALL=ru_RU.UTF-8; make sure that run really writes
    // decimal commas rather than passing in the C notation by accident.
    const char *All = std::getenv("LC_ALL");
    if (All != nullptr && QByteArray(All).startsWith("ru"))
    {
        ASSERT_EQ(QLocale::system().decimalPoint(), QStringLiteral(","));
    }

    Show();
    TypeWorkedExample();
    ClickCalculate();
    EXPECT_TRUE(Reports.empty());
    EXPECT_EQ(ResultTexts(), WorkedExampleResults());
    // Each result box is as wide as its text, starting where it was declared.
    for (TLabel *L : Results())
    {
        EXPECT_EQ(L->x(), 480);
        EXPECT_EQ(L->width(), L->fontMetrics().horizontalAdvance(L->Caption()));
    }
}

TEST_F(Calculate, RewritesAllResultsOnlyWhenClicked)
{
    Show();
    TypeWorkedExample();
    ClickCalculate();
    const std::vector<QString> First = ResultTexts();

    Type(W->Edit5, Local("12"));
    EXPECT_EQ(ResultTexts(), First) << "typing alone changes no result";
    ClickCalculate();
    EXPECT_TRUE(Reports.empty());
    EXPECT_NE(ResultTexts(), First);
    EXPECT_EQ(FieldTexts()[4], Local("12")) << "the command never changes a field";
}

struct TFailure
{
    const char *Name;
    bool SucceedFirst;                    // a successful Calculate comes before the failure
    std::function<void(TOrmiza *)> Break; // puts the failing texts into the fields
    const char *Kind;
};

void PrintTo(const TFailure &Case, std::ostream *Out)
{
    *Out << Case.Name;
}

class CalculateFailure : public OrmizaWindow, public testing::WithParamInterface<TFailure>
{
};

// A failed Calculate is reported, changes no label and no field, and keeps the window; the same
// click gives the same report; afterwards valid inputs give what a fresh program gives.
TEST_P(CalculateFailure, IsReportedAndChangesNothing)
{
    const TFailure &Case = GetParam();
    Show();
    if (Case.SucceedFirst)
    {
        TypeWorkedExample();
        ClickCalculate();
        ASSERT_TRUE(Reports.empty());
    }
    Case.Break(W);
    const std::vector<QString> LabelsBefore = ResultTexts();
    const std::vector<QString> FieldsBefore = FieldTexts();

    ClickCalculate();
    ASSERT_EQ(Reports.size(), 1u);
    EXPECT_EQ(Reports[0].Kind, Case.Kind) << Reports[0].Message;
    EXPECT_EQ(ResultTexts(), LabelsBefore);
    EXPECT_EQ(FieldTexts(), FieldsBefore);
    EXPECT_TRUE(W->isVisible());
    EXPECT_FALSE(App.Terminated());
    EXPECT_TRUE(StartupEnvironment()) << std::hex << CurrentControlWord();

    ClickCalculate();
    ASSERT_EQ(Reports.size(), 2u);
    EXPECT_EQ(Reports[1], Reports[0]);
    EXPECT_EQ(ResultTexts(), LabelsBefore);

    TypeWorkedExample();
    ClickCalculate();
    EXPECT_EQ(Reports.size(), 2u);
    EXPECT_EQ(ResultTexts(), WorkedExampleResults());
}

const TFailure Failures[] = {
    {"AllFieldsZero", false, [](TOrmiza *) {}, "EInvalidOp"},
    {"LettersInEdit2AndEdit14", false,
     [](TOrmiza *W)
     {
         TypeWorkedExample(W);
         Type(W->Edit2, QStringLiteral("abc"));
         Type(W->Edit14, QStringLiteral("xyz"));
     },
     "EConvertError"},
    {"EmptyField", false,
     [](TOrmiza *W)
     {
         TypeWorkedExample(W);
         Type(W->Edit8, QString());
     },
     "EConvertError"},
    {"AboveTheSingleRange", false,
     [](TOrmiza *W)
     {
         TypeWorkedExample(W);
         Type(W->Edit13, QStringLiteral("4e38"));
     },
     "EOverflow"},
    {"FaultAfterASuccess", true, [](TOrmiza *W) { Type(W->Edit2, QStringLiteral("0")); },
     "EZeroDivide"},
    {"BadTextAfterASuccess", true, [](TOrmiza *W) { Type(W->Edit10, QStringLiteral("1O0")); },
     "EConvertError"},
};

INSTANTIATE_TEST_SUITE_P(Cases, CalculateFailure, testing::ValuesIn(Failures),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST_F(Calculate, ErrorNamesTheFirstBadFieldInReadingOrder)
{
    Show();
    TypeWorkedExample();
    Type(W->Edit2, QStringLiteral("abc"));
    Type(W->Edit14, QStringLiteral("xyz"));
    ClickCalculate();
    ASSERT_EQ(Reports.size(), 1u);
    EXPECT_NE(Reports[0].Message.find("abc"), std::string::npos) << Reports[0].Message;
    EXPECT_EQ(Reports[0].Message.find("xyz"), std::string::npos) << Reports[0].Message;
}

// Whatever a field holds, Calculate reports an error and the window stays as it was. The texts
// go in with setText: typing a megabyte key by key would take minutes.
TEST_F(Calculate, AnyTextInAnyFieldIsReportedNeverFatal)
{
    const QString Texts[] = {
        QStringLiteral("letters"),
        QStringLiteral("   "),
        QString(1 << 20, QLatin1Char('7')),
        QStringLiteral("1\x01") + QChar(0x7F),
        QString(1, QChar(0)) + QStringLiteral("5"),
        QString::fromUtf8("\u05E9\u05DC\u05D5\u05DD"), // Hebrew letters
        QString::fromUtf8("\u0661\u0662\u0663"),       // Arabic-Indic digits
        QString::fromUtf8("\u202E12\u202C"),           // a right-to-left override
        QStringLiteral("1e99999"),
        QStringLiteral("\xF0\x9F\x98\x80") + QChar(0xD800), // a lone surrogate at the end
    };
    Show();
    TypeWorkedExample();
    ClickCalculate();
    ASSERT_TRUE(Reports.empty());
    const std::vector<QString> Labels = ResultTexts();
    for (TEdit *Field : {W->Edit1, W->Edit9, W->Edit14})
    {
        const QString Valid = Field->Text();
        for (const QString &Text : Texts)
        {
            Field->SetText(Text);
            ASSERT_EQ(Field->Text(), Text) << "a field has no length limit";
            const std::size_t Before = Reports.size();
            ClickCalculate();
            ASSERT_EQ(Reports.size(), Before + 1) << Field->objectName().toStdString();
            EXPECT_EQ(Field->Text(), Text);
            EXPECT_EQ(ResultTexts(), Labels);
        }
        Field->SetText(Valid);
    }
    EXPECT_TRUE(W->isVisible());
}

TEST_F(Calculate, ResetsTheFloatingPointUnitAfterAFault)
{
    Show();
    SetControlWord(0x037F); // a foreign environment: extended precision but no traps masked off
    ClickCalculate();       // all fields "0": invalid operation
    ASSERT_EQ(Reports.size(), 1u);
    EXPECT_TRUE(StartupEnvironment()) << std::hex << CurrentControlWord();
}

TEST_F(Calculate, ExitEndsTheLoopWhateverTheFieldsHold)
{
    Show();
    ClickCalculate(); // fails: all zero
    ASSERT_EQ(Reports.size(), 1u);
    QTest::mouseClick(W->BitBtn2, Qt::LeftButton);
    EXPECT_TRUE(App.Terminated());
    EXPECT_EQ(FieldTexts(), std::vector<QString>(12, QStringLiteral("0")));
}

} // namespace
