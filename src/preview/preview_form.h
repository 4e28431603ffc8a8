// The preview window: the doll of the record the main window shows,
// drawn as the viewer first shows it and scaled down to fit, with the
// record's title below.  It stands beside the main window without
// blocking it; the pictures are made on a worker thread (PreviewWorker).
// A record without an archive, a missing archive or one that cannot be
// read shows a line of text instead.
#pragma once

#include "framework/ui/controls/image.h"
#include "framework/ui/controls/label.h"
#include "framework/ui/controls/panel.h"
#include "framework/ui/forms/form.h"
#include "preview/preview_worker.h"

#include <memory>
#include <string>

class TPreviewForm : public TForm {
    TANSU_CLASS(TPreviewForm, TForm)
public:
    explicit TPreviewForm(TComponent* owner);
    ~TPreviewForm() override;

    // The components of the stored form.
    TPanel* Panel1 = nullptr;
    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;

    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);

    // Shows the record whose archive is `archive` (folder and name below
    // the KiSS folder, "" for a record without one) and whose title is
    // `title`.  `archiveSystemPath` is where the archive lies.  Until a
    // picture still to be made is ready, the window shows what it showed.
    void ShowRecord(const std::string& archive, const std::string& archiveSystemPath, const std::string& title);

    // The window's place from the settings' section "Preview" (Visible,
    // Top, Left, Width, Height), once: never placed before, it stands
    // beside `mainWindow`.
    void RestorePlace(const TForm& mainWindow);
    // Into the settings, once the window was ever shown (or the settings
    // had its section): the file of someone who never used it stays as it
    // was.
    void StorePlace();
    // Whether the settings say the window was open at the last end.
    bool WasOpen() const;

private:
    void Present(const std::string& archive, const std::string& title, const SetPreview& preview);
    void Say(const std::string& line, const std::string& title);

    std::unique_ptr<PreviewWorker> worker_;
    std::string pendingArchive_;  // what the worker makes for the window now
    std::string pendingTitle_;
    bool everShown_ = false;
    bool placed_ = false;
};

extern TPreviewForm* PreviewForm;
