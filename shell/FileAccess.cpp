// Safe reads and whole-file replacement of the game's own files, on POSIX systems and on Windows.
#include "shell/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace {

FileOutcome failure(int error) {
    return {FileOutcome::Status::Failed, error};
}

#ifdef _WIN32

int openForReading(const std::string& path) {
    return _open(path.c_str(), _O_RDONLY | _O_BINARY);
}

bool isRegular(int file) {
    struct _stat64 status {};
    return _fstat64(file, &status) == 0 && (status.st_mode & _S_IFMT) == _S_IFREG;
}

int readSome(int file, std::uint8_t* into, std::size_t count) {
    return _read(file, into, static_cast<unsigned>(count));
}

// Makes the new file under a name no other run uses: the process number and a counter, created
// exclusively so that an existing file of that name is never reused.
int createNew(const std::string& path, std::string& name) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = path + "." + std::to_string(_getpid()) + "." + std::to_string(++counter);
        const int file =
            _open(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (file >= 0 || errno != EEXIST) {
            return file;
        }
    }
    return -1;
}

int writeSome(int file, const std::uint8_t* from, std::size_t count) {
    return _write(file, from, static_cast<unsigned>(count));
}

bool syncFile(int file) {
    return _commit(file) == 0;
}

int closeFile(int file) {
    return _close(file);
}

void removeFile(const std::string& name) {
    _unlink(name.c_str());
}

// Windows replaces the target in one step (MoveFileEx with MOVEFILE_REPLACE_EXISTING) and keeps no
// folder entries to sync.
int renameOver(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return error ? (error.value() != 0 ? error.value() : EIO) : 0;
}

#else

// The folder a file's path names (".": the current one), for the folder's sync.
std::string folderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

int openForReading(const std::string& path) {
    // Non-blocking, so that a FIFO at the name is opened at once and then refused as not regular.
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
}

bool isRegular(int file) {
    struct stat status {};
    return ::fstat(file, &status) == 0 && S_ISREG(status.st_mode);
}

int readSome(int file, std::uint8_t* into, std::size_t count) {
    return static_cast<int>(::read(file, into, count));
}

// The permission bits the new file takes: those of the regular file it replaces, or 0600.
mode_t modeFor(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
        return status.st_mode & 07777;
    }
    return 0600;
}

// mkostemp creates exclusively under a random name, so a link planted at any name is never followed
// and two runs saving at once never share a file.
int createNew(const std::string& path, std::string& name) {
    name = path + ".XXXXXX";
    const int file = ::mkostemp(name.data(), O_CLOEXEC);
    if (file >= 0 && ::fchmod(file, modeFor(path)) != 0) {
        const int error = errno;
        ::close(file);
        ::unlink(name.c_str());
        errno = error;
        return -1;
    }
    return file;
}

int writeSome(int file, const std::uint8_t* from, std::size_t count) {
    return static_cast<int>(::write(file, from, count));
}

bool syncFile(int file) {
    return ::fsync(file) == 0;
}

int closeFile(int file) {
    return ::close(file);
}

void removeFile(const std::string& name) {
    ::unlink(name.c_str());
}

// Renames, then syncs the folder so that the new entry outlives a power cut. Some file systems
// cannot sync a folder; the rename has happened all the same, so that is no failure.
int renameOver(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return errno;
    }
    const int folder = ::open(folderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
    return 0;
}

#endif

// Writes all bytes, going on after partial writes and interruptions.
bool writeAll(int file, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const int written = writeSome(file, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

std::string FileOutcome::reason() const {
    switch (status) {
        case Status::Done:
            return "done";
        case Status::Missing:
            return "missing";
        case Status::NotRegular:
            return "not a regular file";
        case Status::Failed:
            break;
    }
    return std::strerror(error);
}

FileOutcome readRegularFile(const std::string& path, std::span<std::uint8_t> buffer, std::size_t& count) {
    count = 0;
    const int file = openForReading(path);
    if (file < 0) {
        if (errno == ENOENT) {
            return {FileOutcome::Status::Missing, ENOENT};
        }
        // A link at the name (ELOOP), or a device that refuses to open without waiting (ENXIO).
        const bool odd = errno == ELOOP || errno == ENXIO || errno == EISDIR;
        return odd ? FileOutcome{FileOutcome::Status::NotRegular, errno} : failure(errno);
    }
    if (!isRegular(file)) {
        closeFile(file);
        return {FileOutcome::Status::NotRegular, 0};
    }
    while (count < buffer.size()) {
        const int got = readSome(file, buffer.data() + count, buffer.size() - count);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int error = errno;
            closeFile(file);
            return failure(error);
        }
        if (got == 0) {
            break;
        }
        count += static_cast<std::size_t>(got);
    }
    closeFile(file);
    return {};
}

FileOutcome replaceFile(const std::string& path, const void* data, std::size_t size) {
    std::string name;
    const int file = createNew(path, name);
    if (file < 0) {
        return failure(errno);  // nothing was made
    }
    const bool written = writeAll(file, static_cast<const std::uint8_t*>(data), size) && syncFile(file);
    int error = written ? 0 : errno;
    if (closeFile(file) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0) {
        error = renameOver(name, path);
    }
    if (error != 0) {
        removeFile(name);
        return failure(error);
    }
    return {};
}
