// The whole Calculate path with twelve arbitrary field texts: a click either writes the thirteen
// labels with what the calculation gives for those texts, or reports one error and leaves every
// label and field as it was.

#include "calc/filter_calculation.h"
#include "platform/application.h"
#include "platform/errors.h"
#include "platform/float_env.h"
#include "platform/numeric_text.h"
#include "ui/ormiza.h"

#include <QApplication>
#include <QTest>

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdlib>
#include <optional>
#include <vector>

namespace
{

TApplication *App = nullptr;
int Reports = 0;

std::array<TEdit *, 12> Fields()
{
    return {Ormiza->Edit1,  Ormiza->Edit2,  Ormiza->Edit3,  Ormiza->Edit4,
            Ormiza->Edit5,  Ormiza->Edit7,  Ormiza->Edit8,  Ormiza->Edit9,
            Ormiza->Edit10, Ormiza->Edit12, Ormiza->Edit13, Ormiza->Edit14};
}

std::array<TLabel *, 13> Labels()
{
    return {Ormiza->L1, Ormiza->L2, Ormiza->L3,  Ormiza->L4,  Ormiza->L5,  Ormiza->L6, Ormiza->L7,
            Ormiza->L8, Ormiza->L9, Ormiza->L10, Ormiza->L11, Ormiza->L12, Ormiza->L13};
}

// The oracle: the same texts through the conversions and the calculation directly.
std::optional<std::array<QString, 13>> Expected(const std::array<QString, 12> &Texts)
{
    try
    {
        float Values[12];
        for (std::size_t I = 0; I < 12; ++I)
            Values[I] = StrToSingle(Texts[I]);
        TFilterInputs In{Values[0], Values[1], Values[2], Values[3], Values[4],  Values[5],
                         Values[6], Values[7], Values[8], Values[9], Values[10], Values[11]};
        const TFilterResults R = CalculateFilter(In);
        const float *Out = &R.Qreq;
        const int Digits[13] = {1, 1, 0, 2, 2, 2, 2, 2, 0, 2, 1, 2, 1};
        std::array<QString, 13> Texts13;
        for (std::size_t I = 0; I < 13; ++I)
            Texts13[I] = FloatToStrF(Out[I], ffFixed, 8, Digits[I]);
        return Texts13;
    }
    catch (const Exception &)
    {
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    LoadFloatingPointEnvironment();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    App = new TApplication; // lives as long as the process
    App->Initialize();
    App->SetExceptionReport([](const Exception &) { ++Reports; });
    App->CreateForm(Ormiza);
    Ormiza->show();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *Data, std::size_t Size)
{
    FuzzedDataProvider Provider(Data, Size);
    std::array<QString, 12> Texts;
    for (std::size_t I = 0; I < 12; ++I)
    {
        const std::string Bytes = Provider.ConsumeRandomLengthString(512);
        Texts[I] = QString::fromUtf8(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
        Fields()[I]->setText(Texts[I]);
        Texts[I] = Fields()[I]->text(); // what the field holds is what Calculate reads
    }
    std::array<QString, 13> Before;
    for (std::size_t I = 0; I < 13; ++I)
        Before[I] = Labels()[I]->Caption();
    const int ReportsBefore = Reports;

    QTest::mouseClick(Ormiza->BitBtn1, Qt::LeftButton);

    for (std::size_t I = 0; I < 12; ++I)
        if (Fields()[I]->text() != Texts[I])
            std::abort(); // a command never changes a field
    const auto Want = Expected(Texts);
    if (Want)
    {
        if (Reports != ReportsBefore)
            std::abort();
        for (std::size_t I = 0; I < 13; ++I)
            if (Labels()[I]->Caption() != (*Want)[I])
                std::abort();
    }
    else
    {
        if (Reports != ReportsBefore + 1)
            std::abort();
        for (std::size_t I = 0; I < 13; ++I)
            if (Labels()[I]->Caption() != Before[I])
                std::abort();
    }
    if ((CurrentControlWord() & ~0x40) != OrmizaControlWord)
        std::abort();
    return 0;
}
