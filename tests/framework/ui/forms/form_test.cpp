// Forms read from their stored text form, shown plain and modally, with
// their keys, focus order and close questions, on the offscreen platform.
#include "framework/form_filer.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/graphics/qt_text.h"
#include "framework/ui/sample_forms.h"
#include "framework/ui/ui_test_support.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextLayout>
#include <QWindow>

namespace {

using ui::testing::MissingGlyphs;

using ui::testing::CheckedScript;


class FormTest : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }

    // Shows the form and makes its window the active one.
    static void ShowActive(TForm* form) {
        form->Show();
        QApplication::setActiveWindow(form->Widget());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form->Widget()));
    }
};

TEST_F(FormTest, ReadsItsStoredFormAndShowsItsControls) {
    TOwned<TSampleDialog> d(new TSampleDialog(nullptr));
    // OnCreate ran once, after the fields were bound.
    EXPECT_EQ(d->log, std::vector<std::string>{"create"});
    EXPECT_TRUE(d->fieldsBoundAtCreate);
    EXPECT_EQ(d->Name(), "SampleDialog");
    EXPECT_FALSE(d->Visible());

    // A fixed dialog: the client size is stored, the frame lies around it.
    EXPECT_EQ(d->ClientWidth(), 448);
    EXPECT_EQ(d->ClientHeight(), 217);
    EXPECT_EQ(d->Width(), 448 + 6);
    EXPECT_EQ(d->Height(), 217 + 25);
    EXPECT_EQ(d->Widget()->size(), QSize(448, 217));
    EXPECT_EQ(d->Widget()->windowTitle(), QString::fromUtf8(u8"TANSU 設定画面"));

    EXPECT_EQ(d->Edit1->Widget()->geometry(), QRect(144, 16, 235, 23));
    EXPECT_EQ(d->Edit1->Parent(), d.get());
    EXPECT_EQ(d->Bevel1->Style(), TBevelStyle::bsRaised);

    // The label sized itself to its text and kept its right edge (131).
    auto* label = static_cast<QLabel*>(d->Label1->Widget());
    EXPECT_EQ(label->text(), QString::fromUtf8(u8"標準CSVファイル"));
    EXPECT_EQ(d->Label1->Left() + d->Label1->Width(), 131);
    EXPECT_EQ(d->Label1->Width(), QFontMetrics(label->font()).horizontalAdvance(label->text()));
    EXPECT_TRUE(label->alignment() & Qt::AlignRight);
    // The form's font reaches the controls and draws real Japanese glyphs.
    QFontInfo info(label->font());
    EXPECT_EQ(info.family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(info.pixelSize(), 15);
    EXPECT_EQ(MissingGlyphs(label->text(), label->font()), 0);
    EXPECT_EQ(QFontInfo(d->Browse->Widget()->font()).pixelSize(), 15);

    // The record number field: read-only, no tab stop, button-face colour.
    auto* number = static_cast<QLineEdit*>(d->Number->Widget());
    EXPECT_TRUE(number->isReadOnly());
    EXPECT_FALSE(d->Number->TabStop());
    EXPECT_EQ(number->text(), QString::fromUtf8(u8"(新規)"));
    EXPECT_EQ(number->palette().color(QPalette::Base), number->palette().color(QPalette::Button));
    EXPECT_NE(d->Edit1->Widget()->palette().color(QPalette::Base), number->palette().color(QPalette::Base));

    // OK and Cancel with their kinds' roles and pictures.
    EXPECT_EQ(d->OkButton->Caption(), "OK");
    EXPECT_TRUE(d->OkButton->Default());
    EXPECT_EQ(d->OkButton->ModalResult(), mrOk);
    EXPECT_FALSE(static_cast<QPushButton*>(d->OkButton->Widget())->icon().isNull());
    EXPECT_TRUE(d->CancelButton->Cancel());
    EXPECT_EQ(d->CancelButton->ModalResult(), mrCancel);
    EXPECT_EQ(static_cast<QPushButton*>(d->CancelButton->Widget())->text(), QString::fromUtf8(u8"ｷｬﾝｾﾙ"));
    EXPECT_EQ(d->DefaultButton(), d->OkButton);  // (the field hides the form's CancelButton)
    EXPECT_EQ(d->TForm::CancelButton(), d->CancelButton);

    EXPECT_EQ(d->OpenDialog1->Options(), ofHideReadOnly | ofNoChangeDir | ofPathMustExist | ofFileMustExist);
    EXPECT_EQ(d->OpenDialog1->Title(), "CSV ファイルを開く");
    EXPECT_EQ(d->OpenDialog1->DesignLeft(), 16);

    // Shown centred on the screen, OnShow runs and the first tab stop
    // takes the focus.
    ShowActive(d.get());
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(d->Left(), screen.left() + (screen.width() - d->Width()) / 2);
    EXPECT_EQ(d->Top(), screen.top() + (screen.height() - d->Height()) / 2);
    EXPECT_EQ(d->log.back(), "show");
    EXPECT_TRUE(d->Edit1->Focused());
    EXPECT_EQ(d->ActiveControl(), d->Edit1);

    // The form writes itself back as it was read.
    std::string text = WriteComponentText(d.get());
    for (const char* part : {"BorderStyle = bsDialog", "ClientWidth = 448", "Kind = bkOK", "Color = clBtnFace",
                             "EditMask = '!0000/99/99;1;_'", "OnClick = OkButtonClick", "Style = bsRaised"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_EQ(text.find("Width = 454"), std::string::npos);
    EXPECT_EQ(text.find("Default = "), std::string::npos);  // the kind gives it
}

TEST_F(FormTest, ModalResultEndsTheModalLoopAndCloseQueryCanRefuse) {
    TOwned<TSampleDialog> d(new TSampleDialog(nullptr));
    CheckedScript script;

    // OK's click: the modal result first, then OnClick, then the close.
    script.WhileModal([&](QWidget&) { QTest::mouseClick(d->OkButton->Widget(), Qt::LeftButton); });
    EXPECT_EQ(d->ShowModal(), mrOk);
    EXPECT_EQ(d->log, (std::vector<std::string>{"create", "show", "ok", "closequery", "close"}));
    EXPECT_FALSE(d->Visible());
    ASSERT_EQ(script.Records().size(), 1u);
    EXPECT_EQ(script.Records()[0].kind, ui::ModalRecord::Kind::Form);
    EXPECT_EQ(script.Records()[0].caption, "TANSU 設定画面");
    EXPECT_EQ(script.Records()[0].formName, "SampleDialog");
    EXPECT_EQ(script.Records()[0].answer, mrOk);

    // OnCloseQuery refuses: the form stays; a handler may take the result
    // back; Esc presses Cancel.
    d->log.clear();
    d->allowClose = false;
    script.WhileModal([&](QWidget&) {
        QTest::mouseClick(d->CancelButton->Widget(), Qt::LeftButton);
        QCoreApplication::sendPostedEvents();
        EXPECT_TRUE(d->Modal());
        EXPECT_EQ(d->ModalResult(), mrNone);
        d->allowClose = true;
        d->onOk = [&] { d->SetModalResult(mrNone); };
        QTest::mouseClick(d->OkButton->Widget(), Qt::LeftButton);
        QCoreApplication::sendPostedEvents();
        EXPECT_TRUE(d->Modal());
        d->onOk = nullptr;
        QTest::keyClick(d->Edit1->Widget(), Qt::Key_Escape);
    });
    EXPECT_EQ(d->ShowModal(), mrCancel);
    EXPECT_EQ(d->log, (std::vector<std::string>{"show", "closequery", "ok", "closequery", "close"}));

    // Enter in an edit presses the default button and never reaches the
    // edit's OnKeyPress; the window's close box is a cancel.
    d->typed.clear();
    script.WhileModal([&](QWidget&) { QTest::keyClick(d->Edit1->Widget(), Qt::Key_Return); });
    EXPECT_EQ(d->ShowModal(), mrOk);
    EXPECT_EQ(d->typed, "");
    script.WhileModal([&](QWidget& w) { w.close(); });
    EXPECT_EQ(d->ShowModal(), mrCancel);
    EXPECT_THROW(
        {
            d->Show();
            d->ShowModal();
        },
        EInvalidOperation);
}

TEST_F(FormTest, ClosingHidesOrFreesAndOnDestroyRunsWhileTheFormIsWhole) {
    auto* d = new TSampleDialog(nullptr);
    ShowActive(d);
    d->Close();
    EXPECT_FALSE(d->Visible());
    EXPECT_EQ(d->log, (std::vector<std::string>{"create", "show", "closequery", "close"}));

    // caFree: the form goes once the current event is done.
    bool destroyedWhole = false;
    bool destroyed = false;
    d->OnDestroy.Bind([&](TObject*) {
        destroyed = true;
        destroyedWhole = d->Edit1 && d->FindComponent("Edit1") == d->Edit1;
    });
    d->OnClose.Bind([](TObject*, TCloseAction& action) { action = TCloseAction::caFree; });
    d->Show();
    d->Close();
    EXPECT_FALSE(destroyed);
    EXPECT_TRUE(ui::testing::WaitUntil([&] { return destroyed; }));
    EXPECT_TRUE(destroyedWhole);
}

TEST_F(FormTest, AFormShownWithoutActivatingLeavesTheKeyboardWhereItWas) {
    TOwned<TSampleDialog> worked(new TSampleDialog(nullptr));
    ShowActive(worked.get());
    TOwned<TSampleDialog> beside(new TSampleDialog(nullptr));
    beside->ShowWithoutActivating();
    EXPECT_TRUE(beside->Visible());
    QTest::qWait(50);
    EXPECT_EQ(QApplication::activeWindow(), worked->Widget());
}

TEST_F(FormTest, TabAndNextDialogControlWalkTheTabStopsAndWrap) {
    TOwned<TSampleDialog> d(new TSampleDialog(nullptr));
    ShowActive(d.get());
    ASSERT_TRUE(d->Edit1->Focused());

    // Tab order 0 Edit1, 1 DateEdit, 2 OK, 3 Cancel, 4 Number (no tab
    // stop), 5 Browse.
    std::vector<TWinControl*> seen;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen.push_back(d->ActiveControl());
    }
    EXPECT_EQ(seen, (std::vector<TWinControl*>{d->DateEdit, d->OkButton, d->CancelButton, d->Browse, d->Edit1}));

    // WM_NEXTDLGCTL moves on from the active control, wrapping both ways.
    d->Browse->SetFocus();
    d->Perform(WM_NEXTDLGCTL, 0, 0);
    EXPECT_TRUE(d->Edit1->Focused());
    d->Perform(WM_NEXTDLGCTL, 1, 0);
    EXPECT_TRUE(d->Browse->Focused());
    d->Perform(WM_NEXTDLGCTL, reinterpret_cast<intptr_t>(d->OkButton), 1);
    EXPECT_EQ(d->ActiveControl(), d->OkButton);
    // Enter on a focused button presses that button.
    d->log.clear();
    QTest::keyClick(d->OkButton->Widget(), Qt::Key_Return);
    EXPECT_EQ(d->log, std::vector<std::string>{"ok"});
}

// An edit that records the form's cancel-mode notices.
class TCancelProbe : public TEdit {
    TANSU_CLASS(TCancelProbe, TEdit)
public:
    explicit TCancelProbe(TComponent* owner) : TEdit(owner) {}
    void CancelMode(TControl* cause) override { causes.push_back(cause); }
    std::vector<TControl*> causes;
};
TANSU_IMPLEMENT_CLASS(TCancelProbe)
void TCancelProbe::DeclarePublished(TClassBuilder<TCancelProbe>&) {}

TEST_F(FormTest, PressesElsewhereAndOpeningMenusTellTheActiveControl) {
    TOwned<TSampleMain> f(new TSampleMain(nullptr));
    auto* probe = new TCancelProbe(f.get());
    probe->SetBounds(10, 10, 100, 24);
    probe->SetParent(f->Panel3);
    ShowActive(f.get());
    probe->SetFocus();
    ASSERT_EQ(f->ActiveControl(), probe);

    // The press reaches the window before any widget.
    QWindow* window = f->Widget()->windowHandle();
    QPoint onList = f->ListBox1->Widget()->mapTo(f->Widget(), QPoint(60, 60));
    QPoint onProbe = probe->Widget()->mapTo(f->Widget(), QPoint(5, 5));
    QTest::mouseClick(window, Qt::LeftButton, {}, onProbe);
    EXPECT_TRUE(probe->causes.empty());  // a press on the active control itself
    probe->SetFocus();
    QTest::mousePress(window, Qt::LeftButton, {}, onList);
    ASSERT_EQ(probe->causes.size(), 1u);
    EXPECT_EQ(probe->causes[0], f->ListBox1);
    QTest::mouseRelease(window, Qt::LeftButton, {}, onList);

    // Opening a menu tells it too (with no control as the cause).
    probe->SetFocus();
    probe->causes.clear();
    QMenu* sort = f->MenuSort->Action()->menu();
    ASSERT_TRUE(sort);
    Q_EMIT sort->aboutToShow();
    EXPECT_EQ(probe->causes, std::vector<TControl*>{nullptr});
}

TEST_F(FormTest, MainWindowLaysOutItsMenuPanelsAndList) {
    TOwned<TSampleMain> f(new TSampleMain(nullptr));
    // A sizeable window stores its frame; the menu bar sits above the
    // client area.
    EXPECT_EQ(f->Width(), 435);
    EXPECT_EQ(f->Height(), 300);
    QMenuBar* bar = f->MainMenu1->MenuBar();
    ASSERT_EQ(bar->parentWidget(), f->Widget());
    int barHeight = bar->sizeHint().height();
    EXPECT_GT(barHeight, 0);
    EXPECT_EQ(f->ClientWidth(), 427);
    EXPECT_EQ(f->ClientHeight(), 300 - 27 - barHeight);
    EXPECT_EQ(f->ClientWidget()->geometry().top(), barHeight);

    // Aligned panels share the client area; the list fills its panel inside
    // the border and the bevel.
    EXPECT_EQ(f->Panel1->BoundsRect(), (ui::Rect{0, f->ClientHeight() - 43, 427, f->ClientHeight()}));
    EXPECT_EQ(f->Panel3->BoundsRect(), (ui::Rect{0, 0, 427, f->ClientHeight() - 43}));
    EXPECT_EQ(f->ListBox1->BoundsRect(), (ui::Rect{6, 6, 427 - 6, f->ClientHeight() - 43 - 6}));
    f->SetBounds(f->Left(), f->Top(), 535, 450);
    EXPECT_EQ(f->ListBox1->Width(), 535 - 8 - 12);

    // A user's resize and move of the frame come back as the bounds.
    ShowActive(f.get());
    f->Widget()->resize(600, 400);
    EXPECT_EQ(f->Width(), 608);
    EXPECT_EQ(f->Height(), 427);
    f->Widget()->move(30, 40);
    EXPECT_EQ(f->Left(), 30);
    EXPECT_EQ(f->Top(), 40);

    // The stored menu bar: items in order, separators, shortcuts shown.
    QList<QAction*> file = f->F1->Action()->menu()->actions();
    ASSERT_EQ(file.size(), 3);
    EXPECT_EQ(file[0]->text(), QString::fromUtf8(u8"CSVを開く(&O)\tCtrl+O"));
    EXPECT_TRUE(file[1]->isSeparator());
    EXPECT_EQ(bar->actions().size(), 2);
}

// A window whose field has no component in its stored form.
class TMissingField : public TForm {
    TANSU_CLASS(TMissingField, TForm)
public:
    explicit TMissingField(TComponent* owner) : TForm(owner) {}
    TLabel* Label9 = nullptr;
};
TANSU_IMPLEMENT_CLASS(TMissingField)
void TMissingField::DeclarePublished(TClassBuilder<TMissingField>& c) { FormField(c, "Label9", &TMissingField::Label9); }

// A window whose stored form names a class nobody registered.
class TBrokenForm : public TForm {
    TANSU_CLASS(TBrokenForm, TForm)
public:
    explicit TBrokenForm(TComponent* owner) : TForm(owner) {
        ReadForm("object BrokenForm: TBrokenForm\n  object E: TEdit\n  end\n  object X: TNoSuchClass\n  end\nend\n");
    }
};
TANSU_IMPLEMENT_CLASS(TBrokenForm)
void TBrokenForm::DeclarePublished(TClassBuilder<TBrokenForm>&) {}

TEST_F(FormTest, FormsThatDoNotFitTheirStoredFormAreRefused) {
    // The error leaves the constructor; what was read goes with the form.
    TBrokenForm* broken = nullptr;
    EXPECT_THROW(Application->CreateForm(broken), EReadError);
    EXPECT_EQ(broken, nullptr);
    EXPECT_EQ(Application->ComponentCount(), 0);

    TOwned<TForm> plain(new TForm(nullptr));
    EXPECT_THROW(plain->ReadForm(SampleDialogText()), EReadError);  // a TForm is no TSampleDialog
    TOwned<TForm> missing(new TMissingField(nullptr));
    EXPECT_THROW(missing->ReadForm("object MissingField: TMissingField\n  object Label1: TLabel\n  end\nend\n"),
                 EReadError);
    TOwned<TForm> wrong(new TMissingField(nullptr));
    EXPECT_THROW(wrong->ReadForm("object Wrong: TMissingField\n  object Label9: TEdit\n  end\nend\n"), EReadError);
}

}  // namespace
