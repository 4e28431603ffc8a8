// The viewer's window: a menu, ten set buttons and the playfield.
#pragma once

#include "app/folder_files.h"
#include "app/messages.h"
#include "app/playfield.h"
#include "app/unpack_folder.h"
#include "app/sound.h"
#include "kiss/doll.h"
#include "set/archive_files.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <future>
#include <memory>
#include <optional>

class QActionGroup;
class QButtonGroup;
class QHBoxLayout;
class QMenu;
class QPushButton;
class QScrollArea;
class QTimer;

namespace kissviewer {

class ViewerWindow : public QMainWindow {
    Q_OBJECT
public:
    // `messages` receives every message (not owned); nullptr shows boxes.
    explicit ViewerWindow(Messages* messages = nullptr);
    ~ViewerWindow() override;

    // Opens what the command line names: an archive is read whole, its
    // first configuration shown, and its files written meanwhile into a new
    // folder inside the current one (removed when the window goes, unless
    // kept from the menu); a .cnf file is shown from its own folder.  False
    // (after a message) when nothing can be shown.  `read` is the archive
    // already read (main reads it while the window system comes up).
    bool Open(const std::string& osPath, std::optional<kissarchive::ReadResult> read = std::nullopt);

    // Writes the archive's files now and waits until they are written (and
    // says what could not be); also done by itself shortly after opening.
    void FinishUnpacking() { Unpacked(true); }

    // Shows the configuration file `cnf` (an OS path).
    bool OpenConfig(const std::string& cnf);

    void SelectSet(int set);

    kiss::Doll* doll() { return doll_.get(); }
    Playfield* playfield() { return playfield_; }
    const QStringList& configs() const { return configs_; }
    const UnpackFolder* unpackFolder() const { return unpackDir_.get(); }

    // The alarm timer runs only while an alarm is set (for tests).
    bool AlarmPending() const;

protected:
    void keyPressEvent(QKeyEvent*) override;
    void closeEvent(QCloseEvent*) override;

private:
    Messages* messages_;
    BoxMessages boxes_;
    std::unique_ptr<kiss::Doll> doll_;
    Playfield* playfield_;
    QScrollArea* scroll_;
    QHBoxLayout* buttonRow_;
    QButtonGroup* setButtons_;
    std::array<QPushButton*, kiss::kSetCount> setButton_{};
    QMenu* configMenu_;
    QActionGroup* configActions_;
    QStringList configs_;  // OS paths of the configurations found
    QString title_;
    std::shared_ptr<const std::vector<kissarchive::Entry>> entries_;  // the archive, in memory
    std::unique_ptr<ArchiveFiles> archiveFiles_;
    std::unique_ptr<UnpackFolder> unpackDir_;
    std::unique_ptr<kissarchive::Folder> unpackFolder_;
    QAction* keepFolder_;
    std::future<kissarchive::ExtractResult> unpacking_;
    std::promise<void> writeNow_;  // lets the worker start writing
    bool writeReleased_ = true;
    static constexpr int kWriteDelayMs = 300;
    std::optional<FolderFiles> folderFiles_;  // a plain .cnf's folder
    kiss::FileReader read_;                   // the shown set's files (its sounds)
    QTimer* alarmTimer_;
    QElapsedTimer clock_;
    qint64 lastStep_ = -1000;
    SoundPlayer sounds_;

    void Say(Messages::Kind kind, const QString& text);
    void StartUnpacking(const std::string& archive);
    void ReleaseWriting();
    void Unpacked(bool report);
    void FillConfigMenu(const QString& current);
    void UpdateSetButtons();
    void FitToField();
    void PaintBorder();
    void About();
    // After the doll's script ran: what it asked for, and the next alarm.
    void AfterScript();
    void ScheduleAlarm();
    void RunAlarms();
};

}  // namespace kissviewer
