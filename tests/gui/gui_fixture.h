#pragma once

// A fresh main window per test, owned by its own application object, with every error report
// recorded instead of shown.

#include "platform/application.h"
#include "platform/errors.h"
#include "platform/float_env.h"
#include "ui/ormiza.h"

#include <QApplication>
#include <QLocale>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

struct TReport
{
    std::string Kind;
    std::string Message;
    bool operator==(const TReport &) const = default;
};

inline std::string KindOf(const Exception &E)
{
    if (dynamic_cast<const EConvertError *>(&E) != nullptr)
        return "EConvertError";
    if (dynamic_cast<const EInvalidOp *>(&E) != nullptr)
        return "EInvalidOp";
    if (dynamic_cast<const EZeroDivide *>(&E) != nullptr)
        return "EZeroDivide";
    if (dynamic_cast<const EOverflow *>(&E) != nullptr)
        return "EOverflow";
    return "Exception";
}

// The floating-point environment of start-up is in force. Bit 6 of the control word is reserved
// and reads back as one.
inline bool StartupEnvironment()
{
    return (CurrentControlWord() & ~0x40) == OrmizaControlWord;
}

inline void PrintTo(const TReport &R, std::ostream *Out)
{
    *Out << R.Kind << " \"" << R.Message << "\"";
}

// A text written with '.' as the decimal separator, in the user's notation.
inline QString Local(const char *Text)
{
    QString S = QString::fromUtf8(Text);
    return S.replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

inline std::array<TEdit *, 12> FieldsOf(const TOrmiza *W)
{
    return {W->Edit1, W->Edit2, W->Edit3,  W->Edit4,  W->Edit5,  W->Edit7,
            W->Edit8, W->Edit9, W->Edit10, W->Edit12, W->Edit13, W->Edit14};
}

// Replaces the field's text as a user does: select everything, type over it.
inline void Type(TEdit *Field, const QString &Text)
{
    QTest::keyClick(Field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Field, Qt::Key_Delete);
    QTest::keyClicks(Field, Text);
}

// The worked example, typed in the user's notation.
inline void TypeWorkedExample(const TOrmiza *W)
{
    const char *Inputs[] = {"1.2", "0.015", "2.2", "45",  "9",  "0.35",
                            "100", "60",    "0.8", "125", "70", "0.0002"};
    for (std::size_t I = 0; I < FieldsOf(W).size(); ++I)
        Type(FieldsOf(W)[I], Local(Inputs[I]));
}

class OrmizaWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        App.Initialize();
        App.SetExceptionReport(
            [this](const Exception &E) {
                Reports.push_back({KindOf(E), E.Message()});
            });
        App.CreateForm(Ormiza);
        W = Ormiza;
    }

    // What Run does before it dispatches messages.
    void Show()
    {
        W->show();
        W->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(W));
    }

    std::array<TEdit *, 12> Fields() const { return FieldsOf(W); }

    std::array<TLabel *, 13> Results() const
    {
        return {W->L1, W->L2, W->L3,  W->L4,  W->L5,  W->L6, W->L7,
                W->L8, W->L9, W->L10, W->L11, W->L12, W->L13};
    }

    std::vector<QString> ResultTexts() const
    {
        std::vector<QString> Texts;
        for (TLabel *L : Results())
            Texts.push_back(L->Caption());
        return Texts;
    }

    std::vector<QString> FieldTexts() const
    {
        std::vector<QString> Texts;
        for (TEdit *E : Fields())
            Texts.push_back(E->Text());
        return Texts;
    }

    void TypeWorkedExample() const { ::TypeWorkedExample(W); }

    static std::vector<QString> WorkedExampleResults()
    {
        std::vector<QString> Texts;
        for (const char *T : {"80.0", "12.4", "16", "0.70", "1.14", "1.19", "5.83", "0.79", "323",
                              "48.80", "116.1", "0.80", "72.6"})
            Texts.push_back(Local(T));
        return Texts;
    }

    void ClickCalculate() { QTest::mouseClick(W->BitBtn1, Qt::LeftButton); }

    TApplication App;
    TOrmiza *W = nullptr;
    std::vector<TReport> Reports;
};
