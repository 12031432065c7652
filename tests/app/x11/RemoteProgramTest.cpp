// The command line of a running Padrix, against the real program on a
// private display: each request, the refusals, a dead instance's socket,
// another user and a flood of garbage.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>
#include <QTemporaryDir>
#include <cstring>
#include <memory>
#include <random>

#include "Child.h"
#include "PrivateDisplay.h"
#include "SwayServer.h"
#include "remote/RemoteControl.h"
#include "settings/IniSettingsStore.h"

namespace padrix::testing {
namespace {

struct Said {
    int status = -1;
    std::string out;
    std::string err;
};

// A connected local socket to `path`, or -1.
int Connect(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Sends `bytes` and reads until the program closes the connection, or
// leaves at once.
std::string Exchange(const std::string& path, const std::string& bytes, bool read = true) {
    const int fd = Connect(path);
    if (fd < 0) {
        return "<no connection>";
    }
    send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    std::string answer;
    if (!read) {
        close(fd);
        return answer;
    }
    char buffer[4096];
    pollfd readable{fd, POLLIN, 0};
    while (poll(&readable, 1, 10000) == 1) {
        const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0) {
            break;
        }
        answer.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return answer;
}

// A request line of garbage, often starting like a real one; never "quit".
std::string RandomRequest(std::mt19937& random) {
    static const char* const kStarts[] = {"", "profile ", "layout ", "mapping ", "status", "q"};
    std::uniform_int_distribution<int> pick(0, 5), length(0, 40), byte(0, 255), kind(0, 9);
    std::string line = kStarts[pick(random)];
    const int n = kind(random) == 0 ? 1000 + length(random) * 3 : length(random);
    for (int i = 0; i < n; ++i) {
        line += static_cast<char>(kind(random) < 7 ? 'a' + byte(random) % 26 : byte(random));
    }
    return line.substr(0, line.find('\n')) == "quit" ? "status" : line + "\n";
}

class RemoteProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(x.ok()) << "Xvfb did not start";
        env = x.ProgramEnv(dir.path().toStdString());
        socketPath = env["XDG_RUNTIME_DIR"] + "/Padrix.sock";
    }

    Said Padrix(const QStringList& args) {
        QProcessEnvironment processEnv;
        for (const auto& [name, value] : env) {
            processEnv.insert(QString::fromStdString(name), QString::fromStdString(value));
        }
        processEnv.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        QProcess process;
        process.setProcessEnvironment(processEnv);
        process.start(QStringLiteral(PADRIX_BINARY), args);
        EXPECT_TRUE(process.waitForFinished(30000)) << args.join(' ').toStdString();
        Said said;
        if (process.exitStatus() == QProcess::NormalExit) {
            said.status = process.exitCode();
        }
        said.out = process.readAllStandardOutput().toStdString();
        said.err = process.readAllStandardError().toStdString();
        return said;
    }
    std::unique_ptr<Child> Start(std::vector<std::string> args) {
        args.insert(args.begin(), PADRIX_BINARY);
        return std::make_unique<Child>(args, env);
    }
    // Waits until the started program answers --status, and returns what it said.
    std::string StatusOnceUp() {
        Said said;
        WaitUntil([&] { return (said = Padrix({"--status"})).status == 0; }, 30000);
        return said.out;
    }
    bool SocketExists() {
        struct stat st {};
        return stat(socketPath.c_str(), &st) == 0;
    }

    PrivateDisplay x;
    QTemporaryDir dir;
    Environment env;
    std::string socketPath;
};

void ExpectSaid(const Said& said, int status, const std::string& out, const std::string& err) {
    EXPECT_EQ(said.status, status);
    EXPECT_EQ(said.out, out);
    EXPECT_EQ(said.err, err);
}

TEST_F(RemoteProgram, EveryRequestWithAndWithoutARunningPadrix) {
    IniSettingsStore(env["XDG_CONFIG_HOME"] + "/Padrix/Padrix.ini")
        .SaveSetting("Names", "1", "Arena");
    const std::string notRunning = "Padrix is not running\n";
    ExpectSaid(Padrix({"--status"}), 1, "", notRunning);
    ExpectSaid(Padrix({"--quit"}), 1, "", notRunning);
    ExpectSaid(Padrix({"--profile", "Nope"}), 1, "", "padrix: Unknown profile 'Nope'.\n");
    ExpectSaid(Padrix({"--layout", "snes"}), 1, "",
               "padrix: Unknown layout 'snes'; use snes9x, vgs or custom.\n");
    EXPECT_EQ(Padrix({"--layout"}).status, 2);
    EXPECT_EQ(Padrix({"--status", "--quit"}).status, 2);
    EXPECT_FALSE(SocketExists()) << "nothing started";

    // Started by a request, killed: the socket it leaves answers nothing,
    // and the next start takes its place.
    auto first = Start({"--layout", "snes9x"});
    EXPECT_EQ(StatusOnceUp(), "mapping on\nlayout snes9x\noutput xtest\n");
    struct stat st {};
    ASSERT_EQ(stat(socketPath.c_str(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    EXPECT_EQ(st.st_mode & 077, 0u) << "only the user may connect";
    ASSERT_EQ(kill(first->pid(), SIGKILL), 0);
    first->WaitExit(20000);
    EXPECT_TRUE(SocketExists());
    ExpectSaid(Padrix({"--status"}), 1, "", notRunning);

    auto padrix = Start({"--profile", "arena"});
    EXPECT_EQ(StatusOnceUp(), "mapping on\nprofile Arena\noutput xtest\n");
    const struct {
        QStringList args;
        int status;
        std::string err;
        std::string statusAfter;
    } steps[] = {
        {{"--layout", "vgs"}, 0, "", "mapping on\nlayout vgs\noutput xtest\n"},
        {{"--mapping", "off"}, 0, "", "mapping off\nlayout vgs\noutput xtest\n"},
        {{"--mapping", "toggle"}, 0, "", "mapping on\nlayout vgs\noutput xtest\n"},
        {{"--mapping", "on"}, 0, "", "mapping on\nlayout vgs\noutput xtest\n"},
        {{"--profile", "Nope"},
         1,
         "padrix: Unknown profile 'Nope'.\n",
         "mapping on\nlayout vgs\noutput xtest\n"},
        {{"--mapping", "sometimes"},
         1,
         "padrix: Unknown mapping state 'sometimes'; use on, off or toggle.\n",
         "mapping on\nlayout vgs\noutput xtest\n"},
        {{"--layout", "custom"}, 0, "", "mapping on\nlayout custom\noutput xtest\n"},
        {{"--profile", "ARENA"}, 0, "", "mapping on\nprofile Arena\noutput xtest\n"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.args.join(' ').toStdString());
        ExpectSaid(Padrix(step.args), step.status, "", step.err);
        ExpectSaid(Padrix({"--status"}), 0, step.statusAfter, "");
    }

    // A client that says nothing holds nobody up, one that leaves early
    // harms nothing, and garbage is answered.
    const int silent = Connect(socketPath);
    ASSERT_GE(silent, 0);
    std::mt19937 random(18);
    for (int i = 0; i < 10000; ++i) {
        const std::string request = RandomRequest(random);
        if (i % 100 == 0) {
            Exchange(socketPath, request, false);
            continue;
        }
        const std::string answer = Exchange(socketPath, request);
        const auto verdict = ReadAnswer(answer);
        ASSERT_TRUE(verdict.has_value()) << i << ": " << request << " -> " << answer;
        ASSERT_TRUE(verdict->ok || verdict->lines.empty()) << answer;
    }
    close(silent);
    ExpectSaid(Padrix({"--mapping", "on"}), 0, "", "");
    ExpectSaid(Padrix({"--profile", "arena"}), 0, "", "");
    ExpectSaid(Padrix({"--status"}), 0, "mapping on\nprofile Arena\noutput xtest\n", "");

    ExpectSaid(Padrix({"--quit"}), 0, "", "");
    int status = 0;
    ASSERT_TRUE(padrix->WaitExit(20000, &status));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_FALSE(SocketExists());
    ExpectSaid(Padrix({"--status"}), 1, "", notRunning);
}

// Beside a compositor with a virtual keyboard, the program sends through it
// unless "Output" says otherwise; --status says which.
TEST_F(RemoteProgram, StatusNamesTheOutputInUse) {
    SwayServer sway;
    ASSERT_TRUE(sway.ok()) << sway.error();
    env["WAYLAND_DISPLAY"] = sway.runtimeFolder() + "/" + sway.Env().at("WAYLAND_DISPLAY");
    for (const auto& [setting, output] :
         {std::pair{"", "output wayland\n"}, {"x11", "output xtest\n"}}) {
        IniSettingsStore(env["XDG_CONFIG_HOME"] + "/Padrix/Padrix.ini")
            .SaveSetting("Custom", "Output", setting);
        auto padrix = Start({"--no-launch"});
        EXPECT_EQ(StatusOnceUp(), std::string("mapping on\nlayout vgs\n") + output);
        ExpectSaid(Padrix({"--quit"}), 0, "", "");
        EXPECT_TRUE(padrix->WaitExit(20000));
    }
}

// Another user reaches the socket only because the test opens the way; the
// program itself turns it away and goes on.
TEST_F(RemoteProgram, AnotherUserIsTurnedAway) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "asking as another user needs root; AppRemoteServer pins the check";
    }
    auto padrix = Start({"--no-launch"});
    EXPECT_EQ(StatusOnceUp(), "mapping on\nlayout vgs\noutput xtest\n");
    for (const std::string& folder : {dir.path().toStdString(), env["XDG_RUNTIME_DIR"]}) {
        ASSERT_EQ(chmod(folder.c_str(), 0711), 0);
    }
    ASSERT_EQ(chmod(socketPath.c_str(), 0666), 0);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t stranger = fork();
    if (stranger == 0) {
        close(fds[0]);
        const std::string answer = setuid(65534) == 0 ? Exchange(socketPath, "quit\n") : "<setuid>";
        write(fds[1], answer.data(), answer.size());
        _exit(0);
    }
    close(fds[1]);
    std::string strangerGot;
    char buffer[256];
    for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) > 0;) {
        strangerGot.append(buffer, static_cast<std::size_t>(got));
    }
    close(fds[0]);
    waitpid(stranger, nullptr, 0);
    EXPECT_EQ(strangerGot, "error Refused: the request comes from another user.\n");
    // Qt takes a runtime folder that others may enter for none.
    for (const std::string& folder : {dir.path().toStdString(), env["XDG_RUNTIME_DIR"]}) {
        ASSERT_EQ(chmod(folder.c_str(), 0700), 0);
    }

    ExpectSaid(Padrix({"--status"}), 0, "mapping on\nlayout vgs\noutput xtest\n", "");
    ExpectSaid(Padrix({"--quit"}), 0, "", "");
    EXPECT_TRUE(padrix->WaitExit(20000));
}

}  // namespace
}  // namespace padrix::testing
