// rotam-bench-intake [--iconv] FILE [RUNS]: times loading a mail archive the way the file
// button does (read, decode, split into lines, parse) and reports the median of RUNS runs,
// the issue count and the peak memory relative to the decoded text. With --iconv it also
// times `iconv -f CP932 -t UTF-16LE FILE > /dev/null` as a floor for decoding alone, one
// iconv run after each load.
//
// Every run is a fresh process (this program started again with --child), so one run's
// heap never hides the next one's peak and the page cache is the only thing they share.

#include "IssueLoad.h"
#include "IssueStore.h"
#include "MailDecoder.h"

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A field of /proc/self/status in kB, or -1 where there is none.
long long statusKb(const std::string &key)
{
    std::ifstream status("/proc/self/status");
    std::string name;
    while (status >> name) {
        if (name == key) {
            long long kb = -1;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

// Writing 5 to clear_refs resets VmHWM to the current RSS, so the peak read afterwards is
// the load's own, not the start-up's. Without it (old kernels) the peak can only be higher.
void resetPeak()
{
    if (std::FILE *file = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", file);
        std::fclose(file);
    }
}

struct ChildResult
{
    double loadMs = 0;
    double processMs = 0; // the child's whole life, start-up included, as iconv is timed
    long long issues = 0;
    long long peakGrowthKb = 0;
};

int runChild(const char *path)
{
    resetPeak();
    const long long rssBefore = statusKb("VmRSS:");
    const auto start = Clock::now();
    IssueStore store;
    const QList<ReadFailure> failures =
        loadMailPaths(store, {QString::fromLocal8Bit(path)}).unreadable;
    const double loadMs = msSince(start);
    const long long peak = statusKb("VmHWM:");

    if (!failures.isEmpty()) {
        std::fprintf(stderr, "rotam-bench-intake: %s: %s\n", qUtf8Printable(failures[0].path),
                     qUtf8Printable(failures[0].reason));
        return 1;
    }
    std::printf("%.4f %lld %lld\n", loadMs, (long long)store.lastIndex(), peak - rssBefore);
    std::fflush(stdout);
    // Leaves without freeing the store, so the process time is start-up plus load, like
    // iconv's, and not the teardown of a few hundred thousand strings.
    _exit(0);
}

// Runs argv with stdout to a pipe (or /dev/null when capture is null), waits for it, and
// gives its wall time, or nothing when it could not start or did not exit with 0.
std::optional<double> spawnAndWait(const std::vector<std::string> &args, std::string *capture)
{
    std::vector<char *> argv;
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);

    int pipeFds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (capture) {
        if (pipe(pipeFds) != 0)
            return std::nullopt;
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        posix_spawn_file_actions_addclose(&actions, pipeFds[1]);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }

    const auto start = Clock::now();
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (capture) {
        close(pipeFds[1]);
        if (error == 0) {
            char buffer[256];
            ssize_t n = 0;
            while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
                capture->append(buffer, std::size_t(n));
        }
        close(pipeFds[0]);
    }
    if (error != 0) {
        std::fprintf(stderr, "rotam-bench-intake: cannot start %s: %s\n", argv[0],
                     std::strerror(error));
        return std::nullopt;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return std::nullopt;
    }
    const double ms = msSince(start);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return ms;
}

std::optional<ChildResult> runOnce(const std::string &self, const std::string &path)
{
    std::string output;
    const auto ms = spawnAndWait({self, "--child", path}, &output);
    if (!ms)
        return std::nullopt;
    ChildResult result;
    result.processMs = *ms;
    if (std::sscanf(output.c_str(), "%lf %lld %lld", &result.loadMs, &result.issues,
                    &result.peakGrowthKb) != 3)
        return std::nullopt;
    return result;
}

template <typename T, typename Field> double median(std::vector<T> samples, Field field)
{
    std::sort(samples.begin(), samples.end(),
              [&](const T &a, const T &b) { return field(a) < field(b); });
    const std::size_t n = samples.size();
    return n % 2 ? double(field(samples[n / 2]))
                 : (double(field(samples[n / 2 - 1])) + double(field(samples[n / 2]))) / 2;
}

int usage()
{
    std::fprintf(stderr, "usage: rotam-bench-intake [--iconv] FILE [RUNS]\n"
                         "times read + decode + split + parse of FILE, median of RUNS (5)\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return runChild(argv[2]);

    bool withIconv = false;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--iconv") == 0)
            withIconv = true;
        else if (argv[i][0] == '-')
            return usage();
        else
            positional.emplace_back(argv[i]);
    }
    if (positional.empty() || positional.size() > 2)
        return usage();
    const std::string path = positional[0];
    const int runs = positional.size() == 2 ? std::atoi(positional[1].c_str()) : 5;
    if (runs < 1)
        return usage();

    // Resolved once, so every child is this very binary even if the build replaces it.
    char selfBuffer[4096];
    const ssize_t selfLength = readlink("/proc/self/exe", selfBuffer, sizeof selfBuffer - 1);
    if (selfLength <= 0)
        return 1;
    const std::string self(selfBuffer, std::size_t(selfLength));

    // One run first, not counted, so the file is in the page cache for all the others.
    if (!runOnce(self, path)) {
        std::fprintf(stderr, "rotam-bench-intake: the load of %s failed\n", path.c_str());
        return 1;
    }
    // iconv runs right after each load, so that both see the same load on the machine.
    const std::vector<std::string> iconvCommand{"iconv", "-f", "CP932", "-t", "UTF-16LE", path};
    if (withIconv && !spawnAndWait(iconvCommand, nullptr)) {
        std::fprintf(stderr, "rotam-bench-intake: iconv failed on %s\n", path.c_str());
        return 1;
    }
    std::vector<ChildResult> results;
    std::vector<double> iconvTimes;
    for (int i = 0; i < runs; ++i) {
        auto result = runOnce(self, path);
        if (!result)
            return 1;
        results.push_back(*result);
        if (withIconv) {
            const auto ms = spawnAndWait(iconvCommand, nullptr);
            if (!ms)
                return 1;
            iconvTimes.push_back(*ms);
        }
    }

    const auto loadMs = [](const ChildResult &r) { return r.loadMs; };
    const auto [fastest, slowest] = std::minmax_element(
        results.begin(), results.end(),
        [](const ChildResult &a, const ChildResult &b) { return a.loadMs < b.loadMs; });
    const double medianMs = median(results, loadMs);
    const double processMs = median(results, [](const ChildResult &r) { return r.processMs; });
    const double peakKb = median(results, [](const ChildResult &r) { return r.peakGrowthKb; });
    const ChildResult &last = results.back();
    QFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = file.readAll();
    const double fileBytes = double(bytes.size());
    const long long characters = decodeMailBytes(bytes).size();
    const double textBytes = double(characters) * 2;
    constexpr double MiB = 1024.0 * 1024.0;

    std::printf("archive:       %s, %.2f MiB\n", path.c_str(), fileBytes / MiB);
    std::printf("issues:        %lld\n", last.issues);
    std::printf("decoded text:  %lld characters, %.2f MiB as UTF-16\n", characters,
                textBytes / MiB);
    std::printf("load:          %.2f ms median of %d (min %.2f, max %.2f)\n", medianMs, runs,
                fastest->loadMs, slowest->loadMs);
    std::printf("per 1k issues: %.3f ms\n",
                last.issues ? medianMs * 1000 / double(last.issues) : 0.0);
    std::printf("process:       %.2f ms median, start-up included\n", processMs);
    std::printf("peak growth:   %.2f MiB, %.2f x decoded text\n", peakKb * 1024 / MiB,
                textBytes > 0 ? peakKb * 1024 / textBytes : 0.0);

    if (withIconv) {
        const double iconvMs = median(iconvTimes, [](double t) { return t; });
        std::printf("iconv:         %.2f ms median of %d, start-up included (load process is "
                    "%.2f x)\n",
                    iconvMs, runs, processMs / iconvMs);
    }
    return 0;
}
