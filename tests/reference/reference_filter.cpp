#include "reference_filter.h"

#include <cstdlib>
#include <utility>

#include <mpfr.h>

namespace reference
{
namespace
{

// MPFR writes a number as 0.1xxx times 2^exp, so each format's limits below are one more than
// the usual IEEE exponents. Denormals are emulated with mpfr_subnormalize, whose smallest
// exponent is that of the smallest denormal.
struct Format
{
    mpfr_prec_t Bits;
    mpfr_exp_t Emin; // exponent of the smallest denormal, 2^(Emin - 1)
    mpfr_exp_t Emax; // the largest finite value is just below 2^Emax
};

constexpr Format Extended{64, -16444, 16384}; // x87: 2^-16445 up to (1 - 2^-64) * 2^16384
constexpr Format Double{53, -1073, 1024};
constexpr Format Single{24, -148, 128};

// MPFR's exponent range is global; narrowing it for one rounding must be undone afterwards.
class ExponentRange
{
public:
    explicit ExponentRange(const Format &F) : FEmin(mpfr_get_emin()), FEmax(mpfr_get_emax())
    {
        Set(F.Emin, F.Emax);
    }
    ~ExponentRange() { Set(FEmin, FEmax); }
    ExponentRange(const ExponentRange &) = delete;
    ExponentRange &operator=(const ExponentRange &) = delete;

private:
    static void Set(mpfr_exp_t Emin, mpfr_exp_t Emax)
    {
        // Widen first so that neither call can see emin > emax.
        if (mpfr_set_emin(mpfr_get_emin_min()) != 0 || mpfr_set_emax(Emax) != 0 ||
            mpfr_set_emin(Emin) != 0)
            std::abort();
    }
    mpfr_exp_t FEmin;
    mpfr_exp_t FEmax;
};

// One MPFR number of a given precision that cleans up after itself.
class Number
{
public:
    explicit Number(mpfr_prec_t Bits = Extended.Bits) { mpfr_init2(V, Bits); }
    Number(Number &&Other) noexcept : Number(mpfr_get_prec(Other.V)) { mpfr_swap(V, Other.V); }
    Number(const Number &) = delete;
    Number &operator=(const Number &) = delete;
    Number &operator=(Number &&) = delete;
    ~Number() { mpfr_clear(V); }

    mpfr_t V;
};

struct FaultRaised
{
    Fault Kind;
};

// Operands enter the extended format exactly: single fields and double constants alike.
Number Exact(float F)
{
    Number R;
    mpfr_set_flt(R.V, F, MPFR_RNDN);
    return R;
}

Number Exact(double D)
{
    Number R;
    mpfr_set_d(R.V, D, MPFR_RNDN);
    return R;
}

// Called in the extended exponent range with the ternary value of an operation that MPFR has
// already rounded to 64 bits; this brings denormal results down to their real width.
Number Finish(Number R, int Inexact)
{
    mpfr_subnormalize(R.V, Inexact, MPFR_RNDN);
    if (mpfr_nan_p(R.V))
        throw FaultRaised{Fault::InvalidOp};
    return R;
}

Number Add(const Number &A, const Number &B)
{
    Number R;
    const int Inexact = mpfr_add(R.V, A.V, B.V, MPFR_RNDN);
    return Finish(std::move(R), Inexact);
}

Number Sub(const Number &A, const Number &B)
{
    Number R;
    const int Inexact = mpfr_sub(R.V, A.V, B.V, MPFR_RNDN);
    return Finish(std::move(R), Inexact);
}

Number Mul(const Number &A, const Number &B)
{
    Number R;
    const int Inexact = mpfr_mul(R.V, A.V, B.V, MPFR_RNDN);
    return Finish(std::move(R), Inexact);
}

Number Div(const Number &A, const Number &B)
{
    if (mpfr_zero_p(B.V))
    {
        const bool NoDividend = mpfr_zero_p(A.V) || mpfr_nan_p(A.V);
        throw FaultRaised{NoDividend ? Fault::InvalidOp : Fault::ZeroDivide};
    }
    Number R;
    const int Inexact = mpfr_div(R.V, A.V, B.V, MPFR_RNDN);
    return Finish(std::move(R), Inexact);
}

// Correct rounding of X to a narrower format, denormals and overflow to infinity included.
// The 64-bit value is rounded to the format's width first and then, with the ternary value
// carried along, to the fewer bits a denormal has, which MPFR guarantees to be a single correct
// rounding.
Number Narrow(const Number &X, const Format &F)
{
    Number R(F.Bits);
    int Inexact = mpfr_set(R.V, X.V, MPFR_RNDN);
    ExponentRange Range(F);
    Inexact = mpfr_check_range(R.V, Inexact, MPFR_RNDN);
    mpfr_subnormalize(R.V, Inexact, MPFR_RNDN);
    return R;
}

// The square root sees its argument rounded to double, and is itself rounded to 64 bits.
Number SquareRoot(const Number &S)
{
    const Number D = Narrow(S, Double);
    Number R;
    const int Inexact = mpfr_sqrt(R.V, D.V, MPFR_RNDN);
    return Finish(std::move(R), Inexact);
}

float Store(const Number &X)
{
    if (mpfr_nan_p(X.V))
        throw FaultRaised{Fault::InvalidOp};
    const Number S = Narrow(X, Single);
    if (mpfr_inf_p(S.V))
        throw FaultRaised{Fault::Overflow};
    return mpfr_get_flt(S.V, MPFR_RNDN); // exact: S already is a single
}

// The thirteen steps. Every intermediate is a named local so that the operations happen in
// the written order (C++ leaves the order of function arguments open), which decides the fault
// reported when several would arise. Later steps read the stored single results only.
void Steps(const TFilterInputs &In, TFilterResults &Out, int &Step)
{
    const Number Uo1max = Exact(In.Uo1max);
    const Number Uo1mOut = Exact(In.Uo1mOut);
    const Number UceMin = Exact(In.UceMin);
    const Number TambMax = Exact(In.TambMax);
    const Number Uo = Exact(In.Uo);
    const Number Io = Exact(In.Io);
    const Number Fp = Exact(In.Fp);
    const Number H21e = Exact(In.H21e);
    const Number H11b = Exact(In.H11b);
    const Number TjOverMax = Exact(In.TjOverMax);
    const Number RthJa = Exact(In.RthJa);
    const Number H22e = Exact(In.H22e);

    const Number PointSeven = Exact(0.7);
    const Number TwoPi = Exact(6.2831854);
    const Number FourPi = Exact(12.5663708);
    const Number One = Exact(1.0f);
    const Number Half = Exact(0.5f);
    const Number Two = Exact(2.0f);
    const Number Hundred = Exact(100.0f);
    const Number Thousand = Exact(1000.0f);
    const Number Million = Exact(1000000.0f);

    Step = 1;
    Out.Qreq = Store(Div(Uo1max, Uo1mOut));
    const Number Qreq = Exact(Out.Qreq);

    Step = 2;
    {
        const Number Sum = Add(Uo, UceMin);
        Out.Uin = Store(Add(Sum, Uo1max));
    }
    const Number Uin = Exact(Out.Uin);

    Step = 3;
    {
        const Number Part = Mul(Uin, PointSeven);
        const Number Rest = Sub(Uin, Part);
        Out.UceAllowed = Store(Add(Rest, Uin));
    }

    Step = 4;
    Out.IcAllowed = Store(Mul(Two, Io));

    Step = 5;
    {
        const Number Rise = Sub(TjOverMax, TambMax);
        Out.PcMax = Store(Div(Rise, RthJa));
    }

    Step = 6;
    {
        const Number Drop = Sub(Uin, Uo);
        Out.Pc = Store(Mul(Drop, Io));
    }

    Step = 7;
    {
        const Number Ib = Div(Io, H21e);
        Out.IbMilli = Store(Mul(Ib, Thousand));
    }
    const Number IbMilli = Exact(Out.IbMilli);

    Step = 8;
    {
        const Number Drop = Sub(Uin, Uo);
        const Number Voltage = Add(Drop, Uo1max);
        Out.RbKilo = Store(Div(Voltage, IbMilli));
    }
    const Number RbKilo = Exact(Out.RbKilo);

    Step = 9;
    {
        const Number Doubled = Mul(Two, Qreq);
        const Number Numerator = Mul(Doubled, Thousand);
        const Number Omega = Mul(TwoPi, Fp);
        const Number Denominator = Mul(Omega, RbKilo);
        Out.CbMicro = Store(Div(Numerator, Denominator));
    }
    const Number CbMicro = Exact(Out.CbMicro);

    Step = 10;
    {
        const Number Gain = Add(One, H21e);
        Out.H11e = Store(Mul(Gain, H11b));
    }
    const Number H11e = Exact(Out.H11e);

    Step = 11;
    {
        const Number Product = Mul(H11e, H22e);
        const Number Gain = Add(One, H21e);
        const Number A = Div(Product, Gain);
        const Number ASquared = Mul(A, A);
        const Number HalfFp = Mul(Fp, Half);
        const Number Omega = Mul(HalfFp, FourPi);
        const Number OmegaR = Mul(Omega, RbKilo);
        const Number W = Mul(OmegaR, CbMicro);
        const Number WSquared = Mul(W, W);
        const Number Inverse = Div(Million, WSquared);
        const Number Sum = Add(ASquared, Inverse);
        const Number Root = SquareRoot(Sum);
        const Number Ratio = Div(Uo, Uin);
        Out.Qcalc = Store(Div(Ratio, Root));
    }

    Step = 12;
    {
        const Number Omega = Mul(TwoPi, Fp);
        const Number OmegaC = Mul(Omega, CbMicro);
        const Number Denominator = Mul(OmegaC, H21e);
        const Number R = Div(Million, Denominator);
        const Number RSquared = Mul(R, R);
        const Number HSquared = Mul(H11b, H11b);
        const Number Sum = Add(RSquared, HSquared);
        Out.Rout = Store(SquareRoot(Sum));
    }

    Step = 13;
    {
        const Number Ratio = Div(Uo, Uin);
        Out.Efficiency = Store(Mul(Ratio, Hundred));
    }
    Step = 0;
}

} // namespace

const char *FaultName(Fault Kind)
{
    switch (Kind)
    {
    case Fault::None:
        return "none";
    case Fault::InvalidOp:
        return "invalid operation";
    case Fault::ZeroDivide:
        return "division by zero";
    case Fault::Overflow:
        return "overflow";
    }
    return "?";
}

Outcome CalculateFilter(const TFilterInputs &Inputs)
{
    const ExponentRange Range(Extended);
    Outcome Result;
    try
    {
        Steps(Inputs, Result.Results, Result.Step);
    }
    catch (const FaultRaised &F)
    {
        Result.Kind = F.Kind;
        Result.Results = {};
    }
    return Result;
}

Fault RoundToSingle(long double Value, float &Result)
{
    const ExponentRange Range(Extended);
    Number X;
    mpfr_set_ld(X.V, Value, MPFR_RNDN); // exact: long double is the x87 format
    try
    {
        Result = Store(X);
        return Fault::None;
    }
    catch (const FaultRaised &F)
    {
        return F.Kind;
    }
}

} // namespace reference
