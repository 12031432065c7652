#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct _XDisplay;

namespace padrix::testing {

// X types without Xlib's macros, which clash with Qt's names.
using XDisplay = _XDisplay;
using XWindowId = unsigned long;

// Polls `done` until it holds or `timeoutMs` passes: for conditions of other
// processes that no event of ours announces.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

// A child process with extra environment variables; killed when destroyed
// unless it has ended.
class Child {
  public:
    Child(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env = {});
    // Takes over a child started otherwise.
    explicit Child(pid_t adopted) : pid_(adopted) {}
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t pid() const { return pid_; }
    // Waits for the end; false on timeout. `status` is the wait status.
    bool WaitExit(int timeoutMs, int* status = nullptr);
    bool Running();

  private:
    pid_t pid_ = -1;
    bool reaped_ = false;
};

// Runs a command to its end (xdotool); true when it exited with 0.
bool RunCommand(const std::vector<std::string>& argv,
                const std::map<std::string, std::string>& env = {});

// A private X server (Xvfb picks the display number) and one connection to it.
class PrivateDisplay {
  public:
    PrivateDisplay();
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    bool ok() const { return dpy_ != nullptr; }
    const std::string& name() const { return name_; }
    XDisplay* dpy() const { return dpy_; }
    std::map<std::string, std::string> Env() const { return {{"DISPLAY", name_}}; }

    // Whether a notification area owns the tray selection.
    bool HasNotificationArea();
    // Viewable windows whose WM_CLASS names `resClass`, or whose WM_NAME is `title`.
    std::vector<XWindowId> ViewableByClass(const std::string& resClass);
    std::vector<XWindowId> ViewableByTitle(const std::string& title);
    bool IsTopLevel(XWindowId w);
    // A viewable window of that class inside another (an icon embedded in the
    // notification area), 0 when there is none.
    XWindowId EmbeddedByClass(const std::string& resClass);
    bool IsOverrideRedirect(XWindowId w);
    // The window's centre in root coordinates.
    std::pair<int, int> Centre(XWindowId w);

    // xdotool on this display.
    bool Xdotool(const std::vector<std::string>& args);

  private:
    void Collect(XWindowId w, const std::function<bool(XWindowId)>& want,
                 std::vector<XWindowId>& out);

    std::unique_ptr<Child> server_;
    std::string name_;
    XDisplay* dpy_ = nullptr;
};

// A real X client window holding the focus that records the keys it gets.
class KeyRecorder {
  public:
    explicit KeyRecorder(XDisplay* dpy);
    ~KeyRecorder();

    void Focus();
    bool HasFocus();
    struct Key {
        bool press;
        unsigned long keysym;
    };
    // Takes what arrived so far.
    std::vector<Key> Drain();
    int ConnectionFd() const;

  private:
    XDisplay* dpy_;
    XWindowId window_ = 0;
};

}  // namespace padrix::testing
