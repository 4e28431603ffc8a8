// How the toolkit's dialogs stand on the desktop: message boxes as fixed
// dialog windows in the middle of the window they belong to, the file
// dialog large enough for its columns and in Japanese.
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

#include "framework/ui/forms/application.h"
#include "framework/ui/modal/message_box.h"
#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/modal/qt_open_dialog.h"
#include "platform/os_path.h"
#include "support/test_files.h"
#include "framework/ui/ui_test_support.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

using testing::WhenModal;

struct BoxSeen {
    Qt::WindowFlags flags;
    QRect frame;
    QSize minimum, maximum;
    QWidget* parent = nullptr;
};

// Shows a box of `flags` and notes how it stands, then answers it.
BoxSeen ShowBox(unsigned flags) {
    BoxSeen seen;
    WhenModal<QMessageBox>([&](QMessageBox& box) {
        seen.flags = box.windowFlags();
        seen.frame = box.frameGeometry();
        seen.minimum = box.minimumSize();
        seen.maximum = box.maximumSize();
        seen.parent = box.parentWidget();
        box.buttons().front()->click();
    });
    RunQtMessageBox("データが更新されています。\n保存してから終了しますか？", "保存確認", flags);
    return seen;
}

}  // namespace

TEST(DialogFrames, MessageBoxesAreFixedDialogsCentredOnTheirOwner) {
    // The program's window, shown but not active (as without a window
    // manager): it is still the owner.
    QWidget owner;
    owner.setGeometry(60, 40, 534, 450);
    owner.show();

    BoxSeen seen = ShowBox(MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(seen.parent, &owner);
    EXPECT_TRUE(seen.flags & Qt::Dialog);
    EXPECT_TRUE(seen.flags & Qt::CustomizeWindowHint);  // only the hints given below
    EXPECT_FALSE(seen.flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(seen.flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(seen.flags & Qt::WindowCloseButtonHint);  // Esc and the close box cancel
    EXPECT_EQ(seen.minimum, seen.maximum);                // no resizing
    EXPECT_FALSE(seen.minimum.isEmpty());
    QPoint offset = seen.frame.center() - owner.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << seen.frame.x() << "," << seen.frame.y();

    // A Yes/No box must be answered with a button: no close box.
    seen = ShowBox(MB_YESNO | MB_ICONQUESTION);
    EXPECT_FALSE(seen.flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(seen.flags & Qt::WindowMaximizeButtonHint);

    // An owner hanging off the screen's corner: the box stays whole on the
    // screen.
    QRect screen = owner.screen()->availableGeometry();
    owner.setGeometry(screen.right() - 100, screen.bottom() - 80, 534, 450);
    seen = ShowBox(MB_OK);
    EXPECT_TRUE(screen.contains(seen.frame)) << seen.frame.x() << "," << seen.frame.y() << " " << seen.frame.width() << "x" << seen.frame.height() << " screen " << screen.width() << "x" << screen.height();
}

TEST(DialogFrames, TheFileDialogSpeaksJapaneseAndShowsItsColumnsWhole) {
    Application->Initialize();  // loads the toolkit's translation
    testsupport::TempFolder folder(false);
    testsupport::WriteBytes(folder.file("list.csv"), "x");
    OpenDialogRequest request;
    request.filter = "CSVﾌｧｲﾙ  (*.CSV) |*.CSV|全てのﾌｧｲﾙ (*.*)|*.*";
    request.initialDir = *platform::FromOsPath(folder.path());

    QStringList heads, cut;
    QString kind;
    QSize size;
    int columnsEnd = 0, viewWidth = 0;
    WhenModal<QFileDialog>([&](QFileDialog& d) {
        d.setViewMode(QFileDialog::Detail);
        auto* tree = d.findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_TRUE(tree);
        // The folder's entries arrive from a worker thread.
        EXPECT_TRUE(QTest::qWaitFor([&] { return tree->model()->rowCount(tree->rootIndex()) == 1; }, 5000));
        QTest::qWait(50);
        QHeaderView* header = tree->header();
        for (int i = 0; i < header->count(); ++i) {
            heads << tree->model()->headerData(i, Qt::Horizontal).toString();
            if (header->isSectionHidden(i)) continue;
            columnsEnd = std::max(columnsEnd, header->sectionViewportPosition(i) + header->sectionSize(i));
            // What the column shows (entry and heading) fits in it.
            int needed = std::max(static_cast<QAbstractItemView*>(tree)->sizeHintForColumn(i), header->sectionSizeHint(i));
            if (header->sectionSize(i) < needed) cut << heads.back();
        }
        kind = tree->model()->index(0, 2, tree->rootIndex()).data().toString();
        viewWidth = tree->viewport()->width();
        size = d.size();
        d.reject();
    });
    RunQtOpenDialog(request);

    // Name, size, type, date: none of them the toolkit's English.
    ASSERT_EQ(heads.size(), 4);
    for (const QString& english : {QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Type"),
                                   QStringLiteral("Date Modified")})
        EXPECT_FALSE(heads.contains(english)) << english.toStdString();
    EXPECT_TRUE(heads.contains(QString::fromUtf8(u8"サイズ"))) << heads.join(u',').toStdString();
    EXPECT_EQ(kind, QString::fromUtf8(u8"CSV ドキュメント"));  // the file type's name too
    EXPECT_GE(size.width(), 700);
    EXPECT_GE(size.height(), 400);
    EXPECT_LE(columnsEnd, viewWidth);
    EXPECT_TRUE(cut.isEmpty()) << "cut: " << cut.join(u',').toStdString();
}

}  // namespace ui
