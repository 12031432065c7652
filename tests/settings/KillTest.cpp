// A writer process killed at random moments never leaves a damaged store nor
// loses a write that had returned.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QSettings>
#include <map>
#include <random>

#include "KillPlan.h"
#include "TempFolder.h"
#include "settings/IniSettingsStore.h"

namespace padrix::testing {
namespace {

constexpr int kRounds = 300;
constexpr int kWaitMs = 20000;  // bound for a child that hangs, never reached when all is well

// The running writer and the numbers it reported.
class Writer {
  public:
    Writer(const std::string& file, long first) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        const std::string start = std::to_string(first);
        char* argv[] = {const_cast<char*>(PADRIX_KILL_WRITER), const_cast<char*>(file.c_str()),
                        const_cast<char*>(start.c_str()), nullptr};
        if (::posix_spawn(&pid_, PADRIX_KILL_WRITER, &actions, nullptr, argv, environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        out_ = fds[0];
    }
    ~Writer() {
        Kill();
        ::close(out_);
    }

    bool Started() const { return pid_ > 0; }
    // Waits for the next reported number; false at the end of the output.
    bool Next(long& n) {
        for (;;) {
            if (const std::size_t eol = buffer_.find('\n'); eol != std::string::npos) {
                n = std::stol(buffer_.substr(0, eol));
                buffer_.erase(0, eol + 1);
                return true;
            }
            pollfd ready{out_, POLLIN, 0};
            char chunk[256];
            if (::poll(&ready, 1, kWaitMs) != 1) {
                return false;
            }
            const ssize_t got = ::read(out_, chunk, sizeof chunk);
            if (got <= 0) {
                return false;
            }
            buffer_.append(chunk, static_cast<std::size_t>(got));
        }
    }
    void Kill() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

  private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string buffer_;
};

using Model = std::map<std::pair<std::string, std::string>, std::string>;

// Checks the store against every returned write; the write in flight may or
// may not have landed, and the model learns which.
void Verify(const std::string& file, Model& model, const PlannedWrite& inFlight) {
    QSettings raw(QString::fromStdString(file), QSettings::IniFormat);
    raw.sync();
    ASSERT_EQ(raw.status(), QSettings::NoError);
    IniSettingsStore store(file);
    for (auto& [address, expected] : model) {
        const std::string actual = store.GetSetting(address.first, address.second, "<absent>");
        const bool isInFlight = address == std::pair(inFlight.section, inFlight.key);
        if (isInFlight && actual == inFlight.value) {
            expected = actual;
        }
        ASSERT_EQ(actual, expected) << address.first << "/" << address.second;
    }
}

TEST(SettingsKillTest, KilledWriterLeavesEveryReturnedWrite) {
    TempFolder folder;
    const std::string file = folder.File("config/Padrix/Padrix.ini");
    std::mt19937 random(4711);
    Model model;
    long next = 0;
    for (int round = 0; round < kRounds; ++round) {
        Writer writer(file, next);
        ASSERT_TRUE(writer.Started());
        long last = next - 1;
        const int acks = std::uniform_int_distribution(1, 6)(random);
        for (int i = 0; i < acks; ++i) {
            ASSERT_TRUE(writer.Next(last)) << "round " << round;
        }
        // Lets the child get somewhere into its next write before the kill.
        for (volatile int spin = std::uniform_int_distribution(0, 300000)(random); spin > 0;) {
            spin = spin - 1;
        }
        writer.Kill();
        while (writer.Next(last)) {
        }
        for (long n = next; n <= last; ++n) {
            const PlannedWrite write = PlanWrite(n);
            model[{write.section, write.key}] = write.value;
        }
        ASSERT_NO_FATAL_FAILURE(Verify(file, model, PlanWrite(last + 1))) << "round " << round;
        next = last + 2;
    }
}

}  // namespace
}  // namespace padrix::testing
