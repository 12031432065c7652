// The command line's server inside a tray with a virtual pad, which the real
// program cannot have: after a flood of garbage through the socket the pad
// still types, and a profile asked for by name takes over.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <random>

#include "BesideTheLoop.h"
#include "PadrixOnX.h"
#include "app/RemoteClient.h"
#include "app/RemoteServer.h"
#include "remote/RemoteControl.h"

namespace padrix::testing {
namespace {

TEST(AppRemoteOnX, AfterTenThousandGarbageRequestsThePadStillTypes) {
    PadrixOnX padrix;
    if (!padrix.ok()) {
        GTEST_SKIP() << padrix.error();
    }
    padrix.settings().SaveSetting("Names", "1", "Arena");
    padrix.settings().SaveSetting("Arena", "3", "70");
    RemoteControl control(padrix.form().session(), "xtest", [] {});
    RemoteServer server([&control](std::string_view line) { return control.Answer(line); });
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Padrix.sock"));
    ASSERT_TRUE(server.Listen(path)) << server.ErrorText().toStdString();

    const int answered = BesideTheLoop([&path] {
        std::mt19937 random(18);
        std::uniform_int_distribution<int> length(0, 60), byte(1, 255);
        int count = 0;
        for (int i = 0; i < 10000; ++i) {
            std::string line;
            for (int n = length(random); n > 0; --n) {
                line += static_cast<char>(byte(random));
            }
            count += ExchangeRequest(path, line.substr(0, line.find('\n'))).has_value();
        }
        return count;
    });
    EXPECT_EQ(answered, 10000);

    std::vector<SeenEvent> received;
    const auto types = [&](unsigned long keysym) {
        padrix.pad().SetButton(0, true);
        const bool down = TakeKey(padrix.client(), received, keysym, true);
        padrix.pad().SetButton(0, false);
        return down && TakeKey(padrix.client(), received, keysym, false);
    };
    EXPECT_TRUE(types(XK_j)) << "still mapping";
    EXPECT_EQ(BesideTheLoop([&path] { return ExchangeRequest(path, "profile arena"); }), "ok\n");
    EXPECT_TRUE(types(XK_f)) << "the profile asked for";
}

}  // namespace
}  // namespace padrix::testing
