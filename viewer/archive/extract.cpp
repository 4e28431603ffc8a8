#include "archive/extract.h"

#include <archive.h>
#include <archive_entry.h>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kissarchive {
namespace {

// Names are converted to UTF-8 whatever the process's locale is: the
// library converts to the thread's locale, so reading runs under C.UTF-8.
class Utf8Locale {
public:
    Utf8Locale() {
        loc_ = newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(0));
        if (loc_) old_ = uselocale(loc_);
    }
    ~Utf8Locale() {
        if (loc_) {
            uselocale(old_);
            freelocale(loc_);
        }
    }
    Utf8Locale(const Utf8Locale&) = delete;
    Utf8Locale& operator=(const Utf8Locale&) = delete;

private:
    locale_t loc_ = static_cast<locale_t>(0);
    locale_t old_ = static_cast<locale_t>(0);
};

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

std::string LibraryError(archive* a, const char* fallback) {
    const char* e = archive_error_string(a);
    return e && *e ? e : fallback;
}

// Opens (creating if needed) each folder of `parts` below `root`, never
// following a link: a link in the way makes the entry leave the folder.
Fd OpenFolders(int root, const std::vector<std::string>& parts, size_t count, std::string& reason) {
    Fd dir(::dup(root));
    for (size_t i = 0; i < count; ++i) {
        const char* name = parts[i].c_str();
        if (::mkdirat(dir.get(), name, 0777) != 0 && errno != EEXIST) {
            reason = std::string("cannot create folder: ") + std::strerror(errno);
            return Fd();
        }
        Fd next(::openat(dir.get(), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (next.get() < 0) {
            reason = errno == ELOOP || errno == ENOTDIR ? "would leave the folder through a link"
                                                        : std::string("cannot open folder: ") + std::strerror(errno);
            return Fd();
        }
        dir = std::move(next);
    }
    return dir;
}

std::vector<std::string> Split(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
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
bool WriteEntry(int root, const Entry& e, std::string& reason) {
    auto parts = Split(e.path);
    const size_t folders = e.directory ? parts.size() : parts.size() - 1;
    Fd dir = OpenFolders(root, parts, folders, reason);
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
        reason = std::string("cannot write file: ") + std::strerror(err);
        return false;
    }
    if (errno != EEXIST) {
        reason = std::string("cannot create file: ") + std::strerror(errno);
        return false;
    }
    std::string temp;
    for (int attempt = 0; attempt < 100 && out.get() < 0; ++attempt) {
        temp = ".tansu-kiss-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        out = Fd(::openat(dir.get(), temp.c_str(), kCreate, 0666));
        if (out.get() < 0 && errno != EEXIST) break;
    }
    if (out.get() < 0) {
        reason = std::string("cannot create file: ") + std::strerror(errno);
        return false;
    }
    const bool written = WriteAll(out.get(), e.data);
    out = Fd();
    if (!written || ::renameat(dir.get(), temp.c_str(), dir.get(), leaf.c_str()) != 0) {
        reason = std::string("cannot write file: ") + std::strerror(errno);
        ::unlinkat(dir.get(), temp.c_str(), 0);
        return false;
    }
    return true;
}

}  // namespace

std::string SafeRelativePath(const std::string& utf8Name, std::string& reason) {
    std::string name = utf8Name;
    for (char& c : name)
        if (c == '\\') c = '/';  // names made on DOS and Windows
    if (name.empty()) {
        reason = "empty name";
        return "";
    }
    if (name[0] == '/' || (name.size() >= 2 && name[1] == ':')) {
        reason = "absolute name";
        return "";
    }
    std::string out;
    for (const auto& part : Split(name)) {
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            reason = "name holds \"..\"";
            return "";
        }
        if (part.find('\0') != std::string::npos) {
            reason = "name holds a NUL";
            return "";
        }
        if (!out.empty()) out += '/';
        out += part;
    }
    if (out.empty()) reason = "empty name";
    return out;
}

Folder::Folder(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) error_ = "cannot open the folder to unpack into: " + std::string(std::strerror(errno));
}

Folder::~Folder() {
    if (fd_ >= 0) ::close(fd_);
}

ReadResult ReadArchive(const std::string& archivePath) {
    ReadResult result;
    std::vector<Entry>& entries = result.entries;
    {
        Utf8Locale utf8;
        archive* a = archive_read_new();
        archive_read_support_filter_all(a);
        archive_read_support_format_lha(a);
        archive_read_support_format_zip(a);
        archive_read_support_format_tar(a);
        archive_read_support_format_gnutar(a);
        // LZH and ZIP names without a stated encoding are Shift-JIS.
        archive_read_set_options(a, "lha:hdrcharset=CP932");
        archive_read_set_options(a, "zip:hdrcharset=CP932");
        if (archive_read_open_filename(a, archivePath.c_str(), 65536) != ARCHIVE_OK) {
            result.error = LibraryError(a, "cannot open the archive");
            archive_read_free(a);
            return result;
        }
        long long total = 0;
        for (;;) {
            archive_entry* ae = nullptr;
            int rc = archive_read_next_header(a, &ae);
            if (rc == ARCHIVE_EOF) break;
            if (rc < ARCHIVE_WARN) {
                result.error = LibraryError(a, "damaged archive");
                archive_read_free(a);
                return result;
            }
            if (static_cast<int>(entries.size()) >= kMaxEntries) {
                result.error = "too many entries";
                archive_read_free(a);
                return result;
            }
            Entry e;
            const char* name = archive_entry_pathname(ae);
            e.name = name ? name : "";
            std::string reason;
            const auto type = archive_entry_filetype(ae);
            if (archive_entry_hardlink(ae) || type == AE_IFLNK) {
                reason = "a link";
            } else if (type != AE_IFREG && type != AE_IFDIR) {
                reason = "not a file";
            } else {
                e.path = SafeRelativePath(e.name, reason);
                e.directory = type == AE_IFDIR;
            }
            // The data is read even of refused entries: a damaged archive is
            // found out before anything is written.
            std::string data;
            char buffer[65536];
            for (;;) {
                la_ssize_t n = archive_read_data(a, buffer, sizeof buffer);
                if (n == 0) break;
                if (n < 0) {
                    result.error = LibraryError(a, "damaged archive");
                    archive_read_free(a);
                    return result;
                }
                total += n;
                if (static_cast<long long>(data.size()) + n > kMaxEntryBytes || total > kMaxTotalBytes) {
                    result.error = "the archive unpacks to more than the viewer accepts";
                    archive_read_free(a);
                    return result;
                }
                if (reason.empty()) data.append(buffer, static_cast<size_t>(n));
            }
            if (!reason.empty()) {
                result.refused.push_back({e.name, reason});
                continue;
            }
            e.data = std::move(data);
            entries.push_back(std::move(e));
        }
        archive_read_free(a);
    }
    result.ok = true;
    return result;
}

ExtractResult WriteEntries(const std::vector<Entry>& entries, const Folder& folder) {
    ExtractResult result;
    if (!folder.ok()) {
        result.error = folder.error();
        return result;
    }
    result.ok = true;
    for (const auto& e : entries) {
        std::string reason;
        if (WriteEntry(folder.fd(), e, reason)) {
            if (!e.directory) result.written.push_back(e.path);
        } else {
            result.refused.push_back({e.name, reason});
        }
    }
    return result;
}

ExtractResult ExtractArchive(const std::string& archivePath, const std::string& folder) {
    ReadResult read = ReadArchive(archivePath);
    if (!read.ok) {
        ExtractResult failed;
        failed.error = read.error;
        return failed;
    }
    Folder into(folder);
    ExtractResult result = WriteEntries(read.entries, into);
    result.refused.insert(result.refused.begin(), read.refused.begin(), read.refused.end());
    return result;
}

}  // namespace kissarchive
