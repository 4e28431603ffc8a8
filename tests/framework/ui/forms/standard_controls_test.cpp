// Labels, edits, masked edits, buttons, bevels, panels and list boxes as
// real widgets: their texts, events with their arguments, and looks.
#include "framework/ui/forms/application.h"
#include "framework/ui/controls/mask_line_edit.h"
#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/graphics/qt_graphics.h"
#include "framework/ui/sample_forms.h"
#include "framework/ui/ui_test_support.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

using ui::testing::CheckedScript;
using ui::testing::TypeInto;

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        d.reset(new TSampleDialog(nullptr));
        d->Show();
        QApplication::setActiveWindow(d->Widget());
        ASSERT_TRUE(QTest::qWaitForWindowActive(d->Widget()));
    }
    QLineEdit* Line(TCustomEdit* e) { return static_cast<QLineEdit*>(e->Widget()); }

    TOwned<TSampleDialog> d;
};

TEST_F(ControlsTest, EditTextsCrossAsCp932AndTypedCharactersRunKeyPress) {
    TEdit* edit = d->Edit1;
    edit->SetText("ﾌｧｲﾙ・ソ表");
    EXPECT_EQ(Line(edit)->text(), QString::fromUtf8(u8"ﾌｧｲﾙ・ソ表"));
    EXPECT_EQ(edit->Text(), "ﾌｧｲﾙ・ソ表");
    EXPECT_EQ(d->log.back(), "change");
    // Bytes without a character come back unchanged.
    edit->SetText("a\x80\xFF" "b");
    EXPECT_EQ(edit->Text(), "a\x80\xFF" "b");

    // Each byte of a typed character goes through OnKeyPress; 'x' is
    // dropped there; a character without a cp932 form is refused.
    edit->Clear();
    edit->SetFocus();
    d->log.clear();
    TypeInto(edit->Widget(), QString::fromUtf8(u8"aｿx表"));
    QKeyEvent emoji(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\xF0\x9F\x98\x80"));
    QApplication::sendEvent(edit->Widget(), &emoji);  // U+1F600, which cp932 lacks
    TypeInto(edit->Widget(), QString(QChar(0xD83D)));  // half of it
    EXPECT_EQ(edit->Text(), "aｿ表");
    EXPECT_EQ(d->typed, "aｿx表");
    EXPECT_EQ(d->log, (std::vector<std::string>{"change", "change", "change"}));

    // A handler may give another character.
    edit->OnKeyPress.Bind([](TObject*, char& key) {
        if (key == 'q') key = 'Q';
    });
    TypeInto(edit->Widget(), QStringLiteral("q"));
    EXPECT_EQ(edit->Text(), "aｿ表Q");

    // The limit counts cp932 bytes.
    edit->Clear();
    edit->SetMaxLength(5);
    TypeInto(edit->Widget(), QString::fromUtf8(u8"日本語"));
    EXPECT_EQ(edit->Text(), "日本");
}

TEST_F(ControlsTest, KeyAndMouseEventsCarryTheirArguments) {
    TEdit* edit = d->Edit1;
    edit->SetFocus();
    std::vector<std::string> seen;
    edit->OnKeyDown.Bind([&](TObject* s, uint16_t& key, TShiftState shift) {
        seen.push_back("down " + std::to_string(key) + " " + std::to_string(shift) + (s == edit ? "" : " ?"));
    });
    edit->OnKeyUp.Bind([&](TObject*, uint16_t& key, TShiftState) { seen.push_back("up " + std::to_string(key)); });
    edit->OnMouseDown.Bind([&](TObject*, TMouseButton b, TShiftState shift, int x, int y) {
        seen.push_back("mouse " + std::to_string(static_cast<int>(b)) + " " + std::to_string(shift) + " " +
                       std::to_string(x) + "," + std::to_string(y));
    });
    QTest::keyClick(edit->Widget(), Qt::Key_A, Qt::ShiftModifier);
    QTest::mousePress(edit->Widget(), Qt::RightButton, Qt::ControlModifier, QPoint(7, 5));
    QTest::mouseRelease(edit->Widget(), Qt::RightButton, Qt::ControlModifier, QPoint(7, 5));
    // The Shift key itself is a key too.
    EXPECT_EQ(seen, (std::vector<std::string>{"down 16 1", "down 65 1", "up 65", "up 16",
                                              "mouse 1 " + std::to_string(ui::kCtrl | ui::kRightButton) + " 7,5"}));

    // With KeyPreview the form sees the keys first and may take them.
    d->SetKeyPreview(true);
    d->OnKeyDown.Bind([](TObject*, uint16_t& key, TShiftState) {
        if (key == 'B') key = 0;
    });
    d->OnKeyPress.Bind([](TObject*, char& key) {
        if (key == 'c') key = 'C';
    });
    QTest::keyClicks(edit->Widget(), QStringLiteral("bc"));
    EXPECT_EQ(edit->Text(), "aC");

    // A click on a label is its own, not its form's.
    int formClicks = 0;
    d->OnClick.Bind([&](TObject*) { ++formClicks; });
    QTest::mouseClick(d->Label1->Widget(), Qt::LeftButton);
    EXPECT_EQ(d->log.back(), "click Label1");
    EXPECT_EQ(formClicks, 0);
}

TEST_F(ControlsTest, MaskedFieldFitsRefusesAndUndoes) {
    TMaskEdit* date = d->DateEdit;
    date->SetText("1997/5/3");
    EXPECT_EQ(date->Text(), "1997/ 5/ 3");
    int exits = 0, okEnters = 0;
    date->OnExit.Bind([&](TObject*) { ++exits; });
    d->OkButton->OnEnter.Bind([&](TObject*) { ++okEnters; });
    date->SetFocus();

    // A change with a required digit left blank is refused on leaving.
    CheckedScript script;
    script.AnswerMessage(IDOK);
    QTest::keyClick(date->Widget(), Qt::Key_Home);
    QTest::keyClick(date->Widget(), Qt::Key_Delete);
    QTest::keyClick(date->Widget(), Qt::Key_Delete);
    QTest::keyClick(date->Widget(), Qt::Key_Tab);
    ASSERT_EQ(script.Records().size(), 1u);
    EXPECT_EQ(script.Records()[0].text, ui::MaskLineEdit::kInvalidInputMessage);
    EXPECT_EQ(script.Records()[0].caption, Application->Title());
    EXPECT_EQ(script.Records()[0].flags, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(script.Beeps(), 1);
    EXPECT_TRUE(date->Focused());
    EXPECT_EQ(Line(date)->cursorPosition(), 0);
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(okEnters, 0);

    // Esc undoes the change and does not cancel the form; a second Esc
    // does.
    QTest::keyClick(date->Widget(), Qt::Key_Escape);
    EXPECT_EQ(date->Text(), "1997/ 5/ 3");
    EXPECT_EQ(d->ModalResult(), mrNone);
    QTest::keyClick(date->Widget(), Qt::Key_Escape);
    EXPECT_EQ(d->ModalResult(), mrCancel);

    // A complete change is taken.
    QTest::keyClick(date->Widget(), Qt::Key_Home);
    QTest::keyClicks(date->Widget(), QStringLiteral("20030115"));
    QTest::keyClick(date->Widget(), Qt::Key_Tab);
    EXPECT_EQ(date->Text(), "2003/01/15");
    EXPECT_TRUE(d->OkButton->Focused());
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(okEnters, 1);
}

QRgb Pixel(TControl* c, int x, int y) { return c->Widget()->grab().toImage().pixel(x, y); }

TEST_F(ControlsTest, BevelsLabelsAndButtonsLookAsTheyAreSet) {
    // A raised bevel is light above and left, dark below and right.
    QRgb light = ui::ToQColor(ui::Color::System(ui::SystemColor::ButtonHighlight)).rgb();
    QRgb dark = ui::ToQColor(ui::Color::System(ui::SystemColor::ButtonShadow)).rgb();
    TBevel* bevel = d->Bevel1;
    EXPECT_EQ(Pixel(bevel, 0, 10), light);
    EXPECT_EQ(Pixel(bevel, bevel->Width() - 1, 10), dark);
    bevel->SetStyle(TBevelStyle::bsLowered);
    EXPECT_EQ(Pixel(bevel, 10, 0), dark);
    bevel->SetShape(TBevelShape::bsBottomLine);
    EXPECT_EQ(Pixel(bevel, 10, bevel->Height() - 2), dark);
    EXPECT_EQ(Pixel(bevel, 10, bevel->Height() - 1), light);

    // Accelerator marks do not show; a left-aligned label grows rightwards.
    TLabel* label = d->Label1;
    label->SetAlignment(TAlignment::taLeftJustify);
    int left = label->Left();
    label->SetCaption("ﾌｧｲﾙ(&F) && 表");
    EXPECT_EQ(label->DisplayText(), "ﾌｧｲﾙ(F) & 表");
    EXPECT_EQ(label->Left(), left);
    label->SetAutoSize(false);
    label->SetWidth(300);
    label->SetCaption("x");
    EXPECT_EQ(label->Width(), 300);

    // Buttons: a disabled one gives no click; Space and the accelerator do.
    TButton* browse = d->Browse;
    d->log.clear();
    browse->SetEnabled(false);
    QTest::mouseClick(browse->Widget(), Qt::LeftButton);
    EXPECT_TRUE(d->log.empty());
    browse->SetEnabled(true);
    browse->SetFocus();
    QTest::keyClick(browse->Widget(), Qt::Key_Space);
    d->Edit1->SetFocus();
    QTest::keyClick(d->Edit1->Widget(), Qt::Key_B, Qt::AltModifier);
    EXPECT_TRUE(ui::testing::WaitUntil([&] { return d->log.size() == 2; }));  // the button shows itself pressed first
    EXPECT_EQ(d->log, (std::vector<std::string>{"browse", "browse"}));
}

TEST_F(ControlsTest, BitmapButtonsShowTheirGlyphs) {
    // Two images side by side: red (normal) and blue (disabled), each with
    // a white bottom-left pixel that marks the transparent colour.
    QImage image(32, 16, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 32; ++x) image.setPixelColor(x, y, Qt::blue);
    image.setPixelColor(0, 15, Qt::white);
    image.setPixelColor(16, 15, Qt::white);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "BMP"));

    auto* button = new TBitBtn(d.get());
    button->SetParent(d.get());
    button->SetNumGlyphs(2);
    button->Glyph()->SetData(std::string(4, '\0') + bmp.toStdString());  // behind a length, as older forms store it
    QIcon icon = static_cast<QPushButton*>(button->Widget())->icon();
    QImage normal = icon.pixmap(16, 16, QIcon::Normal).toImage();
    QImage disabled = icon.pixmap(16, 16, QIcon::Disabled).toImage();
    EXPECT_EQ(normal.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(disabled.pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_EQ(normal.pixelColor(0, 15).alpha(), 0);

    // A kind gives caption and roles unless the program set them.
    button->SetKind(TBitBtnKind::bkCancel);
    EXPECT_EQ(button->Caption(), "ｷｬﾝｾﾙ");
    EXPECT_TRUE(button->Cancel());
    EXPECT_EQ(button->ModalResult(), mrCancel);
}

TEST_F(ControlsTest, OpenDialogRunsThroughTheModalHost) {
    TOpenDialog* open = d->OpenDialog1;
    open->SetFileName("C:\\old.csv");
    CheckedScript script;
    script.CancelFile();
    EXPECT_FALSE(open->Execute());
    EXPECT_EQ(open->FileName(), "C:\\old.csv");
    ASSERT_EQ(script.Records().size(), 1u);
    const ui::OpenDialogRequest& asked = script.Records()[0].dialog;
    EXPECT_EQ(asked.title, "CSV ファイルを開く");
    EXPECT_EQ(asked.filter, "CSV ﾌｧｲﾙ (*.CSV)|*.CSV|全てのﾌｧｲﾙ (*.*)|*.*");
    EXPECT_EQ(asked.defaultExt, "*.csv");
    EXPECT_EQ(asked.fileName, "C:\\old.csv");
    EXPECT_TRUE(asked.options.noChangeDir && asked.options.fileMustExist && asked.options.pathMustExist);
    EXPECT_FALSE(asked.options.allowMultiSelect);

    // A name without a cp932 form is refused with a message, and the
    // dialog comes again.
    script.ChooseOsFile(ui::testing::Utf8(u8"/tmp/\U0001F600.csv")).AnswerMessage(IDOK).ChooseFiles({"C:\\a.csv", "C:\\b.csv"});
    EXPECT_TRUE(open->Execute());
    ASSERT_EQ(script.Records().size(), 4u);
    EXPECT_EQ(script.Records()[2].caption, "エラー");
    EXPECT_EQ(open->FileName(), "C:\\a.csv");
    ASSERT_EQ(open->Files()->Count(), 2);
    EXPECT_EQ(open->Files()->Strings(1), "C:\\b.csv");
}

TEST(ListBox, ItemsFromTheFormAndOnClickOnTheUsersChoiceOnly) {
    Application->Initialize();
    TOwned<TSampleMain> f(new TSampleMain(nullptr));
    f->Show();
    QApplication::setActiveWindow(f->Widget());
    TListBox* list = f->ListBox1;
    ASSERT_EQ(list->Items()->Count(), 3);
    auto* widget = static_cast<QListWidget*>(list->Widget());
    EXPECT_EQ(widget->item(1)->text(), QString::fromUtf8(u8"二番目"));
    EXPECT_EQ(list->ItemIndex(), -1);

    list->SetItemIndex(1);
    EXPECT_TRUE(f->log.empty());
    list->SetFocus();
    QTest::keyClick(list->Widget(), Qt::Key_Down);
    QRect first = widget->visualItemRect(widget->item(0));
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(f->log, (std::vector<std::string>{"ListBox1 2", "ListBox1 0"}));

    // Items changed by the program show at once.
    list->Items()->Add("四番目");
    EXPECT_EQ(widget->count(), 4);
    EXPECT_EQ(list->ItemIndex(), 0);
}

}  // namespace
