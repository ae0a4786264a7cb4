#include "core/base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace vox {
namespace {

bool fail(std::string* error, const std::string& what, int err) {
    if (error)
        *error = what + ": " + std::strerror(err);
    return false;
}

long writeToFd(int fd, const char* data, std::size_t size) {
    return static_cast<long>(::write(fd, data, size));
}

// The folder's entry for the new name reaches the disk too, not only the file's data.
void syncFolderOf(const std::string& path) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty())
        folder = ".";
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace

std::string atomicTempPath(const std::string& path) {
    return path + ".tmp";
}

bool writeFileAtomically(const std::string& path, const std::string& contents, std::string* error,
                         const ChunkWriter& writeChunk) {
    const std::string temp = atomicTempPath(path);
    ::unlink(temp.c_str());  // a leftover of a killed write
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return fail(error, "Cannot create " + temp, errno);

    auto abandon = [&](const std::string& what, int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        return fail(error, what, err);
    };

    struct stat old {};
    if (::stat(path.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);

    const ChunkWriter& write = writeChunk ? writeChunk : ChunkWriter(writeToFd);
    std::size_t done = 0;
    while (done < contents.size()) {
        const long n = write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return abandon("Cannot write " + temp, n == 0 ? ENOSPC : errno);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0)
        return abandon("Cannot flush " + temp, errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return fail(error, "Cannot close " + temp, err);
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return fail(error, "Cannot replace " + path, err);
    }
    syncFolderOf(path);
    return true;
}

}  // namespace vox
