// A fresh, empty working directory for one test: the program reads and writes VESKAR.INI in the
// current directory, so every test that runs it works in its own folder and leaves nothing behind.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

class ScratchFolder {
  public:
    ScratchFolder() : previous(std::filesystem::current_path()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "veskar-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path = pattern;
            std::filesystem::current_path(path);
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
        if (!path.empty()) {
            std::filesystem::remove_all(path, ignored);
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, empty when it could not be made (the test then runs where it started).
    std::filesystem::path path;

  private:
    std::filesystem::path previous;
};
