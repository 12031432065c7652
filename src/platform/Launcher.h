#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace padrix {

enum class RegistryRoot { kLocalMachine, kCurrentUser };

// The outside programs the launcher uses, and the Wine prefix whose registry
// and drives it reads. An empty prefix means $WINEPREFIX, else ~/.wine.
struct LauncherTools {
    std::string opener = "xdg-open";
    std::string wine = "wine";
    std::filesystem::path winePrefix;
};

// Finding and starting programs the way the emulator launch needs it.
class Launcher {
  public:
    explicit Launcher(LauncherTools tools = {});

    // The first regular file in `folder` (by name) whose name ends in
    // `suffix`, letter case ignored: FindFileEndingIn(dir, "vgs.exe").
    static std::optional<std::filesystem::path> FindFileEndingIn(
        const std::filesystem::path& folder, std::string_view suffix);

    // Opens `file` with the desktop's default handler; a Windows program
    // (".exe") is started through wine instead. False when nothing started.
    bool OpenWithDefaultHandler(const std::filesystem::path& file,
                                const std::filesystem::path& workingDir) const;

    // Starts `program` with a normal window; ".exe" files through wine.
    bool StartProgram(const std::filesystem::path& program,
                      const std::filesystem::path& workingDir) const;

    // A string value from the Wine prefix's registry ("system.reg" holds
    // HKEY_LOCAL_MACHINE, "user.reg" HKEY_CURRENT_USER). Subkey and value
    // names ignore letter case. Empty when the prefix, file, key or value is
    // missing, or the value is not a string.
    std::string ReadRegistryString(RegistryRoot root, std::string_view subkey,
                                   std::string_view value) const;

    // The file on disk that a Windows path ("C:\Program Files\x.exe") names
    // in the prefix, through its "dosdevices" drive links; letter case of
    // the folders is matched loosely. Empty when the drive is not linked.
    std::filesystem::path HostPathOfWindowsPath(std::string_view windowsPath) const;

  private:
    bool Start(const std::string& program, const std::string& argument,
               const std::filesystem::path& workingDir) const;

    LauncherTools tools_;
    std::filesystem::path prefix_;
};

}  // namespace padrix
