#pragma once

// A second, independent evaluation of CalculateFilter on GNU MPFR. Every operation is rounded
// exactly as the x87 extended format would round it and every step result exactly as single
// precision would, so its answers are the bit patterns the production code has to reproduce.
// Test-only: the program itself never links MPFR.

#include "calc/filter_calculation.h"

namespace reference
{

enum class Fault
{
    None,
    InvalidOp,
    ZeroDivide,
    Overflow,
};

const char *FaultName(Fault Kind);

struct Outcome
{
    Fault Kind = Fault::None;
    int Step = 0;             // 1 to 13: the step that raised Kind; 0 when there is no fault
    TFilterResults Results{}; // all zero unless Kind is Fault::None
};

Outcome CalculateFilter(const TFilterInputs &Inputs);

// The rounding that ends every step, on its own: Value (exact, any long double) rounded to the
// nearest single, ties to even, denormals included. Fault::Overflow when that rounding gives
// no finite single, Fault::InvalidOp for not a number.
Fault RoundToSingle(long double Value, float &Result);

} // namespace reference
