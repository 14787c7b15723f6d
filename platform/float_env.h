#pragma once

// The floating-point environment every calculation runs in, and the one rounding from the
// extended format to single precision that both the calculation and the reading of a field use.

#include <cfloat>
#include <cstdint>

static_assert(LDBL_MANT_DIG == 64,
              "Ormiza needs long double to be the x87 extended format with a 64-bit significand "
              "(x86-64 with GCC or Clang); its results are defined in that arithmetic.");

// x87 control word loaded at start-up: 64-bit precision control, round to nearest (ties to
// even), all six fault masks set. Faults are found by explicit checks instead of traps, because
// library code (glibc's strtold, for one) raises overflow on purpose and an unmasked trap there
// would kill the process.
inline constexpr std::uint16_t OrmizaControlWord = 0x133F;

// Empties the x87 register stack, clears its status flags and loads OrmizaControlWord.
void LoadFloatingPointEnvironment() noexcept;

// The x87 control word in force right now.
std::uint16_t CurrentControlWord() noexcept;

// Loads an arbitrary control word; tests use it to show what the environment changes.
void SetControlWord(std::uint16_t Word) noexcept;

// Raised when a rounding to single precision gives no finite value: not a number is an invalid
// operation, anything else an overflow.
[[noreturn]] void RaiseNonFiniteSingle(float Result);

// Rounds to the nearest single (ties to even). A magnitude that the rounding takes past the
// largest finite single is an overflow, never an infinity; too small a magnitude becomes a
// denormal or zero without any fault.
inline float RoundToSingle(long double Value)
{
    const float Result = static_cast<float>(Value);
    if (Result - Result != 0.0f) [[unlikely]] // true only for an infinity or not a number
        RaiseNonFiniteSingle(Result);
    return Result;
}
