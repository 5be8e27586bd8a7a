// Runs one command and prints, on one line of standard output, its wall time
// in milliseconds, its peak memory (max RSS) in kilobytes and its user and
// system CPU time in milliseconds. A child's peak memory starts at whatever
// its parent had mapped when it forked, so the parent here is this small
// program and not the script that drives the measurements.
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double milliseconds(const timeval& time) {
    return time.tv_sec * 1000.0 + time.tv_usec / 1000.0;
}

double elapsedMilliseconds(const timespec& start, const timespec& end) {
    return (end.tv_sec - start.tv_sec) * 1000.0 + (end.tv_nsec - start.tv_nsec) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s command [argument...]\n", argv[0]);
        return 2;
    }
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 2;
    }
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) < 0) {
        std::perror("wait4");
        return 2;
    }
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &end);
    std::printf("%.3f %ld %.3f %.3f\n", elapsedMilliseconds(start, end), usage.ru_maxrss,
                milliseconds(usage.ru_utime), milliseconds(usage.ru_stime));
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}
