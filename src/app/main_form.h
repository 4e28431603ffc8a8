// The main window: the catalog in the grid ComboGrid1, the menus, the
// first-start question, the window's geometry kept in the settings file,
// and the question whether to save a changed catalog before the end.
#pragma once

#include "controls/CmbGrid.h"
#include "framework/ui/forms/dialogs.h"
#include "framework/ui/forms/form.h"
#include "framework/ui/forms/menu.h"

#include <string>
#include <vector>

class TForm1 : public TForm {
    TANSU_CLASS(TForm1, TForm)
public:
    explicit TForm1(TComponent* owner);

    // The components of the stored form.
    TComboGrid* ComboGrid1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* F1 = nullptr;
    TMenuItem* MenuFileOpen = nullptr;
    TMenuItem* MenuFileSave = nullptr;
    TMenuItem* MenuFileSaveAs = nullptr;
    TMenuItem* N2 = nullptr;
    TMenuItem* MenuSetUp = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* FileExit = nullptr;
    TMenuItem* MenuSort = nullptr;
    TMenuItem* MenuSortNum = nullptr;
    TMenuItem* MenuSortDir = nullptr;
    TMenuItem* MenuSortLZHFile = nullptr;
    TMenuItem* MenuSortTitle = nullptr;
    TMenuItem* MenuSortAuthor = nullptr;
    TMenuItem* MenuSortID = nullptr;
    TMenuItem* MenuSortDate = nullptr;
    TMenuItem* MenuSortSize = nullptr;
    TMenuItem* R1 = nullptr;
    TMenuItem* MenuRecordEdit = nullptr;
    TMenuItem* MenuRecordAppend = nullptr;
    TMenuItem* MenuRecordBatchAdd = nullptr;
    TMenuItem* N3 = nullptr;
    TMenuItem* MenuRecordFind = nullptr;
    TMenuItem* MenuRecordFindNext = nullptr;
    TMenuItem* V1 = nullptr;
    TMenuItem* MenuViewPreview = nullptr;
    TMenuItem* H1 = nullptr;
    TMenuItem* MenuAbout = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;

    // Window events.
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormClose(TObject* Sender, TCloseAction& Action);

    // Menu commands.
    void MenuFileOpenClick(TObject* Sender);
    void MenuFileSaveClick(TObject* Sender);
    // Writes the catalog to a file the user names, which becomes the
    // catalog from then on (and of the next start); the file it was read
    // from stays as it is.
    void MenuFileSaveAsClick(TObject* Sender);
    void MenuSetUpClick(TObject* Sender);
    void FileExitClick(TObject* Sender);
    void MenuSortClick(TObject* Sender);
    void MenuSortNumClick(TObject* Sender);
    void MenuSortDirClick(TObject* Sender);
    void MenuSortLZHFileClick(TObject* Sender);
    void MenuSortTitleClick(TObject* Sender);
    void MenuSortAuthorClick(TObject* Sender);
    void MenuSortIDClick(TObject* Sender);
    void MenuSortDateClick(TObject* Sender);
    void MenuSortSizeClick(TObject* Sender);
    void MenuRecordEditClick(TObject* Sender);
    void MenuRecordAppendClick(TObject* Sender);
    // Lists the sets of the KiSS folder that the catalog lacks and appends
    // those the user keeps checked.
    void MenuRecordBatchAddClick(TObject* Sender);
    // Asks for a text and selects the next record that holds it.
    void MenuRecordFindClick(TObject* Sender);
    // The same text once more (asks for one when none was given yet).
    void MenuRecordFindNextClick(TObject* Sender);
    void MenuAboutClick(TObject* Sender);
    // Opens or closes the preview window (its check mark follows).
    void MenuViewPreviewClick(TObject* Sender);

    // Grid events.
    void ComboGrid1DblClick(TObject* Sender);
    void ComboGrid1KeyPress(TObject* Sender, char& Key);
    void ComboGrid1RowMoved(TObject* Sender, int FromIndex, int ToIndex);
    // The current row moved: the preview follows.
    void ComboGrid1Click(TObject* Sender);

    // Opens the preview window where it was left.
    void OpenPreview();
    // The preview window shows the current row's set (when it is open).
    void PreviewCurrentRow();
    // The preview window was closed, by the menu or by itself.
    void PreviewHidden(TObject* Sender);

    // Used by the dialogs.
    void UpdateCaption();
    // Shows the file in the grid; says after the load when the reading
    // dropped or changed any of the file (see PartlyReadFile), but for the
    // load that shows again what a save just wrote.
    void LoadCsv(const std::string& fileName, bool justSaved = false);
    // 0 written, 1 the file could not be written (the user was told and
    // the old file is untouched), 2 cancelled by the user.  Writing over a
    // file that was only partly read asks first.
    int SaveCsv(const std::string& fileName);
    // Before another catalog replaces a changed one: the question of the
    // close (Yes saves and goes on only when the save succeeded, No goes
    // on, Cancel stops).  True to go on.
    bool MayReplaceCatalog();
    // Put the records in the order of a column's texts or numbers (column
    // 0: the order of the file) and note the column in SortColumn.  A cell
    // that is no number stops SortByNumber with the conversion error and
    // leaves SortColumn as it was.
    void SortByText(int column);
    // Saves a catalog that has no file yet (records appended after a failed
    // load) under a name the user chooses; that file becomes the shown
    // catalog and the catalog of the next start.  True when it was written.
    bool SaveUnderNewName();
    void SortByNumber(int column);
    // Appends records as the last rows (an empty catalog's one empty row
    // takes the first), numbered by their rows; the first of them becomes
    // the current row and the catalog is marked changed.
    void AppendRecords(const std::vector<std::vector<std::string>>& records);

    // The window's state.
    int SortColumn = 0;
    std::string CsvFileName;
    bool Modified = false;
    bool ShowSetupOnShow = false;
    // The file the shown catalog came from when its reading dropped or
    // changed something; empty otherwise.  Cleared once a save wrote it
    // (under this name or any other naming the same file); a save under a
    // new name keeps it, as that file still holds what was not read.
    std::string PartlyReadFile;

    // The text of the last search.
    std::string FindText;

private:
    void FindNext();
    // The question whether to save a changed catalog before it goes, with
    // `question` as its second line.  True to go on.
    bool SaveChangesBefore(const char* question);
};

extern TForm1* Form1;
