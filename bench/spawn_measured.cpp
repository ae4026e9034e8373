// Runs one program to its end and prints what the kernel counted for it: "cpu_ms wall_ms peak_kib code".
// Usage: wiedo_bench_spawn <folder> <output file> <program>. A process's peak of memory includes that of
// the process it was forked from, so the benchmark, itself large, starts the program through this small
// one; the program's own peak is then what is reported.
#include <csignal>
#include <cstdio>
#include <ctime>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
    if (argc != 4)
        return 2;
    const int output = ::open(argv[2], O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (output < 0)
        return 2;
    timespec started{};
    ::clock_gettime(CLOCK_MONOTONIC, &started);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(output, 1);
        ::dup2(output, 2);
        if (::chdir(argv[1]) != 0)
            ::_exit(126);
        char* args[] = {argv[3], nullptr};
        ::execv(argv[3], args);
        ::_exit(127);
    }
    if (pid < 0)
        return 2;
    int status = 0;
    rusage usage{};
    for (int waited = 0;; ++waited) {
        const pid_t done = ::wait4(pid, &status, WNOHANG, &usage);
        if (done == pid)
            break;
        if (done < 0)
            return 2;
        if (waited > 30 * 5000) {  // 30 seconds of 200 us pauses: the program hangs
            ::kill(pid, SIGKILL);
            ::wait4(pid, &status, 0, &usage);
            return 3;
        }
        const timespec pause{0, 200000};
        ::nanosleep(&pause, nullptr);
    }
    timespec ended{};
    ::clock_gettime(CLOCK_MONOTONIC, &ended);
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    const double wall = static_cast<double>(ended.tv_sec - started.tv_sec) * 1e3 +
                        static_cast<double>(ended.tv_nsec - started.tv_nsec) / 1e6;
    std::printf("%.3f %.3f %ld %d\n", ms(usage.ru_utime) + ms(usage.ru_stime), wall, usage.ru_maxrss,
                WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    return 0;
}
