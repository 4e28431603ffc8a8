// Opening a set: the selected record's archive goes to the outside KiSS
// viewer, started in the working folder "TMPDIR" and never waited for.
#include "app/main_form.h"

#include "framework/ui/forms/application.h"
#include "framework/ui/modal/message_box_flags.h"
#include "platform/current_folder.h"
#include "platform/process.h"
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
    explicit FolderSwitch(const std::string& folder) {
        if (folder.empty()) return;
        // Without the way back the folder is not left at all: the viewer
        // then starts here, as when "TMPDIR" cannot be entered.
        std::optional<std::string> here = platform::GetCurrentFolder();
        if (here && platform::SetCurrentFolder(folder)) former_ = std::move(here);
    }
    ~FolderSwitch() {
        if (former_) platform::SetCurrentFolder(*former_);
    }
    FolderSwitch(const FolderSwitch&) = delete;
    FolderSwitch& operator=(const FolderSwitch&) = delete;

private:
    std::optional<std::string> former_;
};

}  // namespace

void TForm1::ComboGrid1DblClick(TObject*) {
    namespace keys = settings_keys;
    const int row = ComboGrid1->Row();
    const std::string archive = ComboGrid1->Cells(1, row) + "\\" + ComboGrid1->Cells(2, row);
    const int answer = Application->MessageBox("次のファイルを展開します。\n　　　" + archive + "\nよろしいですか。",
                                               "展開ファイルの確認", MB_YESNOCANCEL | MB_ICONINFORMATION);
    if (answer != IDYES) return;

    // Read afresh each time: a change in the settings dialog applies at once.
    const std::string command = FilePathsText(keys::KISSEXE) + " " + FilePathsText(keys::KISSDIR) + archive;
    FolderSwitch inWorkingFolder(FilePathsText(keys::TMPDIR));
    // A viewer that does not start passes silently; one that starts reports
    // on its argument itself.
    platform::StartProcess(command);
}
