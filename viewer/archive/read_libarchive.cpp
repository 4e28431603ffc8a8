// ZIP and tar archives through libarchive.
#include "archive/gather.h"
#include "archive/readers.h"

#include <archive.h>
#include <archive_entry.h>
#include <clocale>
#include <locale.h>

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

struct Reader {
    archive* a = archive_read_new();
    ~Reader() { archive_read_free(a); }
    std::string Error(const char* fallback) const {
        const char* e = archive_error_string(a);
        return e && *e ? e : fallback;
    }
};

EntryType TypeOf(archive_entry* e) {
    const auto type = archive_entry_filetype(e);
    if (archive_entry_hardlink(e) || type == AE_IFLNK) return EntryType::Link;
    if (type == AE_IFDIR) return EntryType::Directory;
    return type == AE_IFREG ? EntryType::File : EntryType::Other;
}

}  // namespace

ReadResult ReadWithLibarchive(const std::string& bytes) {
    ReadResult result;
    Gatherer gather(result);
    Utf8Locale utf8;
    Reader r;
    archive_read_support_filter_all(r.a);
    archive_read_support_format_zip(r.a);
    archive_read_support_format_tar(r.a);
    archive_read_support_format_gnutar(r.a);
    // ZIP names without a stated encoding are Shift-JIS.
    archive_read_set_options(r.a, "zip:hdrcharset=CP932");
    // Opening only recognises the format; the entries are read below.
    if (archive_read_open_memory(r.a, bytes.data(), bytes.size()) != ARCHIVE_OK) {
        gather.Fail(Failure::UnknownFormat, r.Error("unrecognized archive format"));
        return result;
    }
    for (;;) {
        archive_entry* e = nullptr;
        const int rc = archive_read_next_header(r.a, &e);
        if (rc == ARCHIVE_EOF) break;
        if (rc < ARCHIVE_WARN) {
            gather.Fail(Failure::Damaged, r.Error("damaged archive"));
            return result;
        }
        const char* name = archive_entry_pathname(e);
        if (!gather.Begin(name ? name : "", TypeOf(e))) return result;
        char buffer[65536];
        for (;;) {
            const la_ssize_t n = archive_read_data(r.a, buffer, sizeof buffer);
            if (n == 0) break;
            if (n < 0) {
                gather.Fail(Failure::Damaged, r.Error("damaged archive"));
                return result;
            }
            if (!gather.Append(buffer, static_cast<size_t>(n))) return result;
        }
        gather.End();
    }
    gather.Succeed();
    return result;
}

}  // namespace kissarchive
