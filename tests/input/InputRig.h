#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Fakes.h"
#include "VirtualPad.h"
#include "engine/JoyState.h"
#include "input/SdlControllers.h"

namespace padrix::testing {

// SDL's joystick support started through the controller access, with virtual
// controllers plugged in by the test. Real controllers would come first in
// the numbering, so the tests skip on a machine that has some.
class InputRig : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(access.Start());
        if (SDL_NumJoysticks() > 0) {
            GTEST_SKIP() << "real controllers are attached to this machine";
        }
    }

    VirtualPad& Plug(PadSetup setup) {
        pads.push_back(std::make_unique<VirtualPad>(std::move(setup)));
        EXPECT_TRUE(pads.back()->attached()) << SDL_GetError();
        return *pads.back();
    }
    VirtualPad& Plug(const std::string& name) { return Plug(PadSetup{.name = name}); }

    std::unique_ptr<Joypad> Open(int n, bool exclusive = true) {
        auto pad = access.OpenJoypad(n, exclusive);
        EXPECT_NE(pad, nullptr) << "joypad " << n;
        return pad;
    }

    // A read that must succeed, into a state that no read produces.
    static JoyState ReadOk(Joypad& pad) {
        JoyState s;
        s.x = -7;
        s.y = -9;
        s.buttons.fill(0x55);
        EXPECT_TRUE(pad.Read(s));
        return s;
    }

    // Reads until one succeeds, at most `reads` times.
    static bool ReadsWithin(Joypad& pad, int reads, JoyState& state) {
        for (int i = 0; i < reads; ++i) {
            if (pad.Read(state)) {
                return true;
            }
        }
        return false;
    }

    fakes::ManualClock clock;
    SdlControllerAccess access{clock};
    std::vector<std::unique_ptr<VirtualPad>> pads;
};

}  // namespace padrix::testing
