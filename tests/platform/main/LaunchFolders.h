// Temporary folders for the tests of the folder the game runs in: the folder it is launched from,
// an installation's data folder holding VESKAR.DAT, and room for the player's data folders. The
// current folder is the launch folder during a test and is restored afterwards.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <system_error>

class LaunchFolders {
  public:
    LaunchFolders() : previous(std::filesystem::current_path()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "veskar-launch-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            return;
        }
        root = std::filesystem::canonical(pattern);
        std::filesystem::create_directories(launch());
        std::filesystem::create_directories(package());
        write(package() / "VESKAR.DAT", "installed music");
        std::filesystem::current_path(launch());
    }
    ~LaunchFolders() {
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
        if (!root.empty()) {
            std::filesystem::permissions(package(), std::filesystem::perms::owner_all, ignored);
            std::filesystem::remove_all(root, ignored);
        }
    }
    LaunchFolders(const LaunchFolders&) = delete;
    LaunchFolders& operator=(const LaunchFolders&) = delete;

    [[nodiscard]] bool ready() const { return !root.empty(); }
    [[nodiscard]] std::filesystem::path launch() const { return root / "launch"; }
    [[nodiscard]] std::filesystem::path package() const { return root / "share" / "veskar"; }

    static void write(const std::filesystem::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string read(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    // Every entry below the root with what it holds: a file's text, a link's target.
    [[nodiscard]] std::set<std::string> snapshot() const {
        std::set<std::string> entries;
        std::error_code error;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root, error)) {
            const std::string name = entry.path().lexically_relative(root).string();
            if (entry.is_symlink()) {
                entries.insert(name + " -> " + std::filesystem::read_symlink(entry.path(), error).string());
            } else if (entry.is_regular_file()) {
                entries.insert(name + " = " + read(entry.path()));
            } else {
                entries.insert(name + "/");
            }
        }
        return entries;
    }

    std::filesystem::path root;

  private:
    std::filesystem::path previous;
};
