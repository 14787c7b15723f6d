#pragma once

// The program's one window: the design inputs, the results, the circuit picture and the two
// commands. Everything it shows is declared in ormiza.ui; the class adds the two commands.

#include "platform/classes.h"
#include "platform/controls.h"
#include "platform/forms.h"

#include "ui_ormiza.h"

class TOrmiza : public TForm, private Ui::TORMIZA
{
    Q_OBJECT

public:
    // The controls, by name. The declaration creates them in stacking order; here they are
    // listed in the order the window's fields are declared.
    using Ui::TORMIZA::BitBtn1;
    using Ui::TORMIZA::BitBtn2;
    using Ui::TORMIZA::Edit1;
    using Ui::TORMIZA::Edit10;
    using Ui::TORMIZA::Edit12;
    using Ui::TORMIZA::Edit13;
    using Ui::TORMIZA::Edit14;
    using Ui::TORMIZA::Edit2;
    using Ui::TORMIZA::Edit3;
    using Ui::TORMIZA::Edit4;
    using Ui::TORMIZA::Edit5;
    using Ui::TORMIZA::Edit7;
    using Ui::TORMIZA::Edit8;
    using Ui::TORMIZA::Edit9;
    using Ui::TORMIZA::Image1;
    using Ui::TORMIZA::L1;
    using Ui::TORMIZA::L10;
    using Ui::TORMIZA::L11;
    using Ui::TORMIZA::L12;
    using Ui::TORMIZA::L13;
    using Ui::TORMIZA::L2;
    using Ui::TORMIZA::L3;
    using Ui::TORMIZA::L4;
    using Ui::TORMIZA::L5;
    using Ui::TORMIZA::L6;
    using Ui::TORMIZA::L7;
    using Ui::TORMIZA::L8;
    using Ui::TORMIZA::L9;
    using Ui::TORMIZA::Label10;
    using Ui::TORMIZA::Label11;
    using Ui::TORMIZA::Label13;
    using Ui::TORMIZA::Label14;
    using Ui::TORMIZA::Label15;
    using Ui::TORMIZA::Label16;
    using Ui::TORMIZA::Label18;
    using Ui::TORMIZA::Label19;
    using Ui::TORMIZA::Label2;
    using Ui::TORMIZA::Label20;
    using Ui::TORMIZA::Label21;
    using Ui::TORMIZA::Label22;
    using Ui::TORMIZA::Label23;
    using Ui::TORMIZA::Label24;
    using Ui::TORMIZA::Label25;
    using Ui::TORMIZA::Label26;
    using Ui::TORMIZA::Label27;
    using Ui::TORMIZA::Label28;
    using Ui::TORMIZA::Label29;
    using Ui::TORMIZA::Label3;
    using Ui::TORMIZA::Label30;
    using Ui::TORMIZA::Label31;
    using Ui::TORMIZA::Label4;
    using Ui::TORMIZA::Label5;
    using Ui::TORMIZA::Label6;
    using Ui::TORMIZA::Label7;
    using Ui::TORMIZA::Label8;
    using Ui::TORMIZA::Label9;
    using Ui::TORMIZA::StaticText1;

public slots:
    // Bound by name in the declaration.
    void BitBtn2Click(TObject *Sender);
    void BitBtn1Click(TObject *Sender);

public:
    explicit TOrmiza(TComponent *Owner);
    TOrmiza(TComponent *Owner, int Dummy);
    ~TOrmiza() override;
};

extern TOrmiza *Ormiza;
