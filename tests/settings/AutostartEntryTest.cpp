#include <gtest/gtest.h>

#include "TempFolder.h"
#include "settings/AutostartEntry.h"

namespace padrix {
namespace {

using testing::TempFolder;

std::string ExecLine(std::string_view program) {
    const std::optional<std::string> contents = AutostartContents(program);
    if (!contents) {
        return "<none>";
    }
    const std::size_t start = contents->find("\nExec=") + 6;
    return contents->substr(start, contents->find('\n', start) - start);
}

TEST(AutostartEntryTest, ExecQuotesThePathAsDesktopEntriesDo) {
    const std::pair<const char*, const char*> table[] = {
        {"/usr/bin/padrix", "/usr/bin/padrix --no-launch"},
        {"/home/j\xc3\xb6rg/my games/padrix", "\"/home/j\xc3\xb6rg/my games/padrix\" --no-launch"},
        {"/opt/a\"b$c\\d`e", R"("/opt/a\\"b\\$c\\\\d\\`e" --no-launch)"},
        {"/opt/100%/padrix", "/opt/100%%/padrix --no-launch"},
        {"/opt/it's (new)/padrix", "\"/opt/it's (new)/padrix\" --no-launch"},
        {"padrix", "<none>"},
        {"", "<none>"},
        {"/opt/pad\nrix", "<none>"},
        {"/opt/\xff/padrix", "<none>"},
    };
    for (auto [program, exec] : table) {
        EXPECT_EQ(ExecLine(program), exec) << program;
    }
    // A start with --settings elsewhere starts with the desktop the same way.
    const std::string withSettings = *AutostartContents("/usr/bin/padrix", "/home/u/my pads.ini");
    EXPECT_NE(withSettings.find("\nExec=/usr/bin/padrix --no-launch --settings \"/home/u/my "
                                "pads.ini\"\n"),
              std::string::npos);
    EXPECT_EQ(AutostartContents("/usr/bin/padrix", "pads.ini"), std::nullopt);
}

// Switched off the ways desktops' start-up settings do it, in the main group.
TEST(AutostartEntryTest, AnEntrySwitchedOffByTheDesktopDoesNotStart) {
    const std::pair<const char*, bool> table[] = {
        {"[Desktop Entry]\nExec=padrix\n", true},
        {"", true},
        {"[Desktop Entry]\nHidden=true\n", false},
        {"[Desktop Entry]\r\nHidden = true\r\n", false},
        {"[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n", false},
        {"[Desktop Entry]\nHidden=false\nX-GNOME-Autostart-enabled=true\n", true},
        {"[Desktop Entry]\nHidden=True\n", true},
        {"[Desktop Action x]\nHidden=true\n", true},
        {"Hidden=true\n", true},
        {"[Desktop Entry]\n# Hidden=true\nHidden\n", true},
    };
    for (auto [contents, on] : table) {
        EXPECT_EQ(AutostartSwitchedOn(contents), on) << contents;
    }
}

TEST(AutostartEntryTest, WritesRemovesAndReportsWhatFails) {
    TempFolder temp;
    const AutostartEntry entry(AutostartFileIn(temp.File("config")));
    EXPECT_EQ(entry.File(), temp.File("config/autostart/padrix.desktop"));
    EXPECT_FALSE(entry.StartsWithDesktop());

    EXPECT_EQ(entry.Write("/usr/bin/padrix"), std::nullopt);
    EXPECT_TRUE(entry.StartsWithDesktop());
    EXPECT_EQ(temp.Read("config/autostart/padrix.desktop"), AutostartContents("/usr/bin/padrix"));
    EXPECT_EQ(entry.Write("/usr/local/bin/padrix"), std::nullopt);  // replaced
    EXPECT_EQ(temp.Read("config/autostart/padrix.desktop"),
              AutostartContents("/usr/local/bin/padrix"));
    EXPECT_EQ(entry.Remove(), std::nullopt);
    EXPECT_FALSE(entry.StartsWithDesktop());
    EXPECT_EQ(entry.Remove(), std::nullopt);

    EXPECT_NE(entry.Write("padrix").value_or("").find(entry.File().string()), std::string::npos);
    EXPECT_FALSE(entry.StartsWithDesktop());

    // A file where the folder should be fails as a read-only folder does, even for root.
    const AutostartEntry blocked(AutostartFileIn(temp.Write("plain", "x")));
    EXPECT_NE(blocked.Write("/usr/bin/padrix").value_or("").find(blocked.File().string()),
              std::string::npos);
    EXPECT_FALSE(blocked.StartsWithDesktop());
    EXPECT_NE(blocked.Remove().value_or("").find("Not a directory"), std::string::npos);
}

}  // namespace
}  // namespace padrix
