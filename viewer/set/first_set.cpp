#include "set/first_set.h"

#include "set/archive_files.h"

#include <algorithm>
#include <memory>

namespace kissviewer {

std::vector<std::string> ConfigPaths(const std::vector<kissarchive::Entry>& entries) {
    std::vector<std::string> paths;
    for (const auto& e : entries) {
        const std::string& p = e.path;
        const bool isConfig = !e.directory && p.size() >= 4 && LowerAscii(p.substr(p.size() - 4)) == ".cnf";
        if (isConfig && std::find(paths.begin(), paths.end(), p) == paths.end()) paths.push_back(p);
    }
    return paths;
}

FirstPicture DrawFirstSet(const std::string& archiveOsPath) {
    FirstPicture out;
    auto read = kissarchive::ReadArchive(archiveOsPath);
    if (!read.ok) {
        out.error = read.error;
        return out;
    }
    const std::vector<std::string> configs = ConfigPaths(read.entries);
    if (configs.empty()) {
        out.outcome = FirstPicture::Outcome::NoConfig;
        return out;
    }
    const std::string& cnf = configs.front();
    ArchiveFiles files(std::make_shared<const std::vector<kissarchive::Entry>>(std::move(read.entries)));
    const kiss::FileReader reader = files.ReaderFor(cnf);
    const size_t slash = cnf.rfind('/');
    const auto text = reader(slash == std::string::npos ? cnf : cnf.substr(slash + 1));
    if (!text) {
        out.error = cnf + ": not readable";
        return out;
    }
    std::vector<kiss::Note> problems;  // a set with missing parts still shows, as in the viewer
    kiss::Doll doll = kiss::Doll::Load(*text, reader, problems);
    doll.Start();  // cels that start unmapped hide, the start-up events run
    out.picture = kiss::Compose(doll);
    out.outcome = FirstPicture::Outcome::Drawn;
    return out;
}

}  // namespace kissviewer
