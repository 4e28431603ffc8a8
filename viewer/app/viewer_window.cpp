#include "app/viewer_window.h"

#include "app/folder_files.h"
#include "app/set_notes.h"
#include "archive/extract.h"
#include "platform/cp932.h"
#include "set/first_set.h"

#include <algorithm>
#include <sys/resource.h>
#include <unistd.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace kissviewer {
namespace {

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Script steps come at most this often (60 a second).
constexpr qint64 kStepMs = 17;

bool IsConfigName(const std::string& path) {
    return path.size() >= 4 && QString::fromUtf8(path.substr(path.size() - 4)).compare(u".cnf", Qt::CaseInsensitive) == 0;
}

}  // namespace

ViewerWindow::ViewerWindow(Messages* messages) : messages_(messages ? messages : &boxes_) {
    // The desktop entry this window belongs to (its icon and name on a
    // Wayland desktop); known before the window first shows.
    QGuiApplication::setDesktopFileName(QStringLiteral(TANSU_VIEWER_ID));
    setObjectName(QStringLiteral("ViewerWindow"));
    setWindowTitle(QStringLiteral("tansu-kiss"));

    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    configMenu_ = file->addMenu(QStringLiteral("設定ファイル(&C)"));
    configMenu_->setObjectName(QStringLiteral("ConfigMenu"));
    configActions_ = new QActionGroup(this);
    keepFolder_ = file->addAction(QStringLiteral("展開したフォルダーを残す(&K)"));
    keepFolder_->setObjectName(QStringLiteral("KeepFolderAction"));
    keepFolder_->setCheckable(true);
    keepFolder_->setEnabled(false);
    connect(keepFolder_, &QAction::toggled, this, [this](bool keep) {
        if (unpackDir_) unpackDir_->SetKept(keep);
    });
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("終了(&X)"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    QAction* about = help->addAction(QStringLiteral("tansu-kiss について(&A)"));
    about->setObjectName(QStringLiteral("AboutAction"));
    connect(about, &QAction::triggered, this, &ViewerWindow::About);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* row = buttonRow_ = new QHBoxLayout;
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2);
    setButtons_ = new QButtonGroup(this);
    setButtons_->setExclusive(true);
    for (int s = 0; s < kiss::kSetCount; ++s) {
        auto* b = new QPushButton(QString::number(s), central);
        b->setObjectName(QStringLiteral("SetButton%1").arg(s));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedWidth(28);
        setButtons_->addButton(b, s);
        setButton_[s] = b;
        row->addWidget(b);
    }
    row->addStretch(1);
    connect(setButtons_, &QButtonGroup::idClicked, this, &ViewerWindow::SelectSet);
    column->addLayout(row);

    scroll_ = new QScrollArea(central);
    scroll_->setObjectName(QStringLiteral("PlayfieldArea"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->viewport()->setAutoFillBackground(true);
    playfield_ = new Playfield;
    scroll_->setWidget(playfield_);
    column->addWidget(scroll_, 1);
    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("StatusLine"));
    UpdateSetButtons();

    // One single-shot timer for the next alarm: nothing runs while none is set.
    alarmTimer_ = new QTimer(this);
    alarmTimer_->setSingleShot(true);
    alarmTimer_->setTimerType(Qt::PreciseTimer);
    connect(alarmTimer_, &QTimer::timeout, this, &ViewerWindow::RunAlarms);
    connect(playfield_, &Playfield::ScriptRan, this, &ViewerWindow::AfterScript);
    playfield_->SetClock([this] { return clock_.elapsed(); });
    clock_.start();
}

ViewerWindow::~ViewerWindow() {
    Unpacked(false);
    unpackDir_.reset();  // the files are written: the folder may go
    playfield_->SetDoll(nullptr);
}

void ViewerWindow::Say(Messages::Kind kind, const QString& text) {
    messages_->Show(this, kind, QStringLiteral("tansu-kiss"), text);
}

bool ViewerWindow::Open(const std::string& osPath, std::optional<kissarchive::ReadResult> preread) {
    title_ = QFileInfo(FromUtf8(osPath)).fileName();
    setWindowTitle(title_);
    if (IsConfigName(osPath)) {
        Unpacked(false);
        archiveFiles_.reset();
        configs_ = {FromUtf8(osPath)};
        FillConfigMenu(configs_.front());
        return OpenConfig(osPath);
    }
    auto read = preread ? std::move(*preread) : kissarchive::ReadArchive(osPath);
    if (!read.ok) {
        Say(Messages::Kind::Error, ArchiveFailureText(FromUtf8(osPath), read.failure, read.error));
        return false;
    }
    if (!read.refused.empty()) Say(Messages::Kind::Warning, RefusalsText(read.refused));
    configs_.clear();
    for (const std::string& path : ConfigPaths(read.entries)) configs_ << FromUtf8(path);
    if (configs_.isEmpty()) {
        Say(Messages::Kind::Error, QStringLiteral("書庫に設定ファイル (.cnf) がありません。\n%1").arg(FromUtf8(osPath)));
        return false;
    }
    Unpacked(false);  // a set opened before is written out first
    entries_ = std::make_shared<const std::vector<kissarchive::Entry>>(std::move(read.entries));
    archiveFiles_ = std::make_unique<ArchiveFiles>(entries_);
    StartUnpacking(osPath);
    FillConfigMenu(configs_.front());
    return OpenConfig(configs_.front().toStdString());
}

// The files are written on a worker thread while the doll is read from
// memory and shown; the worker only reads the entries.  They go into a
// folder of their own, so no file that was there is ever replaced.  The
// worker starts a moment later, when the window is up: creating hundreds of
// files would otherwise compete with showing the doll.
void ViewerWindow::StartUnpacking(const std::string& archive) {
    std::string error;
    unpackDir_ = UnpackFolder::Create(UnpackFolder::StemOf(archive), error);
    keepFolder_->setChecked(false);
    keepFolder_->setEnabled(unpackDir_ != nullptr);
    QString name = unpackDir_ ? FromUtf8(unpackDir_->name()) : QString();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));  // no shortcut mark
    keepFolder_->setText(unpackDir_ ? QStringLiteral("展開したフォルダー「%1」を残す(&K)").arg(name)
                                    : QStringLiteral("展開したフォルダーを残す(&K)"));
    if (!unpackDir_) {
        Say(Messages::Kind::Error, UnpackFolderFailureText(QDir::currentPath(), error));
        return;
    }
    unpackFolder_ = std::make_unique<kissarchive::Folder>(unpackDir_->path());
    auto entries = entries_;
    const kissarchive::Folder* folder = unpackFolder_.get();
    writeNow_ = std::promise<void>();
    writeReleased_ = false;
    std::shared_future<void> go = writeNow_.get_future().share();
    unpacking_ = std::async(std::launch::async, [this, entries, folder, go] {
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 19);  // yields to the window
        go.wait();
        auto result = kissarchive::WriteEntries(*entries, *folder);
        QMetaObject::invokeMethod(this, [this] { Unpacked(true); }, Qt::QueuedConnection);
        return result;
    });
    QTimer::singleShot(kWriteDelayMs, this, &ViewerWindow::ReleaseWriting);
}

void ViewerWindow::ReleaseWriting() {
    if (writeReleased_) return;
    writeReleased_ = true;
    writeNow_.set_value();
}

void ViewerWindow::Unpacked(bool report) {
    if (!unpacking_.valid()) return;
    ReleaseWriting();
    const auto result = unpacking_.get();
    if (!report) return;
    if (!result.ok) {
        Say(Messages::Kind::Error,
            UnpackFolderFailureText(unpackDir_ ? FromUtf8(unpackDir_->path()) : QString(), result.error));
    } else if (!result.refused.empty()) {
        Say(Messages::Kind::Warning, RefusalsText(result.refused));
    }
}

bool ViewerWindow::OpenConfig(const std::string& cnf) {
    // An archive's configuration is read from memory; a file's from disk.
    kiss::FileReader read;
    std::optional<std::string> text;
    if (archiveFiles_) {
        folderFiles_.reset();
        read = archiveFiles_->ReaderFor(cnf);
        const size_t slash = cnf.rfind('/');
        text = read(slash == std::string::npos ? cnf : cnf.substr(slash + 1));
    } else {
        folderFiles_.emplace(QFileInfo(FromUtf8(cnf)).path().toStdString());
        read = folderFiles_->Reader();
        text = ReadWholeFile(cnf);
    }
    if (!text) {
        Say(Messages::Kind::Error, QStringLiteral("設定ファイルを読めません。\n%1").arg(FromUtf8(cnf)));
        return false;
    }
    std::vector<kiss::Note> problems;
    auto doll = std::make_unique<kiss::Doll>(kiss::Doll::Load(*text, read, problems));
    read_ = read;
    sounds_.Stop();
    alarmTimer_->stop();
    doll->SetNow(clock_.elapsed());
    doll->Start();
    playfield_->SetDoll(doll.get());
    doll_ = std::move(doll);
    UpdateSetButtons();
    PaintBorder();
    FitToField();
    // The script's notes stay on the status line (every one in its tip): a
    // set that uses commands of a later FKiSS still plays, and a box at each
    // opening would only be in the way.
    const auto& scriptNotes = doll_->script().notes;
    statusBar()->showMessage(ScriptNotesStatus(scriptNotes));
    statusBar()->setToolTip(NoteList(scriptNotes));
    AfterScript();
    if (!problems.empty())
        Say(Messages::Kind::Warning, ConfigNotesText(QFileInfo(FromUtf8(cnf)).fileName(), problems));
    return true;
}

void ViewerWindow::FillConfigMenu(const QString& current) {
    configMenu_->clear();
    for (QAction* a : configActions_->actions()) configActions_->removeAction(a);
    for (const QString& path : configs_) {
        QAction* a = configMenu_->addAction(QFileInfo(path).fileName());
        a->setCheckable(true);
        a->setChecked(path == current);
        configActions_->addAction(a);
        connect(a, &QAction::triggered, this, [this, path] { OpenConfig(path.toStdString()); });
    }
    configMenu_->setEnabled(!configs_.isEmpty());
}

void ViewerWindow::UpdateSetButtons() {
    for (int s = 0; s < kiss::kSetCount; ++s) {
        setButton_[s]->setEnabled(doll_ && doll_->SetDefined(s));
        setButton_[s]->setChecked(doll_ && doll_->currentSet() == s);
    }
}

void ViewerWindow::SelectSet(int set) {
    if (doll_) {
        doll_->SetNow(clock_.elapsed());
        if (doll_->SelectSet(set)) PaintBorder();
        AfterScript();
    }
    UpdateSetButtons();
}

void ViewerWindow::AfterScript() {
    if (!doll_) return;
    kiss::Effects e = doll_->TakeEffects();
    if (e.notice) statusBar()->showMessage(QString::fromStdString(platform::Cp932ToUtf8ForDisplay(*e.notice)));
    if (e.silence) sounds_.Stop();
    for (const auto& name : e.sounds) sounds_.Play(name, read_);
    if (e.setChanged) {
        UpdateSetButtons();
        PaintBorder();
    }
    playfield_->SetChanged();
    ScheduleAlarm();
    if (e.quit) QTimer::singleShot(0, this, &QWidget::close);
}

void ViewerWindow::ScheduleAlarm() {
    const std::optional<int64_t> due = doll_ ? doll_->NextAlarm() : std::nullopt;
    if (!due) {
        alarmTimer_->stop();
        return;
    }
    const qint64 now = clock_.elapsed();
    const qint64 wait = std::max<qint64>({*due - now, lastStep_ + kStepMs - now, 0});
    alarmTimer_->start(static_cast<int>(std::min<qint64>(wait, 24LL * 3600 * 1000)));
}

void ViewerWindow::RunAlarms() {
    if (!doll_) return;
    lastStep_ = clock_.elapsed();
    doll_->RunAlarms(lastStep_);
    AfterScript();
}

bool ViewerWindow::AlarmPending() const { return alarmTimer_->isActive(); }

void ViewerWindow::closeEvent(QCloseEvent* e) {
    alarmTimer_->stop();
    if (doll_) {
        doll_->Finish();
        doll_->TakeEffects();  // what end() asks for can no longer be shown
    }
    QMainWindow::closeEvent(e);
}

// Around a playfield smaller than the window lies the border colour.
void ViewerWindow::PaintBorder() {
    if (!doll_) return;
    QPalette pal = scroll_->viewport()->palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(doll_->Border()));
    scroll_->viewport()->setPalette(pal);
}

// The window takes the playfield's size, as far as the screen allows.
void ViewerWindow::FitToField() {
    if (!doll_) return;
    const QSize field(doll_->config().width, doll_->config().height);
    const int above = menuBar()->sizeHint().height() + buttonRow_->sizeHint().height() + statusBar()->sizeHint().height();
    QSize want(std::max(field.width(), buttonRow_->sizeHint().width()), above + field.height());
    if (const QScreen* s = screen()) want = want.boundedTo(s->availableGeometry().size());
    resize(want);
}

void ViewerWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9 && e->modifiers() == Qt::NoModifier) {
        SelectSet(e->key() - Qt::Key_0);
        return;
    }
    QMainWindow::keyPressEvent(e);
}

void ViewerWindow::About() {
    Say(Messages::Kind::Information,
        QStringLiteral("tansu-kiss: KiSS 人形の表示プログラム\n\n"
                       "書庫 (LZH, ZIP) を今のフォルダーの中に新しく作るフォルダーに展開し (閉じると消します。"
                       "ファイル メニューで残せます)、設定ファイル (.cnf) の人形を表示します。"
                       "数字キー 0～9 またはボタンでセットを切り替え、服はマウスで動かせます。\n\n"
                       "FKiSS 1.0・2.0・2.1・3.0 の命令 (クリックや時間で変わる部品、移動、変数、音 .wav) を実行します。"
                       "ほかの版の命令は読み飛ばします。\n"
                       "shell() など、プログラムを起動したりファイルを書いたりする命令は実行しません。\n\n"
                       "MIT ライセンスで配布しています。"));
}

}  // namespace kissviewer
