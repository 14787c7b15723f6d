#pragma once

// Sizing of a single-transistor active ripple filter: twelve design inputs in, thirteen design
// results out. Every member is a single-precision value; units are given beside each.

#include "platform/errors.h" // EInvalidOp, EZeroDivide, EOverflow: the faults CalculateFilter raises

struct TFilterInputs
{
    float Uo1max;    // ripple amplitude (first harmonic) at the filter input, V
    float Uo1mOut;   // ripple amplitude (first harmonic) wanted at the filter output, V
    float UceMin;    // minimum collector-emitter voltage of VT1, V
    float TambMax;   // maximum ambient temperature, degrees C
    float Uo;        // output voltage, V
    float Io;        // load current, A
    float Fp;        // ripple frequency, Hz
    float H21e;      // common-emitter current gain of VT1
    float H11b;      // common-base input resistance of VT1, ohm
    float TjOverMax; // maximum overheating temperature of VT1, degrees C
    float RthJa;     // junction-to-ambient thermal resistance of VT1, degrees C per W
    float H22e;      // common-emitter output conductance of VT1, S
};

struct TFilterResults
{
    float Qreq;       // required smoothing factor
    float Uin;        // filter input voltage, V
    float UceAllowed; // permissible collector-emitter voltage of VT1, V
    float IcAllowed;  // permissible collector current of VT1, A
    float PcMax;      // maximum collector dissipation the thermal data allow, W
    float Pc;         // power dissipated by the collector of VT1, W
    float IbMilli;    // base current of VT1, mA
    float RbKilo;     // base resistor, kOhm
    float CbMicro;    // base capacitor, uF
    float H11e;       // common-emitter input resistance of VT1, ohm
    float Qcalc;      // smoothing factor the sized filter achieves
    float Rout;       // output resistance of the filter, ohm
    float Efficiency; // efficiency of the filter, %
};

// Evaluates the thirteen steps in x87 extended precision, rounding each step's result to single
// precision before later steps use it. Either returns all thirteen results or throws exactly one
// of EInvalidOp, EZeroDivide, EOverflow from the operation where the fault arises.
TFilterResults CalculateFilter(const TFilterInputs &Inputs);
