// Any bytes as a set's archive, unpacked as the viewer unpacks it: the
// archive is read, a fresh folder is made beside the current one's other
// files, and the entries are written into it.  Whatever the bytes, nothing
// appears or changes outside that folder; inside there are only plain files
// and folders, each file one the unpacking reports with the bytes of an
// entry of its name, within the limits; a failed read writes nothing; and
// removing the folder leaves its parent as it was.
//
// Scratch layout, made afresh for every input:
//   <tmp>/tansu-unpack-XXXXXX/           the parent scratch folder
//     sentinel                           a file that must keep its bytes
//     here/                              the current folder while unpacking
//       sentinel
//       <stem>-XXXXXX/                   the unpack folder
// so that an entry escaping by one or two levels would be seen.
#include "app/unpack_folder.h"
#include "archive/extract.h"
#include "fuzz_check.h"
#include "fuzz_input_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

using fuzzcheck::Check;
namespace fs = std::filesystem;

namespace {

const char kSentinel[] = "sentinel: must stay as it is";

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteSentinel(const fs::path& file) {
    std::ofstream out(file, std::ios::binary);
    out << kSentinel;
    Check(static_cast<bool>(out));
}

// Every name below `root` but those inside `skip`, relative and tagged with
// its kind, sorted: what must not change while unpacking into `skip`.
std::vector<std::string> Around(const fs::path& root, const fs::path& skip) {
    std::vector<std::string> names;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (it->path() == skip) {
            it.disable_recursion_pending();
            continue;
        }
        const auto type = it->symlink_status(ec).type();
        names.push_back(std::to_string(static_cast<int>(type)) + " " + fs::relative(it->path(), root).string());
    }
    Check(!ec);
    std::sort(names.begin(), names.end());
    return names;
}

// The parent scratch folder with its sentinels; removed when done.
struct Scratch {
    fs::path parent, here;
    Scratch() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tansu-unpack-XXXXXX";
        Check(::mkdtemp(pattern.data()) != nullptr);
        parent = pattern;
        here = parent / "here";
        Check(fs::create_directory(here));
        WriteSentinel(parent / "sentinel");
        WriteSentinel(here / "sentinel");
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(parent, ec);
    }
    bool SentinelsKept() const {
        return ReadAll(parent / "sentinel") == kSentinel && ReadAll(here / "sentinel") == kSentinel;
    }
};

// The unpack folder made as the viewer makes it: in the current folder.
std::unique_ptr<kissviewer::UnpackFolder> MakeUnpackFolder(const fs::path& here, const std::string& archive) {
    const int back = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    Check(back >= 0 && ::chdir(here.c_str()) == 0);
    std::string error;
    auto folder = kissviewer::UnpackFolder::Create(kissviewer::UnpackFolder::StemOf(archive), error);
    const bool returned = ::fchdir(back) == 0;
    ::close(back);
    Check(returned && folder != nullptr);
    return folder;
}

// What the unpack folder holds: every file with its bytes, every folder.
struct Contents {
    std::map<std::string, std::string> files;
    std::set<std::string> folders;
};

std::string ReadAt(int dir, const char* name) {
    std::string bytes;
    const int fd = ::openat(dir, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    Check(fd >= 0);
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) bytes.append(buffer, static_cast<size_t>(n));
    ::close(fd);
    Check(n == 0);
    return bytes;
}

// Walks the folder open as `dir` by names relative to it (a tree may nest
// deeper than a whole path can name) holding one descriptor at a time:
// returns `dir` closed and the same folder opened again through "..".
int Walk(int dir, const std::string& prefix, Contents& c, long long& total) {
    std::vector<std::string> names;
    DIR* list = ::fdopendir(::dup(dir));
    Check(list != nullptr);
    while (const dirent* d = ::readdir(list))
        if (std::strcmp(d->d_name, ".") != 0 && std::strcmp(d->d_name, "..") != 0) names.push_back(d->d_name);
    ::closedir(list);
    for (const auto& name : names) {
        struct stat st;
        Check(::fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0);
        if (S_ISDIR(st.st_mode)) {
            c.folders.insert(prefix + name);
            const int sub = ::openat(dir, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            Check(sub >= 0);
            ::close(dir);
            const int again = Walk(sub, prefix + name + "/", c, total);
            dir = ::openat(again, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            ::close(again);
            Check(dir >= 0);
            continue;
        }
        Check(S_ISREG(st.st_mode));  // no link, pipe or device
        Check(st.st_size <= kissarchive::kMaxEntryBytes);
        total += st.st_size;
        std::string bytes = ReadAt(dir, name.c_str());
        Check(static_cast<off_t>(bytes.size()) == st.st_size);
        c.files[prefix + name] = std::move(bytes);
    }
    return dir;
}

Contents Inside(const fs::path& folder) {
    Contents c;
    long long total = 0;
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    Check(dir >= 0);
    ::close(Walk(dir, "", c, total));
    Check(total <= kissarchive::kMaxTotalBytes);
    return c;
}

}  // namespace

// The limit of open files a desktop session usually gives, so that the run
// does not depend on the shell's: removing a tree nested past it fails.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur > 1024) {
        files.rlim_cur = 1024;
        ::setrlimit(RLIMIT_NOFILE, &files);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& archive = fuzzinput::WriteInput(data, size);
    Scratch scratch;
    auto unpackDir = MakeUnpackFolder(scratch.here, archive);
    const fs::path out = unpackDir->path();
    Check(out.parent_path() == scratch.here);
    const auto before = Around(scratch.parent, out);

    kissarchive::ReadResult read = kissarchive::ReadArchive(archive);
    if (!read.ok) {
        // The viewer writes nothing then; unpacking in one call promises
        // the same: a failed read leaves the folder empty.
        const kissarchive::ExtractResult r = kissarchive::ExtractArchive(archive, out.string());
        Check(!r.ok && r.failure == read.failure && r.written.empty());
        Check(fs::is_empty(out));
    } else {
        const kissarchive::Folder folder(out.string());
        Check(folder.ok());
        const kissarchive::ExtractResult r = kissarchive::WriteEntries(read.entries, folder);
        Check(r.ok && r.failure == kissarchive::Failure::None);
        Check(r.written.size() + r.refused.size() <= read.entries.size());
        for (const auto& refusal : r.refused) {
            Check(!refusal.reason.empty());
            // A fresh folder holds no link, and none is ever written.
            Check(refusal.why != kissarchive::Why::ThroughLink);
        }
        const Contents inside = Inside(out);
        // Each file is one reported written, holding the bytes of an entry of
        // its name (of the last written when names repeat: any of them here);
        // each folder is one an entry names.
        std::multimap<std::string, const kissarchive::Entry*> byPath;
        std::set<std::string> named;
        for (const auto& e : read.entries) {
            byPath.emplace(e.path, &e);
            for (size_t slash = e.path.find('/'); slash != std::string::npos; slash = e.path.find('/', slash + 1))
                named.insert(e.path.substr(0, slash));
            if (e.directory) named.insert(e.path);
        }
        const std::set<std::string> written(r.written.begin(), r.written.end());
        Check(written.size() == inside.files.size());
        for (const auto& [name, bytes] : inside.files) {
            Check(written.count(name) == 1);
            bool matches = false;
            for (auto [it, end] = byPath.equal_range(name); it != end && !matches; ++it)
                matches = !it->second->directory && it->second->data == bytes;
            Check(matches);
        }
        for (const auto& name : inside.folders) Check(named.count(name) == 1);
    }
    Check(Around(scratch.parent, out) == before && scratch.SentinelsKept());

    // Removing the folder takes everything in it and nothing beside it.
    unpackDir.reset();
    Check(!fs::exists(fs::symlink_status(out)));
    Check(Around(scratch.parent, out) == before && scratch.SentinelsKept());
    return 0;
}
