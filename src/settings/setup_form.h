// The settings dialog: the four paths of the settings file (the catalog of
// the next start, the KiSS folder, the viewer and the viewer's working
// folder), edited in four fields addressed by index through ArEdit1.  The
// fields show the settings as they are each time the dialog opens; OK
// stores each path in the form that reads back from the settings file.
#pragma once

#include "controls/StdArr.h"
#include "framework/ui/forms/button.h"
#include "framework/ui/forms/dialogs.h"
#include "framework/ui/forms/form.h"

#include <string>

class TForm2 : public TForm {
    TANSU_CLASS(TForm2, TForm)
public:
    explicit TForm2(TComponent* owner);

    // The components of the stored form.
    TLabel* ArLabel1_1 = nullptr;
    TLabel* ArLabel1_2 = nullptr;
    TLabel* ArLabel1_3 = nullptr;
    TLabel* ArLabel1_4 = nullptr;
    TRetEdit* ArEdit1_1 = nullptr;
    TRetEdit* ArEdit1_2 = nullptr;
    TRetEdit* ArEdit1_3 = nullptr;
    TRetEdit* ArEdit1_4 = nullptr;
    TBitBtn* BitBtn_OK = nullptr;
    TBitBtn* BitBtn_CANCEL = nullptr;
    TButton* ArButton1_1 = nullptr;
    TButton* ArButton1_2 = nullptr;
    TButton* ArButton1_3 = nullptr;
    TButton* ArButton1_4 = nullptr;
    TArLabel* ArLabel1 = nullptr;
    TArEdit* ArEdit1 = nullptr;
    TArButton* ArButton1 = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TOpenDialog* OpenDialog2 = nullptr;
    TFolderDialog* FolderDialog1 = nullptr;
    TFolderDialog* FolderDialog2 = nullptr;

    // Fill the fields from the settings: at start, and each time the dialog
    // is shown (File > open or a save under a new name may have changed the
    // catalog since).
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    // Stores the four fields and writes the settings file.
    void BitBtn_OKClick(TObject* Sender);
    void BitBtn_CANCELClick(TObject* Sender);
    // The browse buttons: 0 the catalog file (loaded at once), 1 the viewer,
    // 2 the KiSS folder, 3 the working folder.
    void ArButton1Click(TObject* Sender, int32_t Index);

    // The places of the fields in ArEdit1, as in the settings' FilePaths.
    static constexpr int kCatalogField = 0;
    static constexpr int kKissFolderField = 1;
    static constexpr int kViewerField = 2;
    static constexpr int kWorkFolderField = 3;

    // The buttons' places in ArButton1.
    static constexpr int kCatalogButton = 0;
    static constexpr int kViewerButton = 1;
    static constexpr int kKissFolderButton = 2;
    static constexpr int kWorkFolderButton = 3;

private:
    void FillFields();
    // Lets the user pick a folder for a field; `prefix` adds the closing "\".
    void ChooseFolder(TFolderDialog* dialog, int field, bool prefix);
    std::string FieldText(int index) const;
    void SetFieldText(int index, const std::string& text);
};

extern TForm2* Form2;
