// Temporary folders for the tests of the folder the game runs in: the launch folder (current during
// a test, restored afterwards) and an installation's data folder holding VESKAR.DAT.
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
        if (mkdtemp(pattern.data()) != nullptr) {
            root = std::filesystem::canonical(pattern);
            std::filesystem::create_directories(launch());
            std::filesystem::create_directories(package());
            write(package() / "VESKAR.DAT", "installed music");
            std::filesystem::current_path(launch());
        }
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

    std::filesystem::path launch() const { return root / "launch"; }
    std::filesystem::path package() const { return root / "share" / "veskar"; }

    static void write(const std::filesystem::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string read(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    // Every entry below the root with what it holds: a file's text, a link's target.
    std::set<std::string> snapshot() const {
        std::set<std::string> entries;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            std::string line = entry.path().lexically_relative(root).string();
            if (entry.is_symlink()) {
                line += " -> " + std::filesystem::read_symlink(entry.path()).string();
            } else if (entry.is_regular_file()) {
                line += " = " + read(entry.path());
            }
            entries.insert(line);
        }
        return entries;
    }

    std::filesystem::path root;  // empty when the folders could not be made

  private:
    std::filesystem::path previous;
};
