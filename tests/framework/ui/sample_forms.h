// Two windows as the system's windows are written: a dialog and a main
// window, each a TForm subclass that reads its embedded stored form, with
// handlers that record what happened.
#pragma once

#include "framework/ui/forms/button.h"
#include "framework/ui/forms/dialogs.h"
#include "framework/ui/controls/edit.h"
#include "framework/ui/forms/form.h"
#include "framework/ui/controls/label.h"
#include "framework/ui/controls/list_box.h"
#include "framework/ui/forms/menu.h"
#include "framework/ui/controls/panel.h"

#include <functional>
#include <string>
#include <vector>

class TSampleDialog : public TForm {
    TANSU_CLASS(TSampleDialog, TForm)
public:
    explicit TSampleDialog(TComponent* owner);

    TBevel* Bevel1 = nullptr;
    TLabel* Label1 = nullptr;
    TEdit* Edit1 = nullptr;
    TMaskEdit* DateEdit = nullptr;
    TMaskEdit* Number = nullptr;
    TBitBtn* OkButton = nullptr;
    TBitBtn* CancelButton = nullptr;
    TButton* Browse = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Label1Click(TObject* Sender);
    void Edit1Change(TObject* Sender);
    void Edit1KeyPress(TObject* Sender, char& Key);
    void OkButtonClick(TObject* Sender);
    void BrowseClick(TObject* Sender);

    // What the handlers saw, in order ("create", "show", "ok"...).
    std::vector<std::string> log;
    bool fieldsBoundAtCreate = false;
    bool allowClose = true;
    std::string typed;  // the characters OnKeyPress saw
    std::function<void()> onOk;
};

class TSampleMain : public TForm {
    TANSU_CLASS(TSampleMain, TForm)
public:
    explicit TSampleMain(TComponent* owner);

    TPanel* Panel1 = nullptr;
    TPanel* Panel3 = nullptr;
    TLabel* Status = nullptr;
    TListBox* ListBox1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* F1 = nullptr;
    TMenuItem* MenuFileOpen = nullptr;
    TMenuItem* N2 = nullptr;
    TMenuItem* MenuSort = nullptr;
    TMenuItem* MenuSortNum = nullptr;
    TMenuItem* MenuSortDir = nullptr;

    void MenuClick(TObject* Sender);
    void FileExitClick(TObject* Sender);
    void ListBox1Click(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormClose(TObject* Sender, TCloseAction& Action);

    // The names of the components whose handlers ran, in order.
    std::vector<std::string> log;
    bool allowClose = true;
};

// The stored forms, as the program embeds them.
std::string_view SampleDialogText();
std::string_view SampleMainText();
