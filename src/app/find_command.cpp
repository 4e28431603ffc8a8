// Finding a record: the search dialog and the search again.
#include "app/find_form.h"
#include "app/grid_rows.h"
#include "app/main_form.h"

#include "catalog/record_search.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/modal/message_box_flags.h"

void TForm1::MenuRecordFindClick(TObject*) {
    FindForm->Edit1->SetText(FindText);
    if (FindForm->ShowModal() != mrOk) return;
    FindText = FindForm->Edit1->Text();
    FindNext();
}

void TForm1::MenuRecordFindNextClick(TObject* Sender) {
    if (FindText.empty()) {
        MenuRecordFindClick(Sender);
        return;
    }
    FindNext();
}

void TForm1::FindNext() {
    if (FindText.empty()) return;
    GridRows rows(*ComboGrid1);
    const int row = FindRecordRow(rows, ComboGrid1->Row(), ui::Cp932Finder(FindText));
    if (row < 0) {
        Application->MessageBox("見つかりません", "検索", MB_OK | MB_ICONINFORMATION);
        return;
    }
    ComboGrid1->SetRow(row);
}
