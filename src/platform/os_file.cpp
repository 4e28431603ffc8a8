#include "platform/os_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {

long long g_writeBudget = -1;  // bytes still allowed; -1 = no limit
bool g_failCreates = false;
bool g_failReplace = false;


// Takes the exclusive lock without waiting; closes fd and returns -1 when the
// file is open elsewhere.
int LockOrClose(int fd) {
    if (fd < 0) return -1;
    int r;
    do {
        r = flock(fd, LOCK_EX | LOCK_NB);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int OpenRaw(const std::string& osPath, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(osPath.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool IsRegularFile(int fd) {
    struct stat st;
    return fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

// Opens without ever waiting (a named pipe with no one at its other end
// would block an ordinary open for ever) and keeps only a regular file: a
// pipe, a device or a folder counts as a file that cannot be opened.  The
// descriptor then works in the ordinary blocking way.
int OpenRegularFile(const std::string& osPath, int flags, mode_t mode = 0) {
    int fd = OpenRaw(osPath, flags | O_NONBLOCK | O_NOCTTY, mode);
    if (fd < 0) return -1;
    int status = ::fcntl(fd, F_GETFL);
    if (!IsRegularFile(fd) || status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

FileHandle OpenExistingForRead(const OsPath& path) {
    if (path.Empty()) return {};
    return FileHandle{LockOrClose(OpenRegularFile(path.Text(), O_RDONLY))};
}

FileHandle CreateForWrite(const OsPath& path) {
    if (g_failCreates || path.Empty()) return {};
    // Not O_TRUNC: the file is emptied only once the lock shows nobody else
    // has it open.
    int fd = LockOrClose(OpenRegularFile(path.Text(), O_WRONLY | O_CREAT, 0666));
    if (fd < 0) return {};
    if (ftruncate(fd, 0) != 0) {
        ::close(fd);
        return {};
    }
    return FileHandle{fd};
}

FileHandle CreateTempBeside(const OsPath& beside, OsPath& temp) {
    temp = OsPath();
    if (g_failCreates || beside.Empty()) return {};
    const std::string& os = beside.Text();
    std::string folder;
    std::string name = os;
    size_t slash = os.rfind('/');
    if (slash != std::string::npos) {
        folder = os.substr(0, slash + 1);
        name = os.substr(slash + 1);
    }
    std::string pattern = folder + "." + name + ".XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    int fd = mkostemp(buf.data(), O_CLOEXEC);
    if (fd < 0) return {};
    fd = LockOrClose(fd);
    if (fd < 0) {
        ::unlink(buf.data());
        return {};
    }
    temp = OsPath::FromOs(buf.data());
    return FileHandle{fd};
}

long ReadBlock(FileHandle file, void* buffer, size_t size) {
    if (!file.IsOpen()) return -1;
    ssize_t r;
    do {
        r = ::read(file.fd, buffer, size);
    } while (r < 0 && errno == EINTR);
    return static_cast<long>(r);
}

long WriteBlock(FileHandle file, const void* buffer, size_t size) {
    if (!file.IsOpen()) return -1;
    size_t allowed = size;
    if (g_writeBudget >= 0) {
        if (static_cast<unsigned long long>(g_writeBudget) < size) allowed = static_cast<size_t>(g_writeBudget);
        if (allowed == 0 && size > 0) {
            errno = ENOSPC;
            return -1;
        }
    }
    const char* p = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < allowed) {
        ssize_t r = ::write(file.fd, p + done, allowed - done);
        if (r < 0) {
            if (errno == EINTR) continue;
            if (done == 0) return -1;
            break;
        }
        done += static_cast<size_t>(r);
    }
    if (g_writeBudget >= 0) g_writeBudget -= static_cast<long long>(done);
    return static_cast<long>(done);
}

bool SyncFile(FileHandle file) {
    return file.IsOpen() && ::fsync(file.fd) == 0;
}

bool CloseFile(FileHandle& file) {
    if (!file.IsOpen()) return true;
    int r = ::close(file.fd);  // releases the lock too
    file.fd = -1;
    return r == 0 || errno == EINTR;
}

int64_t FileSize(FileHandle file) {
    struct stat st;
    if (!file.IsOpen() || fstat(file.fd, &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

bool CopyPermissions(const OsPath& model, FileHandle file) {
    if (!file.IsOpen()) return false;
    struct stat st;
    if (::stat(model.CStr(), &st) == 0) return ::fchmod(file.fd, st.st_mode & 07777) == 0;
    // No model: what a newly created file would get (a temporary file
    // starts private).
    mode_t mask = ::umask(0);
    ::umask(mask);
    return ::fchmod(file.fd, 0666 & ~mask) == 0;
}

bool ReplaceFile(const OsPath& from, const OsPath& to) {
    if (g_failReplace) return false;
    return ::rename(from.CStr(), to.CStr()) == 0;
}

bool RemoveFile(const OsPath& path) { return ::unlink(path.CStr()) == 0; }

bool FileExists(const OsPath& path) {
    struct stat st;
    return ::stat(path.CStr(), &st) == 0;
}

bool MayWrite(const OsPath& path) {
    struct stat st;
    if (::stat(path.CStr(), &st) != 0) return true;
    return ::access(path.CStr(), W_OK) == 0;
}

namespace faults {
void FailWritesAfterBytes(long long bytes) { g_writeBudget = bytes < 0 ? 0 : bytes; }
void FailCreates(bool fail) { g_failCreates = fail; }
void FailReplace(bool fail) { g_failReplace = fail; }
void ClearFailures() {
    g_writeBudget = -1;
    g_failCreates = false;
    g_failReplace = false;
}
}  // namespace faults

}  // namespace platform
