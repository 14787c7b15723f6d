// The exact calculation beside the same thirteen formulas in plain double with no checks: the
// price of x87 extended arithmetic, single-precision rounding and fault checks per call.

#include "calc/filter_calculation.h"
#include "platform/float_env.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{

const TFilterInputs Example{1.2f,   0.015f, 2.2f, 45.0f,  9.0f,  0.35f,
                            100.0f, 60.0f,  0.8f, 125.0f, 70.0f, 0.0002f};

struct PlainResults
{
    double Values[13];
};

// The naive version: double throughout, nothing rounded between steps, no fault checks.
[[gnu::noinline]] PlainResults PlainDouble(const TFilterInputs &In)
{
    PlainResults R{};
    const double Qreq = double(In.Uo1max) / In.Uo1mOut;
    const double Uin = (double(In.Uo) + In.UceMin) + In.Uo1max;
    const double UceAllowed = (Uin - Uin * 0.7) + Uin;
    const double IcAllowed = 2.0 * In.Io;
    const double PcMax = (double(In.TjOverMax) - In.TambMax) / In.RthJa;
    const double Pc = (Uin - In.Uo) * In.Io;
    const double IbMilli = (double(In.Io) / In.H21e) * 1000.0;
    const double RbKilo = ((Uin - In.Uo) + In.Uo1max) / IbMilli;
    const double CbMicro = ((2.0 * Qreq) * 1000.0) / ((6.2831854 * In.Fp) * RbKilo);
    const double H11e = (1.0 + In.H21e) * In.H11b;
    const double A1 = (H11e * In.H22e) / (1.0 + In.H21e);
    const double W = (((In.Fp * 0.5) * 12.5663708) * RbKilo) * CbMicro;
    const double Qcalc = (In.Uo / Uin) / std::sqrt(A1 * A1 + 1000000.0 / (W * W));
    const double Rr = 1000000.0 / (((6.2831854 * In.Fp) * CbMicro) * In.H21e);
    const double Rout = std::sqrt(Rr * Rr + double(In.H11b) * In.H11b);
    const double Efficiency = (In.Uo / Uin) * 100.0;
    const double All[13] = {Qreq,   Uin,     UceAllowed, IcAllowed, PcMax, Pc,        IbMilli,
                            RbKilo, CbMicro, H11e,       Qcalc,     Rout,  Efficiency};
    for (int I = 0; I < 13; ++I)
        R.Values[I] = All[I];
    return R;
}

void BM_CalculateFilter(benchmark::State &State)
{
    LoadFloatingPointEnvironment();
    TFilterInputs In = Example;
    for (auto _ : State)
    {
        benchmark::DoNotOptimize(In);
        TFilterResults R = CalculateFilter(In);
        benchmark::DoNotOptimize(R);
    }
}
BENCHMARK(BM_CalculateFilter);

void BM_PlainDouble(benchmark::State &State)
{
    TFilterInputs In = Example;
    for (auto _ : State)
    {
        benchmark::DoNotOptimize(In);
        PlainResults R = PlainDouble(In);
        benchmark::DoNotOptimize(R);
    }
}
BENCHMARK(BM_PlainDouble);

} // namespace

BENCHMARK_MAIN();
