// The command line's server decides who it answers: its owner, nobody else.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QTemporaryDir>

#include "BesideTheLoop.h"
#include "app/RemoteClient.h"
#include "app/RemoteServer.h"

namespace padrix::testing {
namespace {

TEST(AppRemoteServer, AnswersOnlyTheUserItBelongsTo) {
    const uid_t me = geteuid();
    const struct {
        uid_t owner;
        std::string answer;
        int applied;
    } cases[] = {
        {me, "ok\n", 1},
        {me + 1, "error Refused: the request comes from another user.\n", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.owner);
        int applied = 0;
        RemoteServer server(
            [&applied](std::string_view) {
                ++applied;
                return std::string("ok\n");
            },
            c.owner);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Padrix.sock"));
        ASSERT_TRUE(server.Listen(path)) << server.ErrorText().toStdString();
        EXPECT_EQ(BesideTheLoop([&path] { return ExchangeRequest(path, "quit"); }), c.answer);
        EXPECT_EQ(applied, c.applied);
    }
}

}  // namespace
}  // namespace padrix::testing
