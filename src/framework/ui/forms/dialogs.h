// The open-file and save-file dialog components of a form.  Execute shows it through
// ui::ModalHost (so a test script answers it) and tells whether the user
// chose a file; FileName is then the (first) chosen file and Files all of
// them, as cp932 system paths.  A name without a cp932 form is refused with
// a message and the dialog comes up again.
#pragma once

#include "framework/component.h"
#include "framework/strings.h"
#include "framework/ui/modal/open_file_dialog.h"

#include <cstdint>

enum TOpenOption : uint32_t {
    ofReadOnly = 1u << 0,
    ofOverwritePrompt = 1u << 1,
    ofHideReadOnly = 1u << 2,
    ofNoChangeDir = 1u << 3,
    ofShowHelp = 1u << 4,
    ofNoValidate = 1u << 5,
    ofAllowMultiSelect = 1u << 6,
    ofExtensionDifferent = 1u << 7,
    ofPathMustExist = 1u << 8,
    ofFileMustExist = 1u << 9,
    ofCreatePrompt = 1u << 10,
    ofShareAware = 1u << 11,
    ofNoReadOnlyReturn = 1u << 12,
    ofNoTestFileCreate = 1u << 13,
    ofNoNetworkButton = 1u << 14,
    ofNoLongNames = 1u << 15,
    ofOldStyleDialog = 1u << 16,
    ofNoDereferenceLinks = 1u << 17,
    ofEnableIncludeNotify = 1u << 18,
    ofEnableSizing = 1u << 19,
};
using TOpenOptions = uint32_t;

class TOpenDialog : public TComponent {
    TANSU_CLASS(TOpenDialog, TComponent)
public:
    explicit TOpenDialog(TComponent* owner);
    ~TOpenDialog() override;

    const std::string& Title() const { return dialog_.Settings().title; }
    void SetTitle(const std::string& title) { dialog_.Settings().title = title; }
    // "description|pattern;pattern|description|pattern"
    const std::string& Filter() const { return dialog_.Settings().filter; }
    void SetFilter(const std::string& filter) { dialog_.Settings().filter = filter; }
    // The filter shown first, counted from 1.
    int FilterIndex() const { return dialog_.Settings().filterIndex; }
    void SetFilterIndex(int index) { dialog_.Settings().filterIndex = index; }
    // The filter (counted from 1) that lists the executable files, whatever
    // their names (its patterns are not used); 0 for none.
    int ExecutablesFilter() const { return dialog_.Settings().executablesFilter; }
    void SetExecutablesFilter(int index) { dialog_.Settings().executablesFilter = index; }
    const std::string& DefaultExt() const { return dialog_.Settings().defaultExt; }
    void SetDefaultExt(const std::string& ext) { dialog_.Settings().defaultExt = ext; }
    const std::string& InitialDir() const { return dialog_.Settings().initialDir; }
    void SetInitialDir(const std::string& dir) { dialog_.Settings().initialDir = dir; }
    const std::string& FileName() const { return dialog_.FileName(); }
    void SetFileName(const std::string& name) { dialog_.SetFileName(name); }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions options) { options_ = options; }
    // The files chosen by the last confirmed Execute.
    TStringList* Files() const { return files_; }

    bool Execute();

protected:
    // Set by TSaveDialog: the dialog asks for a name to save under.
    bool saving_ = false;
    // Set by TFolderDialog: the dialog asks for a folder.
    bool choosingFolder_ = false;

private:
    ui::OpenFileDialog dialog_;
    TOpenOptions options_ = ofHideReadOnly | ofEnableSizing;
    TStringList* files_;
};

// The save-file dialog: as the open dialog, but the chosen name may be a
// new file, and with ofOverwritePrompt an existing one is replaced only
// after the user agreed.
class TSaveDialog : public TOpenDialog {
    TANSU_CLASS(TSaveDialog, TOpenDialog)
public:
    explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) { saving_ = true; }
};

// The folder dialog: an existing folder is chosen (FileName is that folder,
// without a closing backslash); files are not listed.
class TFolderDialog : public TOpenDialog {
    TANSU_CLASS(TFolderDialog, TOpenDialog)
public:
    explicit TFolderDialog(TComponent* owner) : TOpenDialog(owner) { choosingFolder_ = true; }
};
