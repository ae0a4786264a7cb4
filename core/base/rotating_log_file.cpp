#include "core/base/rotating_log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vox {
namespace {

int openForAppend(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
}

std::string failure(const std::string& what, int err) {
    return what + ": " + std::strerror(err);
}

long writeToFd(int fd, const char* data, std::size_t size) {
    return static_cast<long>(::write(fd, data, size));
}

}  // namespace

RotatingLogFile::RotatingLogFile(std::string path, std::uint64_t maxBytes, ChunkWriter write)
    : path_(std::move(path)), maxBytes_(maxBytes), write_(write ? std::move(write) : writeToFd) {}

bool RotatingLogFile::append(const std::string& line, std::string* error) {
    auto fail = [&](const std::string& message) {
        if (error)
            *error = message;
        return false;
    };
    int fd = openForAppend(path_);
    if (fd < 0)
        return fail(failure("Cannot open " + path_, errno));
    struct stat st {};
    std::uint64_t size = ::fstat(fd, &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;

    const std::string text = line + '\n';
    std::string rotateError;
    if (maxBytes_ > 0 && size > 0 && size + text.size() > maxBytes_) {
        // The open descriptor follows the file to its new name: a new file needs a new open.
        if (std::rename(path_.c_str(), rotatedPath().c_str()) == 0) {
            ::close(fd);
            fd = openForAppend(path_);
            if (fd < 0)
                return fail(failure("Cannot open " + path_, errno));
            size = 0;
        } else {
            // The line still goes in, past the limit, rather than being lost.
            rotateError = failure("Cannot move " + path_ + " to " + rotatedPath(), errno);
        }
    }

    std::size_t done = 0;
    while (done < text.size()) {
        const long n = write_(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int err = n == 0 ? ENOSPC : errno;
            if (done > 0) {
                // Half a line would spoil the next one too. Should even this fail, the next line
                // starts after the fragment, which is all that can be done.
                const int cut = ::ftruncate(fd, static_cast<off_t>(size));
                static_cast<void>(cut);
            }
            ::close(fd);
            return fail(failure("Cannot write " + path_, err));
        }
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (!rotateError.empty())
        return fail(rotateError);
    return true;
}

}  // namespace vox
