#pragma once

#include <X11/Xlib.h>

#include <array>
#include <string>
#include <vector>

#include "TestWindow.h"

namespace padrix::testing {

// What the soak's client received: per keycode whether it is down, and the
// counts of the closing report.
class SoakLedger {
  public:
    void Take(const std::vector<SeenEvent>& events) {
        for (const SeenEvent& e : events) {
            Add(e);
        }
    }

    std::vector<unsigned> KeysDown() const {
        std::vector<unsigned> down;
        for (unsigned k = 0; k < keyDown_.size(); ++k) {
            if (keyDown_[k]) {
                down.push_back(k);
            }
        }
        return down;
    }
    std::string KeysDownText() const {
        std::string text;
        for (unsigned k : KeysDown()) {
            text += std::to_string(k) + " ";
        }
        return text;
    }
    int ButtonsDown() const {
        int n = 0;
        for (bool b : buttonDown_) {
            n += b ? 1 : 0;
        }
        return n;
    }

    long keyDowns = 0;
    long repeats = 0;  // key-downs of a key that was already down
    long keyUps = 0;
    long matched = 0;       // key-downs closed by a key-up
    long unmatchedUps = 0;  // key-ups of a key that was not down
    long buttonDowns = 0;
    long buttonUps = 0;

  private:
    void Add(const SeenEvent& e) {
        switch (e.kind) {
            case Seen::kKeyPress:
                ++keyDowns;
                if (Key(e.detail)) {
                    ++repeats;
                } else {
                    ++pending_[e.detail & 0xFF];
                }
                Key(e.detail) = true;
                break;
            case Seen::kKeyRelease:
                ++keyUps;
                if (!Key(e.detail)) {
                    ++unmatchedUps;
                }
                matched += pending_[e.detail & 0xFF];
                pending_[e.detail & 0xFF] = 0;
                Key(e.detail) = false;
                break;
            case Seen::kButtonPress:
                ++buttonDowns;
                buttonDown_[e.detail & 7] = true;
                break;
            case Seen::kButtonRelease:
                ++buttonUps;
                buttonDown_[e.detail & 7] = false;
                break;
        }
    }
    bool& Key(unsigned keycode) { return keyDown_[keycode & 0xFF]; }

    std::array<bool, 256> keyDown_{};
    std::array<long, 256> pending_{};
    std::array<bool, 8> buttonDown_{};
};

// Whether the X server has any key or pointer button down, from whoever.
inline bool ServerHoldsAnything(Display* d) {
    char keys[32];
    XQueryKeymap(d, keys);
    for (char byte : keys) {
        if (byte != 0) {
            return true;
        }
    }
    Window root = 0;
    Window child = 0;
    int x = 0;
    int y = 0;
    unsigned mask = 0;
    XQueryPointer(d, DefaultRootWindow(d), &root, &child, &x, &y, &x, &y, &mask);
    return (mask & (Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask)) != 0;
}

}  // namespace padrix::testing
