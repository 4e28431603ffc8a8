// The settings dialog: the four paths of the settings file (the catalog of
// the next start, the KiSS folder, the viewer and the viewer's working
// folder), edited in four fields addressed by index through ArEdit1.
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
    TArLabel* ArLabel1 = nullptr;
    TArEdit* ArEdit1 = nullptr;
    TArButton* ArButton1 = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TOpenDialog* OpenDialog2 = nullptr;

    // Fills the fields from the settings, once, at start.
    void FormCreate(TObject* Sender);
    // Stores the four fields and writes the settings file.
    void BitBtn_OKClick(TObject* Sender);
    void BitBtn_CANCELClick(TObject* Sender);
    // The browse buttons: 0 the catalog file (loaded at once), 1 the viewer.
    void ArButton1Click(TObject* Sender, int32_t Index);

    // The places of the fields in ArEdit1, as in the settings' FilePaths.
    static constexpr int kCatalogField = 0;
    static constexpr int kKissFolderField = 1;
    static constexpr int kViewerField = 2;
    static constexpr int kWorkFolderField = 3;

private:
    std::string FieldText(int index) const;
    void SetFieldText(int index, const std::string& text);
};

extern TForm2* Form2;
