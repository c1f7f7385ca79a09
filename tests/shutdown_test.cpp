// Closing the window ends the process at once with exit code 0, whatever the actions are
// doing: waiting for a site that never answers, walking a long page, handing items over.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using namespace std::chrono_literals;

// Runs tavro-demo offscreen; the exit status, or -1 when it is still running after `limit`.
int RunDemo(std::vector<std::string> args, std::chrono::milliseconds limit) {
    args.insert(args.begin(), TAVRO_DEMO_PATH);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    pid_t pid = 0;
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ) != 0) return -2;
    posix_spawn_file_actions_destroy(&files);
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(10ms);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Far below the 18 s time-out that a waiting fetch would otherwise sit out.
constexpr auto kAtOnce = 8s;

TEST(Shutdown, WhileTheSiteNeverAnswers) {
    for (const char* after : {"0", "100", "400"}) {
        EXPECT_EQ(RunDemo({"--stall", "--close-after", after}, kAtOnce), 0)
            << "closed after " << after << " ms";
    }
}

TEST(Shutdown, WhileALongListIsCutAndHandedOver) {
    for (const char* after : {"50", "150", "300", "600", "900"}) {
        EXPECT_EQ(RunDemo({"--games", "60000", "--close-after", after}, kAtOnce), 0)
            << "closed after " << after << " ms";
    }
}

}  // namespace
