#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace hgl::test
{
namespace
{
// Exit codes of the child.
constexpr int ChildPassed = 0, ChildFailed = 1, ChildUnavailable = 2;

// Failed parts recorded so far for the running test (0 outside a test).
int FailedParts()
{
    const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!info) return 0;
    const ::testing::TestResult *result = info->result();
    int failed = 0;
    for (int i = 0; i < result->total_part_count(); ++i)
        if (result->GetTestPartResult(i).failed()) ++failed;
    return failed;
}

// Runs body and tells whether it passed: it returned true and no check failed.
bool RunBody(const std::function<bool()> &body)
{
    const int before = FailedParts();
    const bool ok = body();
    return ok && FailedParts() == before;
}

[[noreturn]] void GiveUp(int fd, const std::string &why)
{
    [[maybe_unused]] ssize_t w = write(fd, why.data(), why.size());
    _exit(ChildUnavailable);
}

std::string Errno(const char *what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

// In the child: from the superuser to NobodyId for good, or a reason why not.
std::string DropRights(const std::vector<std::string> &reach)
{
    const gid_t gid = NobodyId;
    const uid_t uid = NobodyId;
    if (setgroups(0, nullptr) != 0) return Errno("setgroups");
    if (setgid(gid) != 0) return Errno("setgid(65534)");
    if (setuid(uid) != 0) return Errno("setuid(65534)");
    if (getuid() != uid || geteuid() != uid || getgid() != gid || getegid() != gid)
        return "the ids did not change to 65534";
    if (setuid(0) == 0) return "the superuser's rights came back after setuid";
    for (const std::string &path : reach)
        if (access(path.c_str(), X_OK) != 0) return Errno(("uid 65534 cannot enter " + path).c_str());
    return {};
}
} // namespace

bool IsSuperuser() { return geteuid() == 0; }

bool GiveToNobody(const std::string &path)
{
    if (!IsSuperuser()) return true;
    return lchown(path.c_str(), NobodyId, NobodyId) == 0;
}

ChildOutcome RunUnprivileged(const std::function<bool()> &body, std::string *why,
                             const std::vector<std::string> &reach)
{
    std::string reason;
    auto outcome = [&](ChildOutcome r, std::string text) {
        if (why) *why = std::move(text);
        return r;
    };

    if (!IsSuperuser())
        return RunBody(body) ? outcome(ChildOutcome::Passed, {})
                             : outcome(ChildOutcome::Failed, "the body failed");

    int pipe_fd[2];
    if (pipe2(pipe_fd, O_CLOEXEC) != 0)
        return outcome(ChildOutcome::Unavailable, Errno("pipe"));
    // Nothing buffered may be written twice, once by each process.
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child < 0)
    {
        const std::string e = Errno("fork");
        close(pipe_fd[0]);
        close(pipe_fd[1]);
        return outcome(ChildOutcome::Unavailable, e);
    }
    if (child == 0)
    {
        close(pipe_fd[0]);
        const std::string failed = DropRights(reach);
        if (!failed.empty()) GiveUp(pipe_fd[1], failed);
        const bool passed = RunBody(body);
        std::fflush(stdout);
        std::fflush(stderr);
        // _exit: no destructors, no atexit handlers, no leak report of the copy.
        _exit(passed ? ChildPassed : ChildFailed);
    }
    close(pipe_fd[1]);

    int status = 0;
    pid_t got;
    do
        got = waitpid(child, &status, 0);
    while (got < 0 && errno == EINTR);
    char buf[512];
    fcntl(pipe_fd[0], F_SETFL, O_NONBLOCK);
    for (ssize_t n; (n = read(pipe_fd[0], buf, sizeof buf)) > 0;) reason.append(buf, size_t(n));
    close(pipe_fd[0]);

    if (got != child) return outcome(ChildOutcome::Failed, Errno("waitpid"));
    if (WIFSIGNALED(status))
        return outcome(ChildOutcome::Failed, "the unprivileged child died of signal " +
                                                 std::to_string(WTERMSIG(status)));
    if (!WIFEXITED(status)) return outcome(ChildOutcome::Failed, "the unprivileged child did not exit");
    switch (WEXITSTATUS(status))
    {
    case ChildPassed: return outcome(ChildOutcome::Passed, {});
    case ChildUnavailable:
        return outcome(ChildOutcome::Unavailable, "cannot run as an unprivileged user: " + reason);
    case ChildFailed:
        return outcome(ChildOutcome::Failed, "the unprivileged child failed (its messages are above)");
    default:
        return outcome(ChildOutcome::Failed, "the unprivileged child exited with " +
                                                 std::to_string(WEXITSTATUS(status)));
    }
}
} // namespace hgl::test
