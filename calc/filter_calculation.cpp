#include "calc/filter_calculation.h"

#include "platform/float_env.h"

#include <cmath>

// The arithmetic every result depends on:
// - each step is evaluated in x87 extended precision (long double, 64-bit significand, round to
//   nearest), in the order and grouping written below, and rounded to single precision at its
//   end; later steps read the stored single, never the wider value;
// - 0.7, 6.2831854 and 12.5663708 are double constants widened exactly; 1, 0.5, 2, 100, 1000 and
//   1000000 are exact in any format;
// - a square root takes its argument rounded to double and is kept at extended width;
// - a fault stops the calculation at the operation where it arises: 0/0 (or any operation with
//   no numeric result) is an invalid operation, x/0 a division by zero, and a step result that
//   does not fit a single an overflow. Nothing is returned after a fault.

namespace
{

using Ext = long double;

constexpr Ext Point7 = static_cast<Ext>(0.7);         // the double nearest 0.7
constexpr Ext TwoPi8 = static_cast<Ext>(6.2831854);   // 2*pi to eight digits, as a double
constexpr Ext FourPi9 = static_cast<Ext>(12.5663708); // twice the previous decimal, as a double

static_assert(static_cast<double>(FourPi9) == 2.0 * static_cast<double>(TwoPi8));

[[noreturn]] [[gnu::cold]] [[gnu::noinline]] void RaiseDivisionByZero(Ext Dividend)
{
    if (Dividend == 0 || Dividend != Dividend)
        throw EInvalidOp();
    throw EZeroDivide();
}

[[noreturn]] [[gnu::cold]] [[gnu::noinline]] void RaiseInvalid()
{
    throw EInvalidOp();
}

// With finite inputs sums and products cannot leave the extended range; only infinities that
// cancel (inf - inf, 0 * inf) give no number, and that is an invalid operation.
inline Ext Checked(Ext Value)
{
    if (Value != Value) [[unlikely]]
        RaiseInvalid();
    return Value;
}

inline Ext Add(Ext A, Ext B)
{
    return Checked(A + B);
}
inline Ext Sub(Ext A, Ext B)
{
    return Checked(A - B);
}
inline Ext Mul(Ext A, Ext B)
{
    return Checked(A * B);
}

inline Ext Div(Ext Dividend, Ext Divisor)
{
    if (Divisor == 0) [[unlikely]]
        RaiseDivisionByZero(Dividend);
    return Checked(Dividend / Divisor);
}

// The argument is rounded to double first; the root is correctly rounded to 64 bits.
inline Ext Root(Ext Value)
{
    const double Argument = static_cast<double>(Value);
    return Checked(sqrtl(static_cast<Ext>(Argument)));
}

inline Ext X(float Value)
{
    return static_cast<Ext>(Value);
}

} // namespace

TFilterResults CalculateFilter(const TFilterInputs &In)
{
    TFilterResults R;

    // 1. Required smoothing factor.
    R.Qreq = RoundToSingle(Div(X(In.Uo1max), X(In.Uo1mOut)));

    // 2. Input voltage: (Uo + UceMin) + Uo1max.
    R.Uin = RoundToSingle(Add(Add(X(In.Uo), X(In.UceMin)), X(In.Uo1max)));

    // 3. Permissible collector-emitter voltage, 1.3 * Uin written as (Uin - Uin * 0.7) + Uin.
    //    The double 0.7 lies below 0.7, which decides ties in the rounding to single.
    R.UceAllowed = RoundToSingle(Add(Sub(X(R.Uin), Mul(X(R.Uin), Point7)), X(R.Uin)));

    // 4. Permissible collector current.
    R.IcAllowed = RoundToSingle(Mul(2, X(In.Io)));

    // 5. Maximum collector dissipation the thermal data allow.
    R.PcMax = RoundToSingle(Div(Sub(X(In.TjOverMax), X(In.TambMax)), X(In.RthJa)));

    // 6. Collector dissipation.
    R.Pc = RoundToSingle(Mul(Sub(X(R.Uin), X(In.Uo)), X(In.Io)));

    // 7. Base current in mA.
    R.IbMilli = RoundToSingle(Mul(Div(X(In.Io), X(In.H21e)), 1000));

    // 8. Base resistor in kOhm: volts over milliamperes.
    R.RbKilo = RoundToSingle(Div(Add(Sub(X(R.Uin), X(In.Uo)), X(In.Uo1max)), X(R.IbMilli)));

    // 9. Base capacitor in uF.
    R.CbMicro =
        RoundToSingle(Div(Mul(Mul(2, X(R.Qreq)), 1000), Mul(Mul(TwoPi8, X(In.Fp)), X(R.RbKilo))));

    // 10. Common-emitter input resistance.
    R.H11e = RoundToSingle(Mul(Add(1, X(In.H21e)), X(In.H11b)));

    // 11. Achieved smoothing factor. Each square is the product of two evaluations of the same
    //     expression, which equals the expression times itself.
    {
        const Ext A1 = Div(Mul(X(R.H11e), X(In.H22e)), Add(1, X(In.H21e)));
        const Ext A = Mul(A1, A1);
        const Ext W = Mul(Mul(Mul(Mul(X(In.Fp), 0.5L), FourPi9), X(R.RbKilo)), X(R.CbMicro));
        const Ext B = Mul(W, W);
        const Ext S = Add(A, Div(1000000, B));
        const Ext RootS = Root(S);
        R.Qcalc = RoundToSingle(Div(Div(X(In.Uo), X(R.Uin)), RootS));
    }

    // 12. Output resistance.
    {
        const Ext Rr = Div(1000000, Mul(Mul(Mul(TwoPi8, X(In.Fp)), X(R.CbMicro)), X(In.H21e)));
        const Ext S = Add(Mul(Rr, Rr), Mul(X(In.H11b), X(In.H11b)));
        R.Rout = RoundToSingle(Root(S));
    }

    // 13. Efficiency in percent.
    R.Efficiency = RoundToSingle(Mul(Div(X(In.Uo), X(R.Uin)), 100));

    return R;
}
