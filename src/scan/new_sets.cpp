#include "scan/new_sets.h"

#include "catalog/field_text.h"
#include "catalog/record_fields.h"
#include "editor/hosoku_file.h"
#include "editor/registration_date.h"
#include "files/buffile.h"
#include "framework/cp932_chars.h"
#include "platform/folder_list.h"

#include <algorithm>
#include <unordered_map>

namespace {

using platform::FolderEntry;

// The extension after the last "." ("." is never the second byte of a
// double-byte character), or nothing.
std::string_view Extension(std::string_view name) {
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

std::string_view BaseName(std::string_view name) { return name.substr(0, name.rfind('.')); }

bool IsArchiveName(std::string_view name) {
    const std::string_view ext = Extension(name);
    return ui::SameTextCp932(ext, "LZH") || ui::SameTextCp932(ext, "LHA") || ui::SameTextCp932(ext, "ZIP");
}

bool ByName(const FolderEntry& a, const FolderEntry& b) {
    const int order = ui::CompareTextCp932(a.name, b.name);
    return order != 0 ? order < 0 : a.name < b.name;
}

// Whether the last character of a path is a single-byte "\" or ":".
bool EndsWithSeparator(std::string_view path) {
    size_t last = std::string_view::npos;
    for (size_t i = 0; i < path.size(); i += ui::Cp932CharLength(path, i)) last = i;
    return last != std::string_view::npos && last + 1 == path.size() && (path[last] == '\\' || path[last] == ':');
}

std::string Joined(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && !EndsWithSeparator(path)) path += '\\';
    path += name;
    return path;
}

// The entries of a folder named by its system path.
std::optional<std::vector<FolderEntry>> ListFolderAt(const std::string& systemPath) {
    const std::optional<platform::OsPath> os = platform::OsPath::FromSystem(systemPath);
    if (!os) return std::nullopt;
    return platform::ListFolder(*os);
}

// Whether the file starts as an LZH archive ("-lh5-" and its kin at byte 2)
// or a ZIP archive ("PK" and a record mark) does.
bool LooksLikeArchive(const std::string& path) {
    BUFFILE file;
    if (!file.OpenRead(path.c_str())) return false;
    unsigned char head[7] = {};
    size_t got = 0;
    for (int b; got < sizeof head && (b = file.ReadByte()) != BUFFILE::EndOfInput;) head[got++] = static_cast<unsigned char>(b);
    if (got >= 4 && head[0] == 'P' && head[1] == 'K' && head[2] < 9 && head[3] < 9) return true;
    return got == 7 && head[2] == '-' && head[6] == '-' && (head[3] == 'l' || head[3] == 'p');
}

class FolderScan {
public:
    FolderScan(const CatalogNames& listed, NewSetsFound& found) : listed_(listed), found_(found) {}

    // The archives of one set folder; false when stopped.
    bool Scan(const std::string& kissFolder, const std::string& folder, ScanObserver* observer) {
        const std::string path = Joined(kissFolder, folder);
        std::optional<std::vector<FolderEntry>> entries = ListFolderAt(path);
        if (!entries) {
            found_.skipped.push_back({folder, std::string(), SkippedName::Reason::FolderUnreadable});
            return true;
        }
        std::sort(entries->begin(), entries->end(), ByName);
        // The description files of the folder by their folded base names.
        std::unordered_map<std::string, const FolderEntry*> descriptions;
        for (const FolderEntry& e : *entries) {
            if (e.isFile && e.faithful && ui::SameTextCp932(Extension(e.name), "TXT"))
                descriptions.emplace(ui::FoldCaseCp932(BaseName(e.name)), &e);
        }
        for (const FolderEntry& e : *entries) {
            if (!e.isFile || !IsArchiveName(e.name)) continue;
            if (observer && observer->StopRequested()) return false;
            if (!e.faithful) {
                found_.skipped.push_back({folder, e.name, SkippedName::Reason::NoShiftJisName});
                continue;
            }
            if (!IsStorableField(folder) || !IsStorableField(e.name)) {
                found_.skipped.push_back({folder, e.name, SkippedName::Reason::UnstorableName});
                continue;
            }
            if (listed_.Contains(folder, e.name)) continue;
            auto description = descriptions.find(ui::FoldCaseCp932(BaseName(e.name)));
            found_.sets.push_back(MakeSet(path, folder, e, description == descriptions.end() ? nullptr : description->second));
        }
        return true;
    }

private:
    static NewSet MakeSet(const std::string& path, const std::string& folder, const FolderEntry& archive,
                          const FolderEntry* descriptionFile) {
        NewSet set;
        set.fields[kFolderField] = folder;
        set.fields[kArchiveField] = archive.name;
        set.unreadable = !LooksLikeArchive(Joined(path, archive.name));
        std::string raw[NewSet::kFields];
        HosokuFile description;
        if (descriptionFile && description.ReadHosoku(Joined(path, descriptionFile->name).c_str()) == 0) {
            set.described = true;
            raw[kTitleField] = description.Title;
            raw[kAuthorField] = description.Author;
            raw[kIdField] = description.Id;
            if (!description.RegDate.empty()) raw[kDateField] = DateWithCentury(description.RegDate);
            raw[kSizeField] = description.Bytes;
        }
        // What the description lacks, the archive tells.
        if (raw[kTitleField].empty()) raw[kTitleField] = BaseName(archive.name);
        if (raw[kDateField].empty()) raw[kDateField] = platform::LocalDateText(archive.modified);
        if (raw[kSizeField].empty()) raw[kSizeField] = std::to_string(archive.size);
        for (int col = kTitleField; col <= kSizeField; ++col) {
            set.fields[col] = StorableField(raw[col]);
            if (set.fields[col] != raw[col]) set.changedColumns.push_back(col);
        }
        return set;
    }

    const CatalogNames& listed_;
    NewSetsFound& found_;
};

}  // namespace

std::optional<NewSetsFound> FindNewSets(std::string_view kissFolder, const CatalogNames& listed, ScanObserver* observer) {
    const std::string root(kissFolder);
    std::optional<std::vector<FolderEntry>> top = ListFolderAt(root);
    if (!top) return std::nullopt;
    std::sort(top->begin(), top->end(), ByName);
    NewSetsFound found;
    std::vector<std::string> folders;
    for (const FolderEntry& e : *top) {
        if (e.isFolder && !e.faithful) {
            found.skipped.push_back({e.name, std::string(), SkippedName::Reason::NoShiftJisFolder});
        } else if (e.isFolder) {
            folders.push_back(e.name);
        } else if (e.isFile && IsArchiveName(e.name)) {
            found.skipped.push_back({std::string(), e.name, SkippedName::Reason::OutsideSetFolder});
        }
    }
    FolderScan scan(listed, found);
    const int total = static_cast<int>(folders.size());
    if (observer) observer->Progress(0, total);
    for (int i = 0; i < total; ++i) {
        if (!scan.Scan(root, folders[static_cast<size_t>(i)], observer)) {
            found.cancelled = true;
            break;
        }
        if (observer) observer->Progress(i + 1, total);
    }
    return found;
}
