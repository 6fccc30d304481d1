// Reading and replacing the game's own small files safely: only regular files are read, never
// through a link and never blocking on a FIFO or device; a file is only ever replaced whole, by a
// new file that no one else could have made or redirected.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

struct FileOutcome {
    enum class Status {
        Done,
        Missing,     // no file of that name
        NotRegular,  // a folder, FIFO, device or link stands at the name
        Failed,      // the system refused: `error` holds its errno
    };
    Status status = Status::Done;
    int error = 0;

    [[nodiscard]] bool done() const { return status == Status::Done; }
    // What went wrong, for a message to the player ("Permission denied", "not a regular file").
    [[nodiscard]] std::string reason() const;
};

// Reads up to buffer.size() bytes from the start of the regular file at `path` into `buffer`;
// `count` receives how many were read (fewer only when the file is shorter). A link, FIFO, device or
// folder at the name is NotRegular, and nothing waits on it.
[[nodiscard]] FileOutcome readRegularFile(const std::string& path, std::span<std::uint8_t> buffer,
                                          std::size_t& count);

// Replaces the file at `path` with `size` bytes: they go to a new file of a unique name in the same
// folder, made exclusively (a link planted at any name is never followed), with the permission bits
// of the file it replaces or 0600 for a new one; it is synced to the disk, renamed over `path`, and
// the folder is synced. On failure only that new file is removed, and `path` is left as it was.
[[nodiscard]] FileOutcome replaceFile(const std::string& path, const void* data, std::size_t size);
