#include "ui/ormiza.h"

#include "calc/filter_calculation.h"
#include "platform/application.h"
#include "platform/numeric_text.h"

TOrmiza *Ormiza = nullptr;

TOrmiza::TOrmiza(TComponent *Owner) : TForm(Owner)
{
    setupUi(this);
}

TOrmiza::TOrmiza(TComponent *Owner, int Dummy) : TForm(Owner, Dummy) {}

TOrmiza::~TOrmiza() = default;

// Calculate. The fields are read top to bottom and all of them are converted before anything is
// calculated, and everything is calculated before the first result is written: a bad field or a
// fault in the calculation leaves every result as it was. Errors go to the caller, which reports
// them.
void TOrmiza::BitBtn1Click(TObject *)
{
    TFilterInputs Inputs;
    Inputs.Uo1max = StrToSingle(Edit1->Text());
    Inputs.Uo1mOut = StrToSingle(Edit2->Text());
    Inputs.UceMin = StrToSingle(Edit3->Text());
    Inputs.TambMax = StrToSingle(Edit4->Text());
    Inputs.Uo = StrToSingle(Edit5->Text());
    Inputs.Io = StrToSingle(Edit7->Text());
    Inputs.Fp = StrToSingle(Edit8->Text());
    Inputs.H21e = StrToSingle(Edit9->Text());
    Inputs.H11b = StrToSingle(Edit10->Text());
    Inputs.TjOverMax = StrToSingle(Edit12->Text());
    Inputs.RthJa = StrToSingle(Edit13->Text());
    Inputs.H22e = StrToSingle(Edit14->Text());

    const TFilterResults Results = CalculateFilter(Inputs);

    L1->SetCaption(FloatToStrF(Results.Qreq, ffFixed, 8, 1));
    L2->SetCaption(FloatToStrF(Results.Uin, ffFixed, 8, 1));
    L3->SetCaption(FloatToStrF(Results.UceAllowed, ffFixed, 8, 0));
    L4->SetCaption(FloatToStrF(Results.IcAllowed, ffFixed, 8, 2));
    L5->SetCaption(FloatToStrF(Results.PcMax, ffFixed, 8, 2));
    L6->SetCaption(FloatToStrF(Results.Pc, ffFixed, 8, 2));
    L7->SetCaption(FloatToStrF(Results.IbMilli, ffFixed, 8, 2));
    L8->SetCaption(FloatToStrF(Results.RbKilo, ffFixed, 8, 2));
    L9->SetCaption(FloatToStrF(Results.CbMicro, ffFixed, 8, 0));
    L10->SetCaption(FloatToStrF(Results.H11e, ffFixed, 8, 2));
    L11->SetCaption(FloatToStrF(Results.Qcalc, ffFixed, 8, 1));
    L12->SetCaption(FloatToStrF(Results.Rout, ffFixed, 8, 2));
    L13->SetCaption(FloatToStrF(Results.Efficiency, ffFixed, 8, 1));
}

// Exit.
void TOrmiza::BitBtn2Click(TObject *)
{
    Application->Terminate();
}
