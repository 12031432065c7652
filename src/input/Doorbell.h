#pragma once

#include <functional>
#include <string>

namespace padrix {

// A controller's doorbell: a descriptor opened read-only and non-blocking
// only to be woken up when it turns readable. What arrives is read and
// thrown away; the device is never asked anything, so any readable file can
// stand for it. Owns the descriptor.
class Doorbell {
  public:
    Doorbell() = default;
    explicit Doorbell(int fd) : fd_(fd) {}
    ~Doorbell() { Close(); }
    Doorbell(Doorbell&& other) noexcept;
    Doorbell& operator=(Doorbell&& other) noexcept;
    Doorbell(const Doorbell&) = delete;
    Doorbell& operator=(const Doorbell&) = delete;

    // -1 when there is none.
    int fd() const { return fd_; }

    // Reads what has arrived, without waiting; true when anything had. At
    // the end of the file or on an error (the device went away) the
    // doorbell closes, which counts as having rung.
    bool Drain();
    void Close();

  private:
    int fd_ = -1;
};

// Opens the doorbell of joypad `joypad`, whose device SDL reports at `path`
// (empty when it names none); -1 when there is none.
using DoorbellOpener = std::function<int(int joypad, const std::string& path)>;

// The real doorbell: the controller's event device, read-only and non-blocking.
int OpenEventDevice(int joypad, const std::string& path);

}  // namespace padrix
