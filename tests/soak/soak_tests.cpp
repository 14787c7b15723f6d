// Ten thousand Calculate clicks in one window: failures of every kind between valid runs. After
// each valid click the labels show what a freshly started program shows for the same inputs;
// after each failure they are unchanged; memory stays flat.

#include "tests/gui/gui_fixture.h" // KindOf

#include "platform/application.h"
#include "platform/errors.h"
#include "platform/float_env.h"
#include "ui/ormiza.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

// Texts in failure messages, readable.
void PrintTo(const QString &S, std::ostream *Out)
{
    *Out << '"' << S.toStdString() << '"';
}

namespace
{

using TTexts = std::array<QString, 12>;

struct TRound
{
    const char *What;
    TTexts Inputs;
    const char *Fault; // nullptr: a valid run
};

const TTexts WorkedExample = {"1.2", "0.015", "2.2", "45",  "9",  "0.35",
                              "100", "60",    "0.8", "125", "70", "0.0002"};

TTexts With(TTexts Texts, std::size_t Field, const char *Text)
{
    Texts[Field] = QString::fromUtf8(Text);
    return Texts;
}

const TTexts Second = With(With(WorkedExample, 6, "50"), 4, "12");

const TRound Rounds[] = {
    {"valid", WorkedExample, nullptr},
    {"letters", With(WorkedExample, 1, "abc"), "EConvertError"},
    {"valid, other inputs", Second, nullptr},
    {"empty field", With(WorkedExample, 11, ""), "EConvertError"},
    {"above the single range", With(WorkedExample, 3, "3.5e38"), "EOverflow"},
    {"valid", WorkedExample, nullptr},
    {"all zero", TTexts{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}, "EInvalidOp"},
    {"division by zero", With(WorkedExample, 1, "0"), "EZeroDivide"},
    {"valid, other inputs", Second, nullptr},
    {"overflow in the calculation", With(With(WorkedExample, 0, "1e30"), 1, "1e-30"), "EOverflow"},
};

// Resident and peak resident memory of this process, in KiB.
std::pair<long, long> Memory()
{
    std::ifstream Status("/proc/self/status");
    std::string Line;
    long Rss = 0, Peak = 0;
    while (std::getline(Status, Line))
    {
        if (Line.rfind("VmRSS:", 0) == 0)
            Rss = std::stol(Line.substr(6));
        if (Line.rfind("VmHWM:", 0) == 0)
            Peak = std::stol(Line.substr(6));
    }
    return {Rss, Peak};
}

class TWindow
{
public:
    TWindow()
    {
        App.Initialize();
        App.SetExceptionReport([this](const Exception &E) { Reports.push_back(KindOf(E)); });
        App.CreateForm(Form);
        Form->show();
    }

    void Enter(const TTexts &Inputs)
    {
        TEdit *Fields[] = {Form->Edit1,  Form->Edit2,  Form->Edit3,  Form->Edit4,
                           Form->Edit5,  Form->Edit7,  Form->Edit8,  Form->Edit9,
                           Form->Edit10, Form->Edit12, Form->Edit13, Form->Edit14};
        for (std::size_t I = 0; I < Inputs.size(); ++I)
            Fields[I]->setText(Inputs[I]);
    }

    void Click()
    {
        QTest::mouseClick(Form->BitBtn1, Qt::LeftButton);
        QApplication::processEvents();
    }

    std::vector<QString> Results() const
    {
        std::vector<QString> Texts;
        for (TLabel *L : {Form->L1, Form->L2, Form->L3, Form->L4, Form->L5, Form->L6, Form->L7,
                          Form->L8, Form->L9, Form->L10, Form->L11, Form->L12, Form->L13})
            Texts.push_back(L->Caption());
        return Texts;
    }

    TApplication App;
    TOrmiza *Form = nullptr;
    std::vector<std::string> Reports;
};

// What a freshly started program shows after one Calculate of these inputs.
std::vector<QString> FreshResults(const TTexts &Inputs)
{
    TWindow Fresh;
    Fresh.Enter(Inputs);
    Fresh.Click();
    EXPECT_TRUE(Fresh.Reports.empty());
    return Fresh.Results();
}

TEST(Soak, TenThousandClicks)
{
    const std::vector<QString> ExpectedFirst = FreshResults(WorkedExample);
    const std::vector<QString> ExpectedSecond = FreshResults(Second);
    ASSERT_NE(ExpectedFirst, ExpectedSecond);

    TWindow Window;
    constexpr int Clicks = 10'000;
    std::pair<long, long> Early{}, Late{};
    std::size_t Failures = 0;
    for (int Click = 0; Click < Clicks; ++Click)
    {
        const TRound &Round = Rounds[static_cast<std::size_t>(Click) % std::size(Rounds)];
        const std::vector<QString> Before = Window.Results();
        Window.Enter(Round.Inputs);
        Window.Click();
        if (Round.Fault == nullptr)
        {
            const auto &Expected = Round.Inputs == Second ? ExpectedSecond : ExpectedFirst;
            ASSERT_EQ(Window.Results(), Expected) << "click " << Click << ": " << Round.What;
        }
        else
        {
            ++Failures;
            ASSERT_EQ(Window.Reports.size(), Failures) << "click " << Click << ": " << Round.What;
            ASSERT_EQ(Window.Reports.back(), Round.Fault) << "click " << Click;
            ASSERT_EQ(Window.Results(), Before) << "click " << Click << ": " << Round.What;
        }
        ASSERT_TRUE((CurrentControlWord() & ~0x40) == OrmizaControlWord) << "click " << Click;
        if (Click == 999)
            Early = Memory();
    }
    Late = Memory();
    std::printf("soak: %d clicks, %zu failures reported; RSS %ld KiB after 1000 clicks, %ld KiB "
                "after %d; peak %ld KiB, then %ld KiB\n",
                Clicks, Failures, Early.first, Late.first, Clicks, Early.second, Late.second);
    RecordProperty("rss_kib_after_1000", static_cast<int>(Early.first));
    RecordProperty("rss_kib_at_end", static_cast<int>(Late.first));
#if !defined(__SANITIZE_ADDRESS__)
    // Allocator noise is a few hundred KiB; a leak of even one text per click would be more.
    EXPECT_LT(Late.second - Early.second, 1024) << "peak RSS grew";
#endif
}

} // namespace

int main(int argc, char **argv)
{
    LoadFloatingPointEnvironment();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    TApplication Shared; // brings up the GUI once; each window below has its own application
    Shared.Initialize();
    return RUN_ALL_TESTS();
}
