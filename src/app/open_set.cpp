// Opening a set: the selected record's archive goes to the outside KiSS
// viewer, started in the working folder "TMPDIR" and never waited for.
// The viewer unpacks the set in that folder, so it must be a folder of its
// own: never TANSU's (where Tansu.ini and the catalog are).  Whatever keeps
// the viewer from starting is said, with the setting to look at.
#include "app/main_form.h"

#include "app/launch_problems.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/modal/message_box_flags.h"
#include "platform/current_folder.h"
#include "platform/folders.h"
#include "platform/os_path.h"
#include "platform/process.h"
#include "settings/path_text.h"
#include "settings/settings_keys.h"

#include <optional>

namespace {

std::string FilePathsText(int place) {
    const char* text = Settings.Item(Settings.FirstItem(settings_keys::FilePaths) + place).text;
    return text ? text : "";
}

// Makes a folder current for the life of the object and the former one
// current again at its end, however the scope is left.  Relative names
// such as "Tansu.ini" must resolve as before once the viewer is started.
class FolderSwitch {
public:
    explicit FolderSwitch(const platform::OsPath& folder) {
        std::optional<platform::OsPath> here = platform::GetCurrentOsFolder();
        if (here && platform::SetCurrentFolder(folder)) former_ = std::move(here);
    }
    ~FolderSwitch() {
        if (former_) platform::SetCurrentFolder(*former_);
    }
    FolderSwitch(const FolderSwitch&) = delete;
    FolderSwitch& operator=(const FolderSwitch&) = delete;
    bool Entered() const { return former_.has_value(); }

private:
    std::optional<platform::OsPath> former_;
};

// The problem with the working folder (`os` is its OS form, when it has
// one), or nothing when the viewer may unpack there.  The default working
// folder is made when it is missing.
std::optional<std::string> WorkFolderProblem(const std::string& folder, const std::optional<platform::OsPath>& os,
                                             const std::string& catalog) {
    namespace lp = launch_problems;
    if (folder.empty()) return lp::WorkFolderNotSet();
    if (!os) return lp::WorkFolderNoOsForm(folder);
    if (!platform::FolderExists(*os) && folder == DefaultWorkFolder()) platform::MakeFolders(*os);
    if (!platform::FolderExists(*os)) return lp::WorkFolderMissing(folder);
    const std::string catalogFolder = FolderOfPath(catalog);
    const std::optional<platform::OsPath> catalogOs =
        catalogFolder.empty() ? std::nullopt : platform::OsPath::FromSystem(catalogFolder);
    if (platform::SameFolder(*os, platform::OsPath::FromOs(".")) || (catalogOs && platform::SameFolder(*os, *catalogOs)))
        return lp::WorkFolderIsTansusOwn(folder);
    return std::nullopt;
}

// Starts the viewer on the archive inside the working folder; the problem
// when it did not start.  The folder is TANSU's own again on return, before
// anything is said.
std::optional<std::string> StartViewer(const std::string& workFolder, const platform::OsPath& workOs,
                                       const std::string& archivePath, const std::string& viewer) {
    namespace lp = launch_problems;
    FolderSwitch inWorkFolder(workOs);
    if (!inWorkFolder.Entered()) return lp::WorkFolderNotEntered(workFolder);
    // A relative archive path is found from the working folder, as the
    // viewer finds it.
    const std::optional<platform::OsPath> archive = platform::OsPath::FromSystem(archivePath);
    if (!archive) return lp::ArchiveNoOsForm(archivePath);
    if (!platform::RegularFileExists(*archive)) return lp::ArchiveMissing(archivePath);
    platform::StartResult started = platform::StartProgramWithPaths(viewer, {*archive});
    if (!started.Started()) return lp::ViewerNotStarted(viewer, started);
    return std::nullopt;
}

}  // namespace

void TForm1::ComboGrid1DblClick(TObject*) {
    namespace keys = settings_keys;
    const int row = ComboGrid1->Row();
    const std::string archive = ComboGrid1->Cells(1, row) + "\\" + ComboGrid1->Cells(2, row);
    const int answer = Application->MessageBox("次のファイルを展開します。\n　　　" + archive + "\nよろしいですか。",
                                               "展開ファイルの確認", MB_YESNOCANCEL | MB_ICONINFORMATION);
    if (answer != IDYES) return;

    // Read afresh each time: a change in the settings dialog applies at once.
    const std::string workFolder = FilePathsText(keys::TMPDIR);
    const std::optional<platform::OsPath> workOs = platform::OsPath::FromSystem(workFolder);
    std::optional<std::string> problem = WorkFolderProblem(workFolder, workOs, CsvFileName);
    if (!problem)
        problem = StartViewer(workFolder, *workOs, FilePathsText(keys::KISSDIR) + archive, FilePathsText(keys::KISSEXE));
    if (problem) Application->MessageBox(*problem, "エラー", MB_OK | MB_ICONHAND);
}
