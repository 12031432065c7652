#pragma once

#include <QImage>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "engine/Effects.h"

namespace padrix {

// Takes a picture of the whole desktop. Called on the screenshot thread only.
class ScreenGrabber {
  public:
    virtual ~ScreenGrabber() = default;
    // A null image when the desktop cannot be read.
    virtual QImage Grab() = 0;
};

// Where a screenshot goes when its own folder cannot be written:
// <pictures>/Padrix/<file name>.
std::filesystem::path ScreenshotFallbackPath(const std::filesystem::path& picturesFolder,
                                             const std::filesystem::path& requested);

// The user's pictures folder (the XDG "PICTURES" user directory, else
// ~/Pictures).
std::filesystem::path DefaultPicturesFolder();

// Grabs and writes screenshots on a thread of its own, one at a time: a
// request that comes while one is being written is dropped. The file is a
// JPEG of quality 60; it beeps once the file exists, never otherwise.
class ScreenshotWorker : public Screenshotter {
  public:
    ScreenshotWorker(std::unique_ptr<ScreenGrabber> grabber, std::unique_ptr<Beeper> beeper,
                     std::filesystem::path picturesFolder);
    // Finishes the screenshot in flight.
    ~ScreenshotWorker() override;
    ScreenshotWorker(const ScreenshotWorker&) = delete;
    ScreenshotWorker& operator=(const ScreenshotWorker&) = delete;

    void RequestScreenshot(const std::string& path) override;

    // Waits until no screenshot is in flight; false when `timeout` passed.
    bool WaitIdle(std::chrono::milliseconds timeout);

    // Where the last finished screenshot was written; nothing when it
    // could not be written anywhere.
    std::optional<std::filesystem::path> LastWritten() const;

  private:
    void Run(std::stop_token stop);
    std::optional<std::filesystem::path> Take(const std::filesystem::path& requested);

    std::unique_ptr<ScreenGrabber> grabber_;
    std::unique_ptr<Beeper> beeper_;
    std::filesystem::path picturesFolder_;

    mutable std::mutex mutex_;
    std::condition_variable_any changed_;
    std::optional<std::string> job_;
    bool busy_ = false;
    std::optional<std::filesystem::path> lastWritten_;
    std::jthread thread_;
};

}  // namespace padrix
