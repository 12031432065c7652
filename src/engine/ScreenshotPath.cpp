#include "ScreenshotPath.h"

#include <cstdio>

namespace padrix {

std::string ScreenshotPath(std::string_view folder, const LocalDateTime& t) {
    char name[32];
    std::snprintf(name, sizeof name, "%04d%02d%02d%02d%02d%02d.jpg", t.year % 10000, t.month % 100,
                  t.day % 100, t.hour % 100, t.minute % 100, t.second % 100);
    std::string path(folder);
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    return path + name;
}

}  // namespace padrix
