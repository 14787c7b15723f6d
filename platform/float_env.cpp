#include "platform/float_env.h"

#include "platform/errors.h"

void LoadFloatingPointEnvironment() noexcept
{
    const std::uint16_t Word = OrmizaControlWord;
    asm volatile("fninit\n\tfldcw %0" : : "m"(Word));
}

std::uint16_t CurrentControlWord() noexcept
{
    std::uint16_t Word = 0;
    asm volatile("fnstcw %0" : "=m"(Word));
    return Word;
}

void SetControlWord(std::uint16_t Word) noexcept
{
    asm volatile("fldcw %0" : : "m"(Word));
}

void RaiseNonFiniteSingle(float Result)
{
    if (Result != Result)
        throw EInvalidOp();
    throw EOverflow();
}
