// Memory-file operations: open reads the whole file, the other operations work on the copy.
#include "audio/player/MemoryFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "audio/player/ModuleFileOps.h"

namespace {

thread_local MemoryFileStatus lastStatus = MemoryFileStatus::Missing;

#ifdef _WIN32
int OpenForReading(const char* fileName) {
    return _open(fileName, _O_RDONLY | _O_BINARY);
}
// The file's size, or -1 when it is not a regular file.
std::int64_t RegularSize(int file) {
    struct _stat64 status {};
    if (_fstat64(file, &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
        return -1;
    }
    return status.st_size;
}
int ReadSome(int file, std::uint8_t* into, std::size_t count) {
    return _read(file, into, static_cast<unsigned>(count));
}
void CloseFile(int file) {
    _close(file);
}
#else
int OpenForReading(const char* fileName) {
    // Non-blocking, so that a FIFO at the name is opened at once and then refused as not regular.
    return ::open(fileName, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}
std::int64_t RegularSize(int file) {
    struct stat status {};
    if (::fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
        return -1;
    }
    return status.st_size;
}
int ReadSome(int file, std::uint8_t* into, std::size_t count) {
    return static_cast<int>(::read(file, into, count));
}
void CloseFile(int file) {
    ::close(file);
}
#endif

// Reads the whole of the open file into `file`, its size checked before anything is read.
MemoryFileStatus ReadWholeFile(int descriptor, MemoryFile& file) {
    const std::int64_t length = RegularSize(descriptor);
    if (length < 0) {
        return MemoryFileStatus::NotRegular;
    }
    if (length > MAX_MODULE_FILE_SIZE) {
        return MemoryFileStatus::TooLarge;
    }
    std::vector<std::uint8_t> data(static_cast<std::size_t>(length));
    std::size_t count = 0;
    while (count < data.size()) {
        const int got = ReadSome(descriptor, data.data() + count, data.size() - count);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return MemoryFileStatus::Unreadable;  // an error, or the file shrank under us
        }
        count += static_cast<std::size_t>(got);
    }
    file.data = std::move(data);
    file.size = static_cast<std::int32_t>(length);
    return MemoryFileStatus::Read;
}

}  // namespace

void* MemoryFileOpen(const char* fileName) {
    auto* file = new MemoryFile{};
    lastStatus = MemoryFileStatus::Missing;
    if (fileName == nullptr) {
        return file;
    }
    const int descriptor = OpenForReading(fileName);
    if (descriptor < 0) {
        lastStatus = errno == ENOENT                     ? MemoryFileStatus::Missing
                     : errno == ENXIO || errno == EISDIR ? MemoryFileStatus::NotRegular
                                                         : MemoryFileStatus::Unreadable;
        return file;
    }
    lastStatus = ReadWholeFile(descriptor, *file);
    CloseFile(descriptor);
    return file;
}

MemoryFileStatus LastMemoryFileStatus() {
    return lastStatus;
}

void MemoryFileClose(void* handle) {
    delete static_cast<MemoryFile*>(handle);
}

void MemoryFileRead(void* destination, std::uint32_t count, void* handle) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (file == nullptr || destination == nullptr || file->position >= file->size)
        return;
    const std::uint32_t available = static_cast<std::uint32_t>(file->size - file->position);
    if (count > available)
        count = available;
    std::memcpy(destination, file->data.data() + file->position, count);
    file->position += static_cast<std::int32_t>(count);
}

void MemoryFileSeek(void* handle, std::int32_t offset, int origin) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (file == nullptr)
        return;
    // Computed in 64 bits and kept within 0..size, so no offset can move the position outside the data.
    std::int64_t position = file->position;
    if (origin == SEEK_FROM_START)
        position = offset;
    else if (origin == SEEK_FROM_CURRENT)
        position += offset;
    else if (origin == SEEK_FROM_END)
        position = static_cast<std::int64_t>(file->size) + offset;
    else
        return;
    if (position > file->size)
        position = file->size;
    if (position < 0)
        position = 0;
    file->position = static_cast<std::int32_t>(position);
}

std::int32_t MemoryFileTell(void* handle) {
    const auto* file = static_cast<const MemoryFile*>(handle);
    return file == nullptr ? 0 : file->position;
}

void InstallMemoryFileOps() {
    InstallModuleFileOps(MemoryFileOpen, MemoryFileClose, MemoryFileRead, MemoryFileSeek, MemoryFileTell);
}
