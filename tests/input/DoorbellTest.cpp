#include <fcntl.h>
#include <unistd.h>

#include <map>

#include "InputRig.h"
#include "input/Doorbell.h"

namespace padrix::testing {
namespace {

// Joypads whose doorbells are pipes that the test rings.
class InputDoorbell : public InputRig {
  protected:
    ~InputDoorbell() override {
        for (const auto& [joypad, fd] : writers) {
            close(fd);
        }
    }
    int OpenPipe(int joypad, const std::string& path) {
        int fds[2];
        EXPECT_EQ(pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0);
        if (const auto old = writers.find(joypad); old != writers.end()) {
            close(old->second);
        }
        writers[joypad] = fds[1];
        paths.push_back(path);
        return fds[0];
    }
    void Ring(int joypad) { EXPECT_EQ(write(writers.at(joypad), "xyz", 3), 3); }

    std::map<int, int> writers;
    std::vector<std::string> paths;
    SdlControllerAccess ringing{
        clock, [this](int n, const std::string& path) { return OpenPipe(n, path); }};
};

TEST_F(InputDoorbell, TheProgramsOwnOpenHasADoorbellThatOnlyWakes) {
    Plug("Alpha");
    ASSERT_TRUE(ringing.Start());
    auto mine = ringing.OpenJoypad(1, true);
    auto dialogs = ringing.OpenJoypad(1, false);
    ASSERT_TRUE(mine && dialogs);
    EXPECT_GE(mine->DoorbellFd(), 0);
    EXPECT_EQ(dialogs->DoorbellFd(), -1) << "the configuration dialog polls its joypad";
    EXPECT_EQ(paths, (std::vector<std::string>{""})) << "a virtual joystick has no device";
    EXPECT_FALSE(mine->DrainDoorbell());
    Ring(1);
    Ring(1);
    EXPECT_TRUE(mine->DrainDoorbell());
    EXPECT_FALSE(mine->DrainDoorbell()) << "emptied";
    EXPECT_TRUE(mine->Present());
}

TEST_F(InputDoorbell, AControllerThatGoesAwayClosesItsDoorbellAndOpensANewOneOnReturn) {
    auto& alpha = Plug("Alpha");
    ASSERT_TRUE(ringing.Start());
    auto pad = ringing.OpenJoypad(1, true);
    ASSERT_NE(pad, nullptr);
    const int first = pad->DoorbellFd();
    alpha.Detach();
    JoyState s;
    EXPECT_FALSE(pad->Read(s));
    EXPECT_FALSE(pad->Present());
    EXPECT_EQ(pad->DoorbellFd(), -1);
    alpha.Attach();
    ASSERT_TRUE(ReadsWithin(*pad, 2, s));
    EXPECT_TRUE(pad->Present());
    EXPECT_GE(pad->DoorbellFd(), 0);
    EXPECT_EQ(paths.size(), 2u) << "opened again with the controller";
    Ring(1);
    EXPECT_TRUE(pad->DrainDoorbell()) << "the new pipe rings (old descriptor " << first << ")";
}

TEST(InputDoorbellFile, EndOfFileClosesTheDoorbellAndCountsAsARing) {
    int fds[2];
    ASSERT_EQ(pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0);
    Doorbell bell(fds[0]);
    EXPECT_FALSE(bell.Drain());
    close(fds[1]);
    EXPECT_TRUE(bell.Drain());
    EXPECT_EQ(bell.fd(), -1);
    EXPECT_FALSE(bell.Drain());
    EXPECT_EQ(OpenEventDevice(1, ""), -1);
    EXPECT_EQ(OpenEventDevice(1, "/nonexistent/event0"), -1);
}

}  // namespace
}  // namespace padrix::testing
