#include "platform/ScreenshotWorker.h"

#include <QSaveFile>
#include <QStandardPaths>
#include <QString>

#include <cstdlib>
#include <utility>

namespace padrix {

namespace {

constexpr int kJpegQuality = 60;

bool WriteJpeg(const QImage& image, const std::filesystem::path& path) {
    QSaveFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (!image.save(&file, "JPEG", kJpegQuality)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace

std::filesystem::path ScreenshotFallbackPath(const std::filesystem::path& picturesFolder,
                                             const std::filesystem::path& requested) {
    return picturesFolder / "Padrix" / requested.filename();
}

std::filesystem::path DefaultPicturesFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty()) {
        return pictures.toStdString();
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "") / "Pictures";
}

ScreenshotWorker::ScreenshotWorker(std::unique_ptr<ScreenGrabber> grabber,
                                   std::unique_ptr<Beeper> beeper,
                                   std::filesystem::path picturesFolder)
    : grabber_(std::move(grabber)),
      beeper_(std::move(beeper)),
      picturesFolder_(std::move(picturesFolder)),
      thread_([this](std::stop_token stop) { Run(stop); }) {}

// The thread stops after the screenshot in flight (jthread asks it to).
ScreenshotWorker::~ScreenshotWorker() = default;

void ScreenshotWorker::RequestScreenshot(const std::string& path) {
    {
        const std::lock_guard lock(mutex_);
        if (busy_) {
            return;
        }
        busy_ = true;
        job_ = path;
    }
    changed_.notify_all();
}

bool ScreenshotWorker::WaitIdle(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return !busy_; });
}

std::optional<std::filesystem::path> ScreenshotWorker::LastWritten() const {
    const std::lock_guard lock(mutex_);
    return lastWritten_;
}

void ScreenshotWorker::Run(std::stop_token stop) {
    while (true) {
        std::string path;
        {
            std::unique_lock lock(mutex_);
            // A job already accepted is still written when stopping.
            if (!changed_.wait(lock, stop, [this] { return job_.has_value(); })) {
                return;
            }
            path = std::move(*job_);
            job_.reset();
        }
        const auto written = Take(path);
        if (written && beeper_) {
            beeper_->Beep();
        }
        {
            const std::lock_guard lock(mutex_);
            lastWritten_ = written;
            busy_ = false;
        }
        changed_.notify_all();
    }
}

std::optional<std::filesystem::path> ScreenshotWorker::Take(
    const std::filesystem::path& requested) {
    const QImage image = grabber_ ? grabber_->Grab() : QImage();
    if (image.isNull()) {
        return std::nullopt;
    }
    if (WriteJpeg(image, requested)) {
        return requested;
    }
    if (picturesFolder_.empty()) {
        return std::nullopt;
    }
    const std::filesystem::path fallback = ScreenshotFallbackPath(picturesFolder_, requested);
    std::error_code ignored;
    std::filesystem::create_directories(fallback.parent_path(), ignored);
    if (WriteJpeg(image, fallback)) {
        return fallback;
    }
    return std::nullopt;
}

}  // namespace padrix
