// Writing checked entries into a folder, never through a link.
#include "archive/extract.h"
#include "archive/gather.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kissarchive {
namespace {

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd(Fd&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
    Fd& operator=(Fd&& o) noexcept {
        std::swap(fd_, o.fd_);
        return *this;
    }
    int get() const { return fd_; }

private:
    int fd_;
};

bool Fails(Refusal& r, Why why, const std::string& reason) {
    r.why = why;
    r.reason = reason;
    return false;
}

std::string Because(const char* what, int err) { return std::string(what) + ": " + std::strerror(err); }

// Opens (creating if needed) each folder of `parts` below `root`, never
// following a link: a link in the way makes the entry leave the folder.
Fd OpenFolders(int root, const std::vector<std::string>& parts, size_t count, Refusal& r) {
    Fd dir(::dup(root));
    for (size_t i = 0; i < count; ++i) {
        const char* name = parts[i].c_str();
        if (::mkdirat(dir.get(), name, 0777) != 0 && errno != EEXIST) {
            Fails(r, Why::CannotCreateFolder, Because("cannot create folder", errno));
            return Fd();
        }
        Fd next(::openat(dir.get(), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (next.get() < 0) {
            const int err = errno;
            struct stat st;
            if ((err == ELOOP || err == ENOTDIR) && ::fstatat(dir.get(), name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISLNK(st.st_mode))
                Fails(r, Why::ThroughLink, "would leave the folder through a link");
            else
                Fails(r, Why::CannotCreateFolder, Because("cannot open folder", err));
            return Fd();
        }
        dir = std::move(next);
    }
    return dir;
}

bool WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Writes one file.  A new name is created directly; an existing one (even
// a link) is replaced by a fresh temporary file renamed over it, so it is
// never written through.
bool WriteEntry(int root, const Entry& e, Refusal& r) {
    auto parts = SplitPath(e.path);
    const size_t folders = e.directory ? parts.size() : parts.size() - 1;
    Fd dir = OpenFolders(root, parts, folders, r);
    if (dir.get() < 0) return false;
    if (e.directory) return true;
    const std::string& leaf = parts.back();
    constexpr int kCreate = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    Fd out(::openat(dir.get(), leaf.c_str(), kCreate, 0666));
    if (out.get() >= 0) {
        const bool written = WriteAll(out.get(), e.data);
        const int err = errno;
        out = Fd();
        if (written) return true;
        ::unlinkat(dir.get(), leaf.c_str(), 0);
        return Fails(r, Why::CannotWrite, Because("cannot write file", err));
    }
    if (errno != EEXIST) return Fails(r, Why::CannotWrite, Because("cannot create file", errno));
    std::string temp;
    for (int attempt = 0; attempt < 100 && out.get() < 0; ++attempt) {
        temp = ".tansu-kiss-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        out = Fd(::openat(dir.get(), temp.c_str(), kCreate, 0666));
        if (out.get() < 0 && errno != EEXIST) break;
    }
    if (out.get() < 0) return Fails(r, Why::CannotWrite, Because("cannot create file", errno));
    const bool written = WriteAll(out.get(), e.data);
    out = Fd();
    if (!written || ::renameat(dir.get(), temp.c_str(), dir.get(), leaf.c_str()) != 0) {
        const int err = errno;
        ::unlinkat(dir.get(), temp.c_str(), 0);
        return Fails(r, Why::CannotWrite, Because("cannot write file", err));
    }
    return true;
}

}  // namespace

Folder::Folder(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) error_ = "cannot open the folder to unpack into: " + std::string(std::strerror(errno));
}

Folder::~Folder() {
    if (fd_ >= 0) ::close(fd_);
}

ExtractResult WriteEntries(const std::vector<Entry>& entries, const Folder& folder) {
    ExtractResult result;
    if (!folder.ok()) {
        result.failure = Failure::FolderUnusable;
        result.error = folder.error();
        return result;
    }
    result.ok = true;
    for (const auto& e : entries) {
        Refusal r{e.name, "", Why::CannotWrite};
        if (WriteEntry(folder.fd(), e, r)) {
            if (!e.directory) result.written.push_back(e.path);
        } else {
            result.refused.push_back(std::move(r));
        }
    }
    return result;
}

}  // namespace kissarchive
