#include "WindowManager.h"

#include <QTest>
#include <algorithm>
#include <fstream>

#include "platform/x11/X11Session.h"
#include "platform/x11/X11Windows.h"

namespace padrix::testing {

std::string DisplayName() {
    return qEnvironmentVariable("DISPLAY").toStdString();
}

ClickFocusManager::ClickFocusManager() {
    const std::string rc = dir_.filePath("jwmrc").toStdString();
    std::ofstream(rc) << "<JWM><FocusModel>click</FocusModel></JWM>\n";
    jwm_ = std::make_unique<Child>(
        std::vector<std::string>{"jwm", "-display", DisplayName(), "-f", rc});
}

bool ClickFocusManager::Manages(const std::vector<XWindowId>& ids) {
    const x11::DisplayPtr own = x11::OpenDisplay(DisplayName());
    const x11::X11Windows windows(own.get());
    return QTest::qWaitFor(
        [&] {
            const auto all = windows.TopLevelWindows();
            return windows.ManagerSupportsActivation() &&
                   std::all_of(ids.begin(), ids.end(), [&](XWindowId id) {
                       return std::find(all.begin(), all.end(), id) != all.end();
                   });
        },
        20000);
}

}  // namespace padrix::testing
