// Which reader reads an archive, and reading and writing in one.
#include "archive/extract.h"

#include "archive/readers.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kissarchive {
namespace {

ReadResult Failed(Failure failure, const std::string& detail) {
    ReadResult r;
    r.failure = failure;
    r.error = detail;
    return r;
}

// The whole file, read through a descriptor that is known to be a regular
// file (a named pipe would block the viewer).
ReadResult ReadFile(const std::string& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        return Failed(err == ENOENT || err == ENOTDIR ? Failure::Missing : Failure::CannotOpen, std::strerror(err));
    }
    struct stat st;
    ReadResult r;
    r.ok = true;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        r = Failed(Failure::CannotOpen, "not a regular file");
    } else if (st.st_size > kMaxTotalBytes) {
        r = Failed(Failure::TooLarge, "the archive is larger than the viewer accepts");
    } else {
        bytes.resize(static_cast<size_t>(st.st_size));
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        bytes.resize(done);
    }
    ::close(fd);
    return r;
}

}  // namespace

ReadResult ReadArchive(const std::string& archivePath) {
    std::string bytes;
    ReadResult file = ReadFile(archivePath, bytes);
    if (!file.ok) return file;
    if (LooksLikeLzh(bytes)) {
        bool found = false;
        ReadResult lzh = ReadLzh(bytes, found);
        // A self-extracting program without LZH inside may hold a ZIP.
        if (found || bytes.compare(0, 2, "MZ") != 0) return lzh;
    }
    return ReadWithLibarchive(bytes);
}

ExtractResult ExtractArchive(const std::string& archivePath, const std::string& folder) {
    ReadResult read = ReadArchive(archivePath);
    if (!read.ok) {
        ExtractResult failed;
        failed.failure = read.failure;
        failed.error = read.error;
        return failed;
    }
    Folder into(folder);
    ExtractResult result = WriteEntries(read.entries, into);
    result.refused.insert(result.refused.begin(), read.refused.begin(), read.refused.end());
    return result;
}

}  // namespace kissarchive
