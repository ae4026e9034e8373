#pragma once
// What a whole process cost, as the system accounts for it: for the benchmarks, which compare the program's
// start-up with a minimal Qt program as whole processes.
#include <QString>

#include <optional>

namespace platform {

struct ProcessCost {
    double cpuMs = 0;        // user and system time; 0 where the system gives no account
    double wallMs = 0;
    long long peakKiB = 0;   // peak of resident memory; 0 where the system gives no account
    int exitCode = 0;        // 128 + the signal for a process a signal ended
};

// Runs `program` in `folder` with its standard output and error written to `log`, and waits for it at most
// `timeoutMs`. Nothing when it could not be started or was killed for running too long.
std::optional<ProcessCost> runAndMeasure(const QString& program, const QString& folder, const QString& log,
                                         int timeoutMs);

}  // namespace platform
