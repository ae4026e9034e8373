#include "platform/process_cost.h"

#include <QElapsedTimer>
#include <QProcess>

namespace platform {

// Without the system's own account only the time on the clock and the exit are known.
std::optional<ProcessCost> runAndMeasure(const QString& program, const QString& folder, const QString& log,
                                         int timeoutMs) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(log);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    ProcessCost cost;
    cost.wallMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    cost.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : 128 + 9;
    return cost;
}

}  // namespace platform
