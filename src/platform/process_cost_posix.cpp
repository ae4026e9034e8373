#include "platform/process_cost.h"

#include <QFile>

#include <csignal>
#include <ctime>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

std::optional<ProcessCost> runAndMeasure(const QString& program, const QString& folder, const QString& log,
                                         int timeoutMs) {
    const QByteArray programPath = QFile::encodeName(program);
    const QByteArray folderPath = QFile::encodeName(folder);
    const int output = ::open(QFile::encodeName(log).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (output < 0)
        return std::nullopt;
    timespec started{};
    ::clock_gettime(CLOCK_MONOTONIC, &started);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(output, 1);
        ::dup2(output, 2);
        if (::chdir(folderPath.constData()) != 0)
            ::_exit(126);
        char* args[] = {const_cast<char*>(programPath.constData()), nullptr};
        ::execv(programPath.constData(), args);
        ::_exit(127);
    }
    ::close(output);
    if (pid < 0)
        return std::nullopt;
    // The kernel's account of the child alone comes with wait4; it is polled so that a hang can be cut short.
    int status = 0;
    rusage usage{};
    for (int waited = 0;; waited += 1) {
        const pid_t done = ::wait4(pid, &status, WNOHANG, &usage);
        if (done == pid)
            break;
        if (done < 0)
            return std::nullopt;
        if (waited > timeoutMs * 5) {  // pauses of 200 us
            ::kill(pid, SIGKILL);
            ::wait4(pid, &status, 0, &usage);
            return std::nullopt;
        }
        const timespec pause{0, 200000};
        ::nanosleep(&pause, nullptr);
    }
    timespec ended{};
    ::clock_gettime(CLOCK_MONOTONIC, &ended);
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    ProcessCost cost;
    cost.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    cost.wallMs = static_cast<double>(ended.tv_sec - started.tv_sec) * 1e3 +
                  static_cast<double>(ended.tv_nsec - started.tv_nsec) / 1e6;
    cost.peakKiB = usage.ru_maxrss;
    cost.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return cost;
}

}  // namespace platform
