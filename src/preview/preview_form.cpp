#include "preview/preview_form.h"

#include "framework/ui/graphics/system_metrics.h"
#include "settings/settings_keys.h"

#include <algorithm>

extern const char kPreviewForm[];
extern const unsigned kPreviewForm_size;

TPreviewForm* PreviewForm = nullptr;

namespace {

// The window's own section of the settings.  It is no part of the key
// table: a settings file without it reads and is written as before, and
// the section comes only once the window was used.
const char kSection[] = "Preview";
const char* const kPlaceKeys[] = {"Visible", "Top", "Left", "Width", "Height"};

// A number of the section; 0 when the settings do not hold it.
int PlaceValue(int key) {
    const int section = Settings.FindSection(kSection);
    const int i = section == 0 ? -1 : Settings.FindItem(section, kPlaceKeys[key]);
    return i < 0 ? 0 : Settings.Item(i).value;
}

bool SectionPresent() {
    const int section = Settings.FindSection(kSection);
    return section != 0 && Settings.FirstItem(section) >= 0;
}

}  // namespace

TANSU_IMPLEMENT_CLASS(TPreviewForm)
void TPreviewForm::DeclarePublished(TClassBuilder<TPreviewForm>& c) {
    FormField(c, "Panel1", &TPreviewForm::Panel1);
    FormField(c, "Image1", &TPreviewForm::Image1);
    FormField(c, "Label1", &TPreviewForm::Label1);
    c.Method("FormShow", &TPreviewForm::FormShow);
    c.Method("FormClose", &TPreviewForm::FormClose);
}

TPreviewForm::TPreviewForm(TComponent* owner) : TForm(owner), worker_(std::make_unique<PreviewWorker>()) {
    ReadForm(std::string_view(kPreviewForm, kPreviewForm_size));
    worker_->OnReady = [this](const SetPreview& preview) { Present(pendingArchive_, pendingTitle_, preview); };
}

// The worker goes first: no picture may arrive for a window being freed.
TPreviewForm::~TPreviewForm() { worker_.reset(); }

void TPreviewForm::FormShow(TObject*) { everShown_ = true; }

void TPreviewForm::FormClose(TObject*, TCloseAction&) { worker_->WantNothing(); }

void TPreviewForm::ShowRecord(const std::string& archive, const std::string& archiveSystemPath,
                              const std::string& title) {
    if (!Visible()) return;
    if (archive.empty()) {
        worker_->WantNothing();
        Say("このレコードには書庫の指定がありません", title);
        return;
    }
    pendingArchive_ = archive;
    pendingTitle_ = title;
    if (auto ready = worker_->Want(archiveSystemPath)) Present(archive, title, *ready);
}

void TPreviewForm::Present(const std::string& archive, const std::string& title, const SetPreview& preview) {
    switch (preview.kind) {
    case SetPreview::Kind::Picture:
        Panel1->SetCaption("");
        Image1->SetPicture(preview.picture->width, preview.picture->height, preview.picture->argb);
        Label1->SetCaption(title);
        break;
    case SetPreview::Kind::Missing: Say("書庫が見つかりません: " + archive, title); break;
    case SetPreview::Kind::Unreadable: Say("書庫を読めません: " + archive, title); break;
    case SetPreview::Kind::NoConfig: Say("書庫に設定ファイル (.cnf) がありません: " + archive, title); break;
    }
}

void TPreviewForm::Say(const std::string& line, const std::string& title) {
    Image1->ClearPicture();
    Panel1->SetCaption(line);
    Label1->SetCaption(title);
}

bool TPreviewForm::WasOpen() const { return PlaceValue(0) != 0; }

void TPreviewForm::RestorePlace(const TForm& mainWindow) {
    if (placed_) return;
    placed_ = true;
    const int width = PlaceValue(3), height = PlaceValue(4);
    if (width > 0 && height > 0) SetBounds(PlaceValue(2), PlaceValue(1), width, height);
    else SetBounds(mainWindow.Left() + mainWindow.Width(), mainWindow.Top(), Width(), Height());
    // A place off the screen (a smaller screen than last time, a main
    // window at its right edge) is pulled back onto it.
    const ui::Rect area = ui::WorkArea();
    if (area.IsEmpty()) return;
    const int left = std::max(area.left, std::min(Left(), area.right - Width()));
    const int top = std::max(area.top, std::min(Top(), area.bottom - Height()));
    SetBounds(left, top, Width(), Height());
}

void TPreviewForm::StorePlace() {
    if (!everShown_ && !SectionPresent()) return;
    const int section = Settings.AddSection(kSection);
    const int values[] = {Visible() ? 1 : 0, Top(), Left(), Width(), Height()};
    for (int i = 0; i < 5; ++i)
        Settings.SetTextValue(section, kPlaceKeys[i], std::to_string(values[i]).c_str(), values[i]);
}
