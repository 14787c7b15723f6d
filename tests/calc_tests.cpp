// The filter calculation against known values: the worked example bit for bit, the faults each
// edge input raises, and the floating-point environment the results depend on.

#include "calc/filter_calculation.h"
#include "platform/float_env.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace
{

enum class Fault
{
    None,
    InvalidOp,
    ZeroDivide,
    Overflow
};

const char *Name(Fault F)
{
    switch (F)
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

Fault Calculate(const TFilterInputs &In, TFilterResults &Out)
{
    try
    {
        Out = CalculateFilter(In);
        return Fault::None;
    }
    catch (const EInvalidOp &)
    {
        return Fault::InvalidOp;
    }
    catch (const EZeroDivide &)
    {
        return Fault::ZeroDivide;
    }
    catch (const EOverflow &)
    {
        return Fault::Overflow;
    }
}

std::uint32_t Bits(float F)
{
    return std::bit_cast<std::uint32_t>(F);
}

const float *Begin(const TFilterResults &R)
{
    return &R.Qreq;
}

// Uo1max, Uo1mOut, UceMin, TambMax, Uo, Io, Fp, H21e, H11b, TjOverMax, RthJa, H22e.
constexpr TFilterInputs WorkedExample{1.2f,   0.015f, 2.2f, 45.0f,  9.0f,  0.35f,
                                      100.0f, 60.0f,  0.8f, 125.0f, 70.0f, 0.0002f};

class CalcTest : public ::testing::Test
{
protected:
    void SetUp() override { LoadFloatingPointEnvironment(); }
};

TEST_F(CalcTest, WorkedExampleBitForBit)
{
    // Golden vector: bit pattern and the decimal it stands for, in result order.
    struct Golden
    {
        std::uint32_t Bits;
        const char *Decimal;
    };
    const Golden Expected[13] = {
        {0x42A00001, "80.0000076"},  {0x41466666, "12.3999996"},  {0x4180F5C2, "16.1199989"},
        {0x3F333333, "0.699999988"}, {0x3F924925, "1.14285719"},  {0x3F9851EA, "1.18999982"},
        {0x40BAAAAA, "5.83333302"},  {0x3F49DFD1, "0.788571417"}, {0x43A17628, "322.923096"},
        {0x42433333, "48.7999992"},  {0x42E82E99, "116.091011"},  {0x3F4DE074, "0.804206133"},
        {0x4291294B, "72.5806503"}};
    TFilterResults R{};
    ASSERT_EQ(Calculate(WorkedExample, R), Fault::None);
    for (int I = 0; I < 13; ++I)
    {
        EXPECT_EQ(Bits(Begin(R)[I]), Expected[I].Bits) << "result " << I + 1;
        EXPECT_EQ(Bits(Begin(R)[I]), Bits(std::stof(Expected[I].Decimal))) << "result " << I + 1;
    }
}

struct EdgeCase
{
    const char *What;
    std::function<void(TFilterInputs &)> Change;
    Fault Expected;
    // For passing cases: results that must hold (member, value); the others equal the worked
    // example's unless listed.
    std::vector<std::pair<float TFilterResults::*, float>> Values = {};
};

TEST_F(CalcTest, EdgeCases)
{
    using R = TFilterResults;
    const EdgeCase Cases[] = {
        {"all zero", [](TFilterInputs &I) { I = TFilterInputs{}; }, Fault::InvalidOp},
        {"Uo1mOut 0", [](TFilterInputs &I) { I.Uo1mOut = 0; }, Fault::ZeroDivide},
        {"Uo1mOut -0", [](TFilterInputs &I) { I.Uo1mOut = -0.0f; }, Fault::ZeroDivide},
        {"RthJa 0", [](TFilterInputs &I) { I.RthJa = 0; }, Fault::ZeroDivide},
        {"RthJa 0, TjOverMax = TambMax",
         [](TFilterInputs &I)
         {
             I.RthJa = 0;
             I.TjOverMax = 45;
         },
         Fault::InvalidOp},
        {"H21e 0", [](TFilterInputs &I) { I.H21e = 0; }, Fault::ZeroDivide},
        {"H21e 0, Io 0",
         [](TFilterInputs &I)
         {
             I.H21e = 0;
             I.Io = 0;
         },
         Fault::InvalidOp},
        {"Io 0 fails in step 8", [](TFilterInputs &I) { I.Io = 0; }, Fault::ZeroDivide},
        {"base current below the single range",
         [](TFilterInputs &I)
         {
             I.Io = 1e-30f;
             I.H21e = 1e20f;
         },
         Fault::ZeroDivide},
        {"Fp 0", [](TFilterInputs &I) { I.Fp = 0; }, Fault::ZeroDivide},
        {"Fp 0, Uo1max 0",
         [](TFilterInputs &I)
         {
             I.Fp = 0;
             I.Uo1max = 0;
         },
         Fault::InvalidOp},
        {"RbKilo exactly 0",
         [](TFilterInputs &I)
         {
             I.Uo1max = 1.25f;
             I.UceMin = -2.5f;
         },
         Fault::ZeroDivide},
        {"Uo1max 0", [](TFilterInputs &I) { I.Uo1max = 0; }, Fault::ZeroDivide},
        {"H21e -1", [](TFilterInputs &I) { I.H21e = -1; }, Fault::InvalidOp},
        {"H21e -1 with Uin 0",
         [](TFilterInputs &I)
         {
             I.H21e = -1;
             I.UceMin = -10.25f;
             I.Uo1max = 1.25f;
         },
         Fault::InvalidOp},
        {"Uin exactly 0",
         [](TFilterInputs &I)
         {
             I.UceMin = -10.25f;
             I.Uo1max = 1.25f;
         },
         Fault::ZeroDivide},
        {"Uin 0 and Uo 0",
         [](TFilterInputs &I)
         {
             I.Uo = 0;
             I.UceMin = -1.25f;
             I.Uo1max = 1.25f;
         },
         Fault::InvalidOp},
        {"quotient beyond single range",
         [](TFilterInputs &I)
         {
             I.Uo1max = 1e30f;
             I.Uo1mOut = 1e-30f;
         },
         Fault::Overflow},
        {"product just past the largest single", [](TFilterInputs &I) { I.Io = 3.4028235e38f; },
         Fault::Overflow},
        {"H22e 0", [](TFilterInputs &I) { I.H22e = 0; }, Fault::None, {{&R::Qcalc, 116.129044f}}},
        {"H11b 0",
         [](TFilterInputs &I) { I.H11b = 0; },
         Fault::None,
         {{&R::H11e, 0.0f}, {&R::Qcalc, 116.129044f}, {&R::Rout, 0.0821428522f}}},
        {"negative Uo1mOut",
         [](TFilterInputs &I) { I.Uo1mOut = -0.015f; },
         Fault::None,
         {{&R::Qreq, -80.0000076f}, {&R::CbMicro, -322.923096f}}},
        {"tie in step 3 goes away from zero",
         [](TFilterInputs &I) {
             I = TFilterInputs{1,  0.01f, 3,  40,     12.000032424926758f, 1, 100, 50,
                               10, 125,   50, 0.0001f};
         },
         Fault::None,
         {{&R::Uin, 16.0000324249267578125f}, {&R::UceAllowed, 20.8000431060791015625f}}},
        // Values the window can never send still end in a fault, never in an infinity.
        {"infinite input", [](TFilterInputs &I) { I.Uo = HUGE_VALF; }, Fault::Overflow},
        {"infinities that cancel",
         [](TFilterInputs &I)
         {
             I.TjOverMax = HUGE_VALF;
             I.TambMax = HUGE_VALF;
         },
         Fault::InvalidOp},
        {"not a number", [](TFilterInputs &I) { I.H22e = std::nanf(""); }, Fault::InvalidOp},
    };
    TFilterResults Reference{};
    ASSERT_EQ(Calculate(WorkedExample, Reference), Fault::None);
    for (const EdgeCase &C : Cases)
    {
        SCOPED_TRACE(C.What);
        TFilterInputs In = WorkedExample;
        C.Change(In);
        TFilterResults Out{};
        const Fault Got = Calculate(In, Out);
        EXPECT_EQ(Got, C.Expected) << Name(Got) << " instead of " << Name(C.Expected);
        if (Got != Fault::None || C.Expected != Fault::None || C.Values.empty())
            continue;
        TFilterResults Expected = Reference;
        for (const auto &[Member, Value] : C.Values)
            Expected.*Member = Value;
        // The tie case has inputs of its own: only the listed values are known for it.
        const bool OwnInputs = std::string(C.What).starts_with("tie");
        for (int I = 0; I < 13; ++I)
        {
            bool Listed = false;
            for (const auto &[Member, Value] : C.Values)
                Listed = Listed || &(Out.*Member) == &Begin(Out)[I];
            if (OwnInputs && !Listed)
                continue;
            EXPECT_EQ(Bits(Begin(Out)[I]), Bits(Begin(Expected)[I])) << "result " << I + 1;
        }
    }
}

TEST_F(CalcTest, SameInputsSameBits)
{
    TFilterResults First{}, Second{};
    ASSERT_EQ(Calculate(WorkedExample, First), Fault::None);
    TFilterInputs Failing = WorkedExample;
    Failing.H21e = 0;
    ASSERT_EQ(Calculate(Failing, Second), Fault::ZeroDivide);
    ASSERT_EQ(Calculate(WorkedExample, Second), Fault::None);
    for (int I = 0; I < 13; ++I)
        EXPECT_EQ(Bits(Begin(First)[I]), Bits(Begin(Second)[I]));
}

TEST(FloatingPointEnvironment, LoadedWordAndItsEffect)
{
    // The tie in step 3 shows the precision control: with a 53-bit significand the wider
    // intermediate is lost and the stored value is the lower neighbour.
    const TFilterInputs Tie{1, 0.01f, 3, 40, 12.000032424926758f, 1, 100, 50, 10, 125, 50, 0.0001f};
    SetControlWord(0x127F);
    const float Double = CalculateFilter(Tie).UceAllowed;
    LoadFloatingPointEnvironment();
    EXPECT_EQ(CurrentControlWord() & ~0x0040, 0x133F); // bit 6 is reserved and reads as one
    const float Extended = CalculateFilter(Tie).UceAllowed;
    EXPECT_EQ(Double, 20.80004119873046875f);
    EXPECT_EQ(Extended, 20.8000431060791015625f);
}

TEST(RoundToSingle, OverflowUnderflowAndTies)
{
    LoadFloatingPointEnvironment();
    const long double Max = 3.40282346638528859811704183484516925e38L; // largest single
    const long double HalfUlp = 1.0141204801825835211973625643008e31L; // 2^103
    EXPECT_EQ(RoundToSingle(Max + HalfUlp / 2), FLT_MAX);
    EXPECT_THROW(RoundToSingle(Max + HalfUlp), EOverflow); // the tie goes to even: 2^128
    EXPECT_THROW(RoundToSingle(-1e39L), EOverflow);
    EXPECT_EQ(Bits(RoundToSingle(0x1p-150L)), 0u);        // half the smallest: to even, zero
    EXPECT_EQ(Bits(RoundToSingle(0x1.8p-149L)), 2u);      // 1.5 ulp: to even, two
    EXPECT_EQ(Bits(RoundToSingle(1e-40L)), Bits(1e-40f)); // a denormal, no fault
}

} // namespace
