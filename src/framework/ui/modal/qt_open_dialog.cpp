#include "framework/ui/modal/qt_open_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTreeView>
#include <algorithm>

#include "framework/ui/modal/file_filter.h"
#include "framework/ui/modal/message_box.h"
#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/graphics/qt_text.h"
#include "platform/os_path.h"

namespace ui {
namespace {

// Qt parses the patterns out of a filter entry itself and knows only ASCII
// there; the entry gets ASCII stand-ins ("?" for other characters) and this
// model does the exact matching.
class PatternProxy : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void SetPatterns(QStringList patterns, bool executables) {
        patterns_ = std::move(patterns);
        executables_ = executables;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        auto* fs = qobject_cast<QFileSystemModel*>(sourceModel());
        if (!fs || (patterns_.isEmpty() && !executables_)) return true;
        QModelIndex index = fs->index(row, 0, parent);
        if (fs->isDir(index)) return true;
        if (executables_) return fs->fileInfo(index).isExecutable();
        QString name = fs->fileName(index);
        for (const QString& p : patterns_)
            if (MatchesFilePattern(p, name)) return true;
        return false;
    }

private:
    QStringList patterns_;
    bool executables_ = false;
};

QString AsciiStandIn(const QString& pattern) {
    static const QString allowed = QStringLiteral("_.,*?+#-[]@{}/!<>$%&=^~:");
    QString out;
    for (QChar c : pattern) {
        bool ok = c.unicode() < 128 && (c.isLetterOrNumber() || allowed.contains(c));
        out += ok ? c : QChar(u'?');
    }
    return out;
}

void FitColumns(QTreeView& tree) {
    QHeaderView* header = tree.header();
    int others = 0;
    for (int column = 1; column < header->count(); ++column) {
        if (header->isSectionHidden(column)) continue;
        tree.resizeColumnToContents(column);
        others += header->sectionSize(column);
    }
    int rest = tree.viewport()->width() - others;
    header->resizeSection(0, std::max(rest, static_cast<QAbstractItemView&>(tree).sizeHintForColumn(0)));
}

}  // namespace

std::optional<QStringList> RunQtOpenDialog(const OpenDialogRequest& request, QWidget* parent) {
    parent = MessageBoxOwner(parent);

    QFileDialog dialog(parent, ToQt(request.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const OpenDialogOptions& o = request.options;
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Qt asks before replacing a file only when told to.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(request.save && o.overwritePrompt));
    if (request.folder) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
    } else if (request.save) {
        dialog.setFileMode(QFileDialog::AnyFile);
    } else if (o.allowMultiSelect) {
        dialog.setFileMode(QFileDialog::ExistingFiles);  // Qt's only multi-select mode
    } else {
        dialog.setFileMode(o.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    dialog.setLabelText(QFileDialog::LookIn, ToQt("ファイルの場所:"));
    dialog.setLabelText(QFileDialog::FileName, request.folder ? ToQt("フォルダー:") : ToQt("ファイル名:"));
    dialog.setLabelText(QFileDialog::FileType, ToQt("ファイルの種類:"));
    dialog.setLabelText(QFileDialog::Accept,
                        request.save ? ToQt("保存(&S)") : request.folder ? ToQt("選択(&S)") : ToQt("開く(&O)"));
    dialog.setLabelText(QFileDialog::Reject, ToQt("キャンセル"));

    std::vector<FileFilterItem> filters = ParseFileFilter(request.filter);
    QStringList entries;
    std::vector<QStringList> patterns;
    for (const FileFilterItem& f : filters) {
        QStringList pats, standIns;
        for (const std::string& p : f.patterns) {
            pats << ToQt(p);
            standIns << AsciiStandIn(ToQt(p));
        }
        entries << ToQt(f.description).trimmed() + QStringLiteral(" (") + standIns.join(u' ') + QChar(u')');
        patterns.push_back(pats);
    }
    auto* proxy = new PatternProxy(&dialog);
    dialog.setProxyModel(proxy);
    if (!entries.isEmpty()) {
        dialog.setNameFilters(entries);
        int index = request.filterIndex >= 1 && request.filterIndex <= entries.size() ? request.filterIndex - 1 : 0;
        dialog.selectNameFilter(entries[index]);
        auto choose = [&, proxy](qsizetype i) {
            proxy->SetPatterns(patterns[static_cast<size_t>(i)], i + 1 == request.executablesFilter);
        };
        choose(index);
        QObject::connect(&dialog, &QFileDialog::filterSelected, proxy, [&, choose](const QString& entry) {
            qsizetype i = entries.indexOf(entry);
            if (i >= 0) choose(i);
        });
    }
    std::string suffix = DefaultSuffix(request.defaultExt);
    if (!suffix.empty()) dialog.setDefaultSuffix(ToQt(suffix));

    auto osDir = platform::ToOsPath(request.initialDir);
    if (!request.initialDir.empty() && osDir) dialog.setDirectory(QString::fromStdString(*osDir));
    if (!request.fileName.empty()) {
        if (auto osName = platform::ToOsPath(request.fileName)) dialog.selectFile(QString::fromStdString(*osName));
    }

    // The size, type and date columns as wide as what they show, each time
    // a folder's entries arrive; the name takes the rest.
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* files = dialog.findChild<QFileSystemModel*>();
    if (tree && files) {
        QObject::connect(files, &QFileSystemModel::directoryLoaded, tree, [tree] { FitColumns(*tree); });
    }

    // Room for the name, size, type and date columns, within the screen.
    QSize size(780, 460);
    if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    dialog.resize(size);
    // The places at the side wide enough for their names.
    if (auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter")))
        splitter->setSizes({150, size.width() - 150});
    CentreOnOwner(dialog, parent);

    for (;;) {
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        QStringList files = dialog.selectedFiles();
        if (files.isEmpty()) return std::nullopt;
        if (!o.pathMustExist || QFileInfo(files.front()).absoluteDir().exists()) return files;
        // Qt lets a new name through in any folder; this one must exist.
        RunQtMessageBox("指定されたパスは存在しません。\nパスを確かめてください。", request.title,
                        MB_OK | MB_ICONEXCLAMATION, &dialog);
    }
}

}  // namespace ui
