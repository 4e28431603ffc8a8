#include "app_test_support.h"

#include "app/start.h"
#include "framework/ui/forms/application.h"

#include <gtest/gtest.h>

std::string CatalogFile(const std::vector<std::string>& records) {
    std::string file = "DIR,LZH_FILE,TITLE,AUTHOR,NIF_ID,DATE,BYTE\r\n";
    for (const std::string& r : records) file += r + "\r\n";
    return file;
}

TansuWindows::TansuWindows() {
    Application->Initialize();
    CreateTansuWindows();
}

TansuWindows::~TansuWindows() { FreeTansuWindows(); }

bool TansuWindows::Close() {
    Form1->Show();
    Form1->Close();
    // The main window's closing ends the program.
    return Application->Terminated();
}

StrictScript::StrictScript() : ui::ModalScript([](const std::string& problem) { ADD_FAILURE() << problem; }) {}

StrictScript::~StrictScript() { EXPECT_EQ(PendingAnswers(), 0u) << "answers left over"; }
