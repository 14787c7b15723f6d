// The cost of one Calculate: from the click on the button to the thirteen results written and the
// window repainted, headless, with the worked example in the fields.

#include "platform/application.h"
#include "platform/float_env.h"
#include "ui/ormiza.h"

#include <QApplication>
#include <QEvent>
#include <QTest>

#include <benchmark/benchmark.h>

namespace
{

// Counts the repaints of the result column, to show that every click was painted.
class TPaintCounter : public QObject
{
public:
    long Count = 0;

protected:
    bool eventFilter(QObject *, QEvent *Event) override
    {
        if (Event->type() == QEvent::Paint)
            ++Count;
        return false;
    }
};

void SetField(TEdit *Field, const char *Text)
{
    Field->SetText(QString::fromLatin1(Text));
}

void Click(benchmark::State &State)
{
    TApplication Program;
    Program.Initialize();
    Program.CreateForm(Ormiza);
    TOrmiza *W = Ormiza;
    const char *Inputs[] = {"1.2", "0.015", "2.2", "45",  "9",  "0.35",
                            "100", "60",    "0.8", "125", "70", "0.0002"};
    TEdit *Fields[] = {W->Edit1, W->Edit2, W->Edit3,  W->Edit4,  W->Edit5,  W->Edit7,
                       W->Edit8, W->Edit9, W->Edit10, W->Edit12, W->Edit13, W->Edit14};
    for (int I = 0; I < 12; ++I)
        SetField(Fields[I], Inputs[I]);
    W->show();
    if (!QTest::qWaitForWindowExposed(W))
    {
        State.SkipWithError("window not exposed");
        return;
    }
    TPaintCounter Painted;
    W->L13->installEventFilter(&Painted);

    bool Alternate = false;
    for (auto _ : State)
    {
        // A label shown again with the same text is not repainted: alternate two inputs so that
        // every click changes all thirteen results.
        State.PauseTiming();
        SetField(W->Edit5, Alternate ? "9" : "12");
        Alternate = !Alternate;
        QApplication::processEvents();
        State.ResumeTiming();

        QTest::mouseClick(W->BitBtn1, Qt::LeftButton);
        QApplication::processEvents(); // the repaint of everything the click changed
    }
    State.counters["repaints_per_click"] =
        static_cast<double>(Painted.Count) / static_cast<double>(State.iterations());
}

BENCHMARK(Click)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

} // namespace

int main(int argc, char **argv)
{
    LoadFloatingPointEnvironment();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    TApplication Shared;
    Shared.Initialize();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
