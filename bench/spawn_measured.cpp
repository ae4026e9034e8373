// Runs one program to its end and prints what the system counted for it: "cpu_ms wall_ms peak_kib code".
// Usage: wiedo_bench_spawn <folder> <output file> <program>. A process's peak of memory includes that of
// the process it was forked from, so the benchmark, itself large, starts the program through this small
// one; the program's own peak is then what is reported.
#include "platform/process_cost.h"

#include <QString>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 4)
        return 2;
    const std::optional<platform::ProcessCost> cost = platform::runAndMeasure(
        QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), 30000);
    if (!cost)
        return 3;
    std::printf("%.3f %.3f %lld %d\n", cost->cpuMs, cost->wallMs, cost->peakKiB, cost->exitCode);
    return 0;
}
