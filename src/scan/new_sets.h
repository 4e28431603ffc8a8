// Finding the sets of the KiSS folder that the catalog does not list yet.
//
// The sets lie in the sub-folders of the KiSS folder ("KISSDIR"), one level
// deep, as the record dialog takes them: an archive (.LZH, .LHA or .ZIP in
// any letter case) with, maybe, its description file beside it (the same
// base name with .TXT in any case).  Each new archive becomes the fields of
// a record: from the description file as the record dialog's read button
// takes them, or else from the archive itself.
#pragma once

#include "scan/catalog_names.h"

#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One archive the catalog lacks, as the fields of a record in the grid's
// column order (number, folder, archive, title, author, ID, date, size),
// each a text the catalog file can hold.
struct NewSet {
    static constexpr int kFields = 8;
    std::string fields[kFields];  // fields[0], the number, stays empty
    // A description file was read.
    bool described = false;
    // The archive does not start as an LZH or ZIP archive does.
    bool unreadable = false;
    // Columns whose text had bytes the catalog cannot hold (a comma became
    // the full-width comma, a line end a blank).
    std::vector<int> changedColumns;
};

// A name that cannot become a record.
struct SkippedName {
    enum class Reason {
        NoShiftJisName,    // the archive's name has no cp932 form
        NoShiftJisFolder,  // the folder's name has none: it was not looked into
        UnstorableName,    // folder or archive name holds a comma or a line end
        OutsideSetFolder,  // the archive lies in the KiSS folder itself
        FolderUnreadable,  // the folder cannot be listed
    };
    std::string folder;  // cp932 (a picture of the name for NoShiftJisFolder)
    std::string name;    // the archive (a picture of the name for NoShiftJisName); empty for a folder
    Reason reason = Reason::NoShiftJisName;
};

struct NewSetsFound {
    std::vector<NewSet> sets;
    std::vector<SkippedName> skipped;
    bool cancelled = false;  // the scan stopped early; the lists hold what came before
};

// What the scan reports while it runs, and how it is stopped; called on the
// scanning thread.
class ScanObserver {
public:
    virtual ~ScanObserver() = default;
    // `done` of `total` sub-folders are looked through.
    virtual void Progress(int done, int total) { (void)done, (void)total; }
    // Read between archives: true stops the scan.
    virtual bool StopRequested() { return false; }
};

// Looks through the KiSS folder `kissFolder` (a system path; a missing "\"
// at its end is supplied) for archives not in `listed`.  Folders come in
// name order, the archives of a folder too.  nullopt when the KiSS folder
// itself cannot be listed.
std::optional<NewSetsFound> FindNewSets(std::string_view kissFolder, const CatalogNames& listed,
                                        ScanObserver* observer = nullptr);
