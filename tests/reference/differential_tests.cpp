// CalculateFilter against the MPFR reference: first the reference is pinned to known answers,
// then the two are compared, bit for bit and fault for fault, over a large generated input set.

#include "reference_filter.h"

#include "calc/filter_calculation.h"
#include "platform/float_env.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <sstream>
#include <string>

namespace
{

using reference::Fault;
using reference::Outcome;

constexpr int FieldCount = 12;
constexpr int ResultCount = 13;
using Fields = std::array<float, FieldCount>;
using Results = std::array<float, ResultCount>;

static_assert(sizeof(TFilterInputs) == sizeof(Fields));
static_assert(sizeof(TFilterResults) == sizeof(Results));

constexpr const char *InputNames[FieldCount] = {"Uo1max", "Uo1mOut",   "UceMin", "TambMax",
                                                "Uo",     "Io",        "Fp",     "H21e",
                                                "H11b",   "TjOverMax", "RthJa",  "H22e"};
constexpr const char *ResultNames[ResultCount] = {
    "Qreq",   "Uin",     "UceAllowed", "IcAllowed", "PcMax", "Pc",        "IbMilli",
    "RbKilo", "CbMicro", "H11e",       "Qcalc",     "Rout",  "Efficiency"};

std::uint32_t Bits(float F)
{
    return std::bit_cast<std::uint32_t>(F);
}
float FromBits(std::uint32_t B)
{
    return std::bit_cast<float>(B);
}

Fields ToFields(const TFilterInputs &In)
{
    return std::bit_cast<Fields>(In);
}
TFilterInputs ToInputs(const Fields &F)
{
    return std::bit_cast<TFilterInputs>(F);
}
Results ToResults(const TFilterResults &R)
{
    return std::bit_cast<Results>(R);
}

std::string Hex(float F)
{
    char Text[48];
    std::snprintf(Text, sizeof Text, "0x%08X (%.9g)", static_cast<unsigned>(Bits(F)),
                  static_cast<double>(F));
    return Text;
}

// A single pattern beside the decimal it stands for, so that a reader can check either.
struct Golden
{
    float Decimal;
    std::uint32_t Pattern;
};

// The worked example of a small supply filter: inputs are the singles nearest the decimals.
constexpr Golden ExampleInputs[FieldCount] = {
    {1.2f, 0x3F99999A},    // Uo1max
    {0.015f, 0x3C75C28F},  // Uo1mOut
    {2.2f, 0x400CCCCD},    // UceMin
    {45.0f, 0x42340000},   // TambMax
    {9.0f, 0x41100000},    // Uo
    {0.35f, 0x3EB33333},   // Io
    {100.0f, 0x42C80000},  // Fp
    {60.0f, 0x42700000},   // H21e
    {0.8f, 0x3F4CCCCD},    // H11b
    {125.0f, 0x42FA0000},  // TjOverMax
    {70.0f, 0x428C0000},   // RthJa
    {0.0002f, 0x3951B717}, // H22e
};

constexpr Golden ExampleResults[ResultCount] = {
    {80.0000076f, 0x42A00001},  // Qreq
    {12.3999996f, 0x41466666},  // Uin
    {16.1199989f, 0x4180F5C2},  // UceAllowed
    {0.699999988f, 0x3F333333}, // IcAllowed
    {1.14285719f, 0x3F924925},  // PcMax
    {1.18999982f, 0x3F9851EA},  // Pc
    {5.83333302f, 0x40BAAAAA},  // IbMilli
    {0.788571417f, 0x3F49DFD1}, // RbKilo
    {322.923096f, 0x43A17628},  // CbMicro
    {48.7999992f, 0x42433333},  // H11e
    {116.091011f, 0x42E82E99},  // Qcalc
    {0.804206133f, 0x3F4DE074}, // Rout
    {72.5806503f, 0x4291294B},  // Efficiency
};

Fields ExampleFields()
{
    Fields F{};
    for (int I = 0; I < FieldCount; ++I)
        F[I] = FromBits(ExampleInputs[I].Pattern);
    return F;
}

TFilterInputs Example()
{
    return ToInputs(ExampleFields());
}

TEST(ReferenceFilter, ReproducesTheWorkedExample)
{
    for (int I = 0; I < FieldCount; ++I)
        EXPECT_EQ(Bits(ExampleInputs[I].Decimal), ExampleInputs[I].Pattern) << "input " << I;

    const Outcome Out = reference::CalculateFilter(Example());
    ASSERT_EQ(Out.Kind, Fault::None) << reference::FaultName(Out.Kind) << " in step " << Out.Step;
    const Results R = ToResults(Out.Results);
    for (int I = 0; I < ResultCount; ++I)
    {
        EXPECT_EQ(Bits(ExampleResults[I].Decimal), ExampleResults[I].Pattern) << ResultNames[I];
        EXPECT_EQ(Bits(R[I]), ExampleResults[I].Pattern) << ResultNames[I] << ": " << Hex(R[I]);
    }
}

// 1.3 * Uin lies exactly midway between two singles; the double 0.7, slightly below 0.7, tips
// the extended-precision result to the upper one. Plain double arithmetic gives the lower.
TEST(ReferenceFilter, StepThreeTieGoesToTheUpperSingle)
{
    TFilterInputs In{};
    In.Uo1max = 1.0f;
    In.Uo1mOut = 0.01f;
    In.UceMin = 3.0f;
    In.TambMax = 40.0f;
    In.Uo = FromBits(0x41400022); // 12.000032424926758
    In.Io = 1.0f;
    In.Fp = 100.0f;
    In.H21e = 50.0f;
    In.H11b = 10.0f;
    In.TjOverMax = 125.0f;
    In.RthJa = 50.0f;
    In.H22e = 0.0001f;

    const Outcome Out = reference::CalculateFilter(In);
    ASSERT_EQ(Out.Kind, Fault::None);
    EXPECT_EQ(Bits(Out.Results.Uin), 0x41800011u);        // 16.0000324249267578125
    EXPECT_EQ(Bits(Out.Results.UceAllowed), 0x41A6667Du); // 20.8000431060791015625
}

struct FaultCase
{
    const char *What;
    void (*Change)(TFilterInputs &);
    Fault Kind;
    int Step;
};

// Faults on top of the worked example: which kind, and in which step.
const FaultCase FaultCases[] = {
    {"all inputs zero", [](TFilterInputs &In) { In = {}; }, Fault::InvalidOp, 1},
    {"Uo1mOut 0", [](TFilterInputs &In) { In.Uo1mOut = 0; }, Fault::ZeroDivide, 1},
    {"Uo1mOut -0", [](TFilterInputs &In) { In.Uo1mOut = -0.0f; }, Fault::ZeroDivide, 1},
    {"Uo1max 1e30 over Uo1mOut 1e-30",
     [](TFilterInputs &In)
     {
         In.Uo1max = 1e30f;
         In.Uo1mOut = 1e-30f;
     },
     Fault::Overflow, 1},
    {"Uo1max not a number",
     [](TFilterInputs &In) { In.Uo1max = std::numeric_limits<float>::quiet_NaN(); },
     Fault::InvalidOp, 1},
    {"Uo1max infinite over 0",
     [](TFilterInputs &In)
     {
         In.Uo1max = std::numeric_limits<float>::infinity();
         In.Uo1mOut = 0;
     },
     Fault::ZeroDivide, 1},
    {"Uo FLT_MAX, UceMin half its ulp (tie rounds up)",
     [](TFilterInputs &In)
     {
         In.Uo = FLT_MAX;
         In.UceMin = 0x1p103f;
         In.Uo1max = 0;
     },
     Fault::Overflow, 2},
    {"RthJa 0", [](TFilterInputs &In) { In.RthJa = 0; }, Fault::ZeroDivide, 5},
    {"RthJa 0, TjOverMax = TambMax",
     [](TFilterInputs &In)
     {
         In.RthJa = 0;
         In.TjOverMax = 45;
     },
     Fault::InvalidOp, 5},
    {"H21e 0", [](TFilterInputs &In) { In.H21e = 0; }, Fault::ZeroDivide, 7},
    {"H21e 0, Io 0",
     [](TFilterInputs &In)
     {
         In.H21e = 0;
         In.Io = 0;
     },
     Fault::InvalidOp, 7},
    {"Io 0", [](TFilterInputs &In) { In.Io = 0; }, Fault::ZeroDivide, 8},
    {"IbMilli below the single range",
     [](TFilterInputs &In)
     {
         In.Io = 1e-30f;
         In.H21e = 1e20f;
     },
     Fault::ZeroDivide, 8},
    {"Fp 0", [](TFilterInputs &In) { In.Fp = 0; }, Fault::ZeroDivide, 9},
    {"Fp 0, Uo1max 0",
     [](TFilterInputs &In)
     {
         In.Fp = 0;
         In.Uo1max = 0;
     },
     Fault::InvalidOp, 9},
    {"RbKilo exactly 0",
     [](TFilterInputs &In)
     {
         In.Uo1max = 1.25f;
         In.UceMin = -2.5f;
     },
     Fault::ZeroDivide, 9},
    {"Uo1max 0", [](TFilterInputs &In) { In.Uo1max = 0; }, Fault::ZeroDivide, 11},
    {"H21e -1", [](TFilterInputs &In) { In.H21e = -1; }, Fault::InvalidOp, 11},
    {"H21e -1, Uin 0",
     [](TFilterInputs &In)
     {
         In.H21e = -1;
         In.UceMin = -10.25f;
         In.Uo1max = 1.25f;
     },
     Fault::InvalidOp, 11},
    {"Uin 0",
     [](TFilterInputs &In)
     {
         In.UceMin = -10.25f;
         In.Uo1max = 1.25f;
     },
     Fault::ZeroDivide, 11},
    {"Uin 0, Uo 0",
     [](TFilterInputs &In)
     {
         In.Uo = 0;
         In.UceMin = -1.25f;
         In.Uo1max = 1.25f;
     },
     Fault::InvalidOp, 11},
};

TEST(ReferenceFilter, RaisesTheFaultOfTheFirstFailingOperation)
{
    for (const FaultCase &C : FaultCases)
    {
        TFilterInputs In = Example();
        C.Change(In);
        const Outcome Out = reference::CalculateFilter(In);
        EXPECT_EQ(Out.Kind, C.Kind) << C.What << ": got " << reference::FaultName(Out.Kind);
        EXPECT_EQ(Out.Step, C.Step) << C.What;
    }
}

TEST(ReferenceFilter, KeepsCalculatingWithZeroAndNegativeInputs)
{
    TFilterInputs In = Example();
    In.H22e = 0;
    Outcome Out = reference::CalculateFilter(In);
    ASSERT_EQ(Out.Kind, Fault::None);
    EXPECT_EQ(Bits(Out.Results.Qcalc), 0x42E84212u); // 116.129044

    In = Example();
    In.H11b = 0;
    Out = reference::CalculateFilter(In);
    ASSERT_EQ(Out.Kind, Fault::None);
    EXPECT_EQ(Bits(Out.Results.H11e), 0u);
    EXPECT_EQ(Bits(Out.Results.Qcalc), 0x42E84212u); // 116.129044
    EXPECT_EQ(Bits(Out.Results.Rout), 0x3DA83A83u);  // 0.0821428522

    In = Example();
    In.Uo1mOut = -In.Uo1mOut;
    Out = reference::CalculateFilter(In);
    ASSERT_EQ(Out.Kind, Fault::None);
    Results Expected{};
    for (int I = 0; I < ResultCount; ++I)
        Expected[I] = FromBits(ExampleResults[I].Pattern);
    Expected[0] = -Expected[0]; // Qreq
    Expected[8] = -Expected[8]; // CbMicro
    const Results Got = ToResults(Out.Results);
    for (int I = 0; I < ResultCount; ++I)
        EXPECT_EQ(Bits(Got[I]), Bits(Expected[I])) << ResultNames[I];
}

// The rounding that ends every step, where it is easiest to get wrong: ties, denormals and
// the edge of the single range.
TEST(ReferenceFilter, RoundsToSingleCorrectly)
{
    struct Case
    {
        long double Value;
        Fault Kind;
        std::uint32_t Pattern;
    };
    const Case Cases[] = {
        {0x1.000001p0L, Fault::None, 0x3F800000},              // tie, to even: down
        {0x1.000003p0L, Fault::None, 0x3F800002},              // tie, to even: up
        {0x1.0000010000000002p0L, Fault::None, 0x3F800001},    // just above a tie
        {0x1p-150L, Fault::None, 0x00000000},                  // half the smallest denormal
        {-0x1p-150L, Fault::None, 0x80000000},                 // ... keeps its sign
        {0x1.0000000000000002p-150L, Fault::None, 0x00000001}, // just above it
        {0x1.4p-148L, Fault::None, 0x00000002},                // 2.5 denormal units: to even
        {0x1.cp-148L, Fault::None, 0x00000004},                // 3.5 units: to even
        {0x1.ffffffp-127L, Fault::None, 0x00800000}, // tie between largest denormal and FLT_MIN
        {0x1.fffffefffffffffep127L, Fault::None, 0x7F7FFFFF}, // just below FLT_MAX + half ulp
        {0x1.ffffffp127L, Fault::Overflow, 0},                // FLT_MAX + half ulp: tie goes up
        {-0x1.ffffffp127L, Fault::Overflow, 0},
        {0x1p16000L, Fault::Overflow, 0},
        {std::numeric_limits<long double>::infinity(), Fault::Overflow, 0},
        {std::numeric_limits<long double>::quiet_NaN(), Fault::InvalidOp, 0},
    };
    for (const Case &C : Cases)
    {
        float Result = 0;
        const Fault Kind = reference::RoundToSingle(C.Value, Result);
        EXPECT_EQ(Kind, C.Kind) << static_cast<double>(C.Value);
        if (C.Kind == Fault::None)
        {
            EXPECT_EQ(Bits(Result), C.Pattern) << static_cast<double>(C.Value);
        }
    }
}

// Inputs from raw 64-bit draws only, mapped by hand: the standard distributions differ
// between library implementations, and the set must be the same everywhere.
class InputSource
{
public:
    explicit InputSource(std::uint64_t Seed) : FEngine(Seed) {}

    TFilterInputs Next()
    {
        Fields F{};
        const std::uint32_t Kind = Below(100);
        if (Kind < 30) // around the worked example
            for (int I = 0; I < FieldCount; ++I)
                F[I] = Signed(Perturbed(I, 2), 20);
        else if (Kind < 45) // same design, scaled by up to 2^60 either way
            for (int I = 0; I < FieldCount; ++I)
                F[I] = Signed(Perturbed(I, 60), 4);
        else if (Kind < 60) // anything a float can hold, infinities and not-a-numbers included
            for (int I = 0; I < FieldCount; ++I)
                F[I] = FromBits(Raw32());
        else if (Kind < 85) // each field on its own
            for (int I = 0; I < FieldCount; ++I)
                F[I] = AnyField(I);
        else if (Kind < 95)
            F = Crafted();
        else // extremes only
            for (int I = 0; I < FieldCount; ++I)
                F[I] = Extreme();
        return ToInputs(F);
    }

private:
    std::uint64_t Raw() { return FEngine(); }
    std::uint32_t Raw32() { return static_cast<std::uint32_t>(Raw() >> 32); }
    std::uint32_t Below(std::uint32_t N)
    {
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(Raw32()) * N) >> 32);
    }
    int Between(int Low, int High) { return Low + static_cast<int>(Below(High - Low + 1)); }
    double Unit() { return static_cast<double>(Raw() >> 11) * 0x1p-53; }

    float Signed(float F, std::uint32_t OneIn) { return Below(OneIn) == 0 ? -F : F; }

    // Field I of the worked example times a factor between 2^-Octaves and 2^(Octaves+1).
    float Perturbed(int I, int Octaves)
    {
        const double Factor = std::ldexp(1.0 + Unit(), Between(-Octaves, Octaves));
        return static_cast<float>(static_cast<double>(ExampleInputs[I].Decimal) * Factor);
    }

    float Dyadic(int Range, int Denominator)
    {
        return static_cast<float>(Between(-Range, Range)) / static_cast<float>(Denominator);
    }

    float Special()
    {
        static constexpr std::uint32_t Patterns[] = {
            0x00000000, 0x80000000, 0x7F800000, 0xFF800000, 0x7FC00000, 0xFFC00000,
            0x7FA00000, // signalling not-a-number
            0x7F7FFFFF, 0xFF7FFFFF, 0x00800000, 0x80800000, 0x00000001, 0x80000001,
            0x007FFFFF, 0x3F800000, 0xBF800000, 0x3F000000, 0x40000000, 0x3F7FFFFF,
            0x3F800001, 0x7EFFFFFF, 0x7F000000, 0x73000000, // 2^103, half an ulp of FLT_MAX
            0x00000003};
        return FromBits(Patterns[Below(std::size(Patterns))]);
    }

    float Subnormal() { return FromBits(Raw32() & 0x807FFFFFu); }

    // Magnitude 2^123 or more.
    float Huge()
    {
        const std::uint32_t Exponent = 250u + Below(5);
        return FromBits((Raw32() & 0x807FFFFFu) | (Exponent << 23));
    }

    float Tiny()
    {
        const std::uint32_t Exponent = 1u + Below(20);
        return FromBits((Raw32() & 0x807FFFFFu) | (Exponent << 23));
    }

    float Extreme()
    {
        switch (Below(4))
        {
        case 0:
            return Subnormal();
        case 1:
            return Huge();
        case 2:
            return Tiny();
        default:
            return Special();
        }
    }

    float AnyField(int I)
    {
        switch (Below(10))
        {
        case 0:
        case 1:
        case 2:
        case 3:
            return Signed(Perturbed(I, 3), 8);
        case 4:
            return FromBits(Raw32());
        case 5:
            return Subnormal();
        case 6:
            return Huge();
        case 7:
            return Special();
        case 8:
            return Dyadic(16, 4); // small exact values: exact sums, cancellations, zeros
        default:
            return Tiny();
        }
    }

    // Designs steered into the spots where the arithmetic is decided: exact zeros, ties,
    // the edges of the single range.
    Fields Crafted()
    {
        Fields F{};
        for (int I = 0; I < FieldCount; ++I)
            F[I] = Perturbed(I, 2);
        float &Uo1max = F[0], &Uo1mOut = F[1], &UceMin = F[2], &TambMax = F[3], &Uo = F[4],
              &Io = F[5], &Fp = F[6], &H21e = F[7], &TjOverMax = F[9], &RthJa = F[10];
        const float Zero = Below(2) == 0 ? 0.0f : -0.0f;
        switch (Below(12))
        {
        case 0: // Uin exactly zero, sometimes Uo too
            Uo = Below(4) == 0 ? Zero : Dyadic(64, 8);
            Uo1max = Dyadic(64, 8);
            UceMin = -(Uo + Uo1max);
            break;
        case 1: // RbKilo exactly zero
            Uo1max = Dyadic(64, 8);
            Uo = Dyadic(128, 4);
            UceMin = -2.0f * Uo1max;
            break;
        case 2: // 1 + H21e exactly zero
            H21e = -1.0f;
            if (Below(3) == 0)
            {
                Uo = Dyadic(64, 4);
                Uo1max = Dyadic(16, 4);
                UceMin = -(Uo + Uo1max);
            }
            break;
        case 3:
            RthJa = Zero;
            if (Below(2) == 0)
                TjOverMax = TambMax;
            break;
        case 4:
            if (Below(2) == 0)
                Io = Zero;
            else
                H21e = Zero;
            if (Below(3) == 0)
                Io = H21e = Zero;
            break;
        case 5:
            Fp = Zero;
            if (Below(2) == 0)
                Uo1max = Zero;
            break;
        case 6:
            Uo1max = Zero;
            break;
        case 7: // IbMilli near or below the bottom of the single range
            Io = Below(2) == 0 ? Subnormal() : Tiny();
            H21e = Signed(Huge(), 4);
            break;
        case 8:
            StepThreeTie(F);
            break;
        case 9: // Uin at the overflow threshold: FLT_MAX plus half an ulp, nudged
        {
            const float Sign = Below(2) == 0 ? 1.0f : -1.0f;
            Uo = Sign * FLT_MAX;
            UceMin = Sign * 0x1p103f;
            Uo1max = Below(4) == 0 ? Zero : -Sign * std::ldexp(1.0f, Between(50, 76));
            break;
        }
        case 10: // 2 * Io at the overflow threshold
            Io = FromBits((Below(2) << 31) | (0x7EFFFFF0u + Below(32)));
            break;
        default: // Qreq at either end of the single range
            if (Below(2) == 0)
            {
                Uo1max = Signed(FromBits(0x7F7FFF00u + Below(256)), 2);
                Uo1mOut = FromBits(0x3F7FFF00u + Below(512));
            }
            else
            {
                Uo1max = Subnormal();
                Uo1mOut = static_cast<float>(1.0 + 3.0 * Unit());
            }
            break;
        }
        return F;
    }

    // Uin = 5j * 2^e with j odd and 13j a 25-bit number: then 1.3 * Uin = 13j * 2^(e-1) lies
    // exactly midway between two singles. Uo is chosen so that the sum in step 2 gives Uin.
    void StepThreeTie(Fields &F)
    {
        const std::uint32_t J = 1290557u + 2u * Below(645277u); // odd, 13j in [2^24, 2^25)
        const double Uin = std::ldexp(5.0 * J, Between(-20, -4));
        const float UceMin = static_cast<float>(Between(1, 8));
        const float Uo1max = static_cast<float>(Between(1, 8)) / 4.0f;
        const double Uo = Uin - UceMin - Uo1max; // exact
        if (static_cast<double>(static_cast<float>(Uo)) != Uo)
            return;
        F[0] = Uo1max;
        F[2] = UceMin;
        F[4] = static_cast<float>(Uo);
    }

    std::mt19937_64 FEngine;
};

Outcome RunProduction(const TFilterInputs &In)
{
    Outcome Out;
    try
    {
        Out.Results = CalculateFilter(In);
    }
    catch (const EInvalidOp &)
    {
        Out.Kind = Fault::InvalidOp;
    }
    catch (const EZeroDivide &)
    {
        Out.Kind = Fault::ZeroDivide;
    }
    catch (const EOverflow &)
    {
        Out.Kind = Fault::Overflow;
    }
    return Out;
}

bool Same(const Outcome &Expected, const Outcome &Actual)
{
    if (Expected.Kind != Actual.Kind)
        return false;
    if (Expected.Kind != Fault::None)
        return true;
    const Results E = ToResults(Expected.Results);
    const Results A = ToResults(Actual.Results);
    for (int I = 0; I < ResultCount; ++I)
        if (Bits(E[I]) != Bits(A[I]))
            return false;
    return true;
}

std::string Describe(const TFilterInputs &In, const Outcome &Expected, const Outcome &Actual)
{
    std::ostringstream Text;
    const Fields F = ToFields(In);
    Text << "inputs:";
    for (int I = 0; I < FieldCount; ++I)
        Text << ' ' << InputNames[I] << '=' << Hex(F[I]);
    Text << "\nreference: " << reference::FaultName(Expected.Kind);
    if (Expected.Kind != Fault::None)
        Text << " in step " << Expected.Step;
    Text << "\nproduction: " << reference::FaultName(Actual.Kind);
    if (Expected.Kind == Fault::None || Actual.Kind == Fault::None)
    {
        const Results E = ToResults(Expected.Results);
        const Results A = ToResults(Actual.Results);
        for (int I = 0; I < ResultCount; ++I)
        {
            Text << "\n  " << ResultNames[I] << ": reference " << Hex(E[I]) << ", production "
                 << Hex(A[I]);
            if (Bits(E[I]) != Bits(A[I]))
                Text << "  <-- differs";
        }
    }
    return Text.str();
}

// Designs whose Rout depends on the square root taking its argument rounded to double: with the
// argument kept at 64 bits each would come out one unit higher or lower. Such inputs are too
// rare for the generated set to meet, so they were searched for and are kept here.
TEST(ReferenceFilterDifferential, SquareRootArgumentIsRoundedToDouble)
{
    // Input bit patterns in field order, and the Rout each must give.
    const std::array<std::uint32_t, FieldCount> Patterns[] = {
        {0x3F224DB0, 0x3C9598B2, 0x41238045, 0x4187A6A6, 0x4087F5EB, 0x3DC2539E, 0x42BEE6F1,
         0x429F69AB, 0x39CBB343, 0x43CBE485, 0x42A8B423, 0x3A9D9B85},
        {0x3F0DECC4, 0x3DBC2BB5, 0x4074304C, 0x4304B01F, 0x421EB230, 0x3EE380BE, 0x4288C0A8,
         0x42AE6163, 0x39025E22, 0x426968CA, 0x423BFD51, 0x3915E65D},
        {0x3F8883D7, 0x3DEF7A38, 0x4125950D, 0x41A7663E, 0x403A8841, 0x3E713B54, 0x432DB399,
         0x423F56A3, 0x38A2CA3B, 0x4263B053, 0x436CC2EB, 0x3AA0E4F6},
        {0x3F156577, 0x3CEC60C7, 0x4107EBA6, 0x4288767F, 0x408D8EFD, 0x4022B16D, 0x43B3C078,
         0x43C42C2F, 0x3665951A, 0x4426E2FE, 0x43BCB176, 0x39EA27AD},
    };
    const std::uint32_t Rout[] = {0x3FDF2988, 0x3F6B173A, 0x4039E474, 0x3DC07194};

    LoadFloatingPointEnvironment();
    for (std::size_t C = 0; C < std::size(Patterns); ++C)
    {
        Fields F{};
        for (int I = 0; I < FieldCount; ++I)
            F[I] = FromBits(Patterns[C][I]);
        const TFilterInputs In = ToInputs(F);
        const Outcome Expected = reference::CalculateFilter(In);
        ASSERT_EQ(Expected.Kind, Fault::None) << "case " << C;
        EXPECT_EQ(Bits(Expected.Results.Rout), Rout[C]) << "case " << C;
        EXPECT_TRUE(Same(Expected, RunProduction(In))) << "case " << C << '\n'
                                                       << Describe(In, Expected, RunProduction(In));
    }
}

TEST(ReferenceFilterDifferential, ProductionMatchesReferenceBitForBit)
{
    LoadFloatingPointEnvironment();

    constexpr int CaseCount = 200000;
    constexpr int ReportedMismatches = 10;
    InputSource Source(0x4F524D495A41ull);
    int Mismatches = 0;
    std::array<int, 4> ByKind{};
    for (int Case = 0; Case < CaseCount; ++Case)
    {
        const TFilterInputs In = Source.Next();
        const Outcome Expected = reference::CalculateFilter(In);
        const Outcome Actual = RunProduction(In);
        ++ByKind[static_cast<std::size_t>(Expected.Kind)];
        if (Same(Expected, Actual))
            continue;
        if (++Mismatches <= ReportedMismatches)
            ADD_FAILURE() << "case " << Case << '\n' << Describe(In, Expected, Actual);
    }

    RecordProperty("cases", CaseCount);
    RecordProperty("mismatches", Mismatches);
    std::printf("differential: %d cases (%d results, %d invalid operation, %d division by zero, "
                "%d overflow), %d mismatches\n",
                CaseCount, ByKind[0], ByKind[1], ByKind[2], ByKind[3], Mismatches);
    EXPECT_EQ(Mismatches, 0);
}

} // namespace
