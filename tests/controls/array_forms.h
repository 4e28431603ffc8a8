// Windows of the control-array tests, each read from its stored form, with
// handlers that record what they were given.
#pragma once

#include "controls/ExtArr.h"
#include "controls/RetEdit.h"
#include "controls/StdArr.h"
#include "framework/ui/forms/form.h"
#include "framework/ui/controls/panel.h"

#include <string>
#include <string_view>
#include <thread>
#include <vector>

// Registers the framework's classes, the system's and the test's own.
void RegisterArrayTestClasses();

class TArrayDialog : public TForm {
    TANSU_CLASS(TArrayDialog, TForm)
public:
    explicit TArrayDialog(TComponent* owner);

    TLabel* ArLabel1_1 = nullptr;
    TLabel* ArLabel1_2 = nullptr;
    TLabel* ArLabel1_3 = nullptr;
    TRetEdit* ArEdit1_1 = nullptr;
    TRetEdit* ArEdit1_2 = nullptr;
    TButton* ArButton1_1 = nullptr;
    TButton* ArButton1_2 = nullptr;
    TArLabel* ArLabel1 = nullptr;
    TArEdit* ArEdit1 = nullptr;
    TArButton* ArButton1 = nullptr;

    void ArLabel1Click(TObject* Sender, int32_t Index);
    void ArEdit1Change(TObject* Sender, int32_t Index);
    void ArEdit1KeyDown(TObject* Sender, int32_t Index, uint16_t& Key, TShiftState Shift);
    void ArEdit1KeyPress(TObject* Sender, int32_t Index, char& Key);
    void OwnLabelClick(TObject* Sender);
    void OwnButtonClick(TObject* Sender);

    // "<handler> <sender name> <index>" per call, in order.
    std::vector<std::string> log;
};

class TGrowForm : public TForm {
    TANSU_CLASS(TGrowForm, TForm)
public:
    explicit TGrowForm(TComponent* owner);

    TPanel* Panel1 = nullptr;
    TArLabel* ArLabel1 = nullptr;
    TArLabel* ArLabel2 = nullptr;
    TArButton* ArButton2 = nullptr;

    void ArButton2Click(TObject* Sender, int32_t Index);
    std::vector<std::string> log;
};

class TRetForm : public TForm {
    TANSU_CLASS(TRetForm, TForm)
public:
    explicit TRetForm(TComponent* owner);

    TRetEdit* Edit1 = nullptr;
    TEdit* Edit2 = nullptr;
    TButton* OkButton = nullptr;
    TRetEdit* Edit3 = nullptr;
    TRetEdit* Edit4 = nullptr;

    void OkButtonClick(TObject* Sender);
    void Edit3KeyPress(TObject* Sender, char& Key);

    int okClicks = 0;
    std::string keysSeen;  // what OnKeyPress of Edit3 and Edit4 saw
};

// A form whose arrays name elements on other forms; read from a text the
// test gives.
class TLinkForm : public TForm {
    TANSU_CLASS(TLinkForm, TForm)
public:
    explicit TLinkForm(std::string_view text);

    void ArLabel1Click(TObject* Sender, int32_t Index);
    std::vector<std::string> log;
};

// A label array that notes on which thread each routing attempt runs.
class TProbeArLabel : public TArLabel {
    TANSU_CLASS(TProbeArLabel, TArLabel)
public:
    explicit TProbeArLabel(TComponent* owner) : TArLabel(owner) {}
    bool SetCntrlEvent(TControl* control) override;

    int attempts = 0;
    int attemptsOffMainThread = 0;
    std::thread::id lastThread;
};

// The name of a component, or "?" for anything else.
std::string NameOf(TObject* object);
