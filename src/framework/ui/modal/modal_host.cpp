#include "framework/ui/modal/modal_host.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "framework/cp932_chars.h"
#include "framework/ui/modal/message_box.h"
#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/modal/modal_script.h"
#include "framework/ui/modal/qt_open_dialog.h"
#include "framework/ui/graphics/qt_text.h"
#include "platform/cp932.h"
#include "platform/current_folder.h"
#include "platform/os_path.h"

namespace ui {

struct ModalHost::Session {
    QWidget* window = nullptr;
    QEventLoop loop;
    int result = 0;
    bool ended = false;

    void End(int r) {
        if (ended) return;
        ended = true;
        result = r;
        loop.quit();
    }
};

namespace {

constexpr int kModalCancel = 2;

// Ends a modal session when its window is hidden by anything but EndModal.
class HideWatcher : public QObject {
public:
    explicit HideWatcher(std::function<void()> onHide) : onHide_(std::move(onHide)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Hide) onHide_();
        return false;
    }

private:
    std::function<void()> onHide_;
};

// A readable form of a name that has no cp932 form, for the message only.
std::string Cp932ForDisplay(const QString& text) {
    std::string out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QString piece = text.mid(i, n);
        auto c = FromQt(piece);
        // A character that would come back as another (the yen sign as
        // "\") or a "\" inside a name is one the system cannot handle.
        bool faithful = c && ToQt(*c) == piece && *c != "\\";
        out += faithful ? *c : std::string("?");
        i += n - 1;
    }
    return out;
}

// The folder part of a system path: up to its last single-byte "\", which
// stays where it marks a root ("\", "Z:\").
std::string FolderOf(const std::string& path) {
    size_t cut = std::string::npos;
    for (size_t i = 0; i < path.size(); i += Cp932CharLength(path, i))
        if (path[i] == '\\') cut = i;
    if (cut == std::string::npos) return {};
    bool root = cut == 0 || path[cut - 1] == ':';
    return path.substr(0, root ? cut + 1 : cut);
}

[[noreturn]] void FailUnattended(const std::string& what) {
    std::fprintf(stderr, "ModalHost: %s with no one to answer it (offscreen, no script): %s\n",
                 "modal call", platform::Cp932ToUtf8ForDisplay(what).c_str());
    std::abort();
}

}  // namespace

ModalHost& ModalHost::Instance() {
    static ModalHost host;
    return host;
}

bool ModalHost::Unattended() const {
    return QGuiApplication::platformName() == QStringLiteral("offscreen");
}

int ModalHost::MessageBox(std::string_view text, std::string_view caption, unsigned flags) {
    if (!script_) {
        if (Unattended()) FailUnattended("message box \"" + std::string(text) + "\"");
        return RunQtMessageBox(text, caption, flags);
    }
    ModalRecord r;
    r.kind = ModalRecord::Kind::Message;
    r.text = text;
    r.caption = caption;
    r.flags = flags;
    ModalScript* script = script_;
    auto a = script->Take(r.kind, "\"" + r.text + "\" (" + r.caption + ")");
    std::vector<int> buttons = MessageBoxButtons(flags);
    r.scripted = false;
    r.answer = MessageBoxFallbackAnswer(flags);
    if (a) {
        if (std::find(buttons.begin(), buttons.end(), a->button) != buttons.end()) {
            r.scripted = true;
            r.answer = a->button;
        } else {
            script->Fail("answer " + std::to_string(a->button) + " is no button of the message box \"" + r.text + "\"");
        }
    }
    script->records_.push_back(r);
    return r.answer;
}

void ModalHost::ShowError(std::string_view message) { MessageBox(message, title_, MB_OK | MB_ICONSTOP); }

void ModalHost::Beep() {
    if (script_) {
        ++script_->beeps_;
        return;
    }
    QApplication::beep();
}

std::optional<std::vector<std::string>> ModalHost::OpenFiles(const OpenDialogRequest& request) {
    for (;;) {
        std::vector<std::string> files;
        bool osPaths = true;
        if (script_) {
            ModalRecord r;
            r.kind = ModalRecord::Kind::OpenFile;
            r.dialog = request;
            r.caption = request.title;
            ModalScript* script = script_;
            auto a = script->Take(r.kind, "\"" + request.title + "\"");
            r.scripted = a.has_value();
            script->records_.push_back(r);
            if (!a || !a->chosen || a->files.empty()) return std::nullopt;
            files = a->files;
            osPaths = a->osPaths;
        } else {
            if (Unattended()) FailUnattended("open-file dialog \"" + request.title + "\"");
            auto chosen = RunQtOpenDialog(request);
            if (!chosen || chosen->isEmpty()) return std::nullopt;
            for (const QString& f : *chosen) files.push_back(f.toStdString());
        }

        std::vector<std::string> paths;
        std::string refused;
        for (const std::string& f : files) {
            if (!osPaths) {
                paths.push_back(f);
                continue;
            }
            auto p = platform::FromOsPath(f);
            if (!p) {
                refused = Cp932ForDisplay(QString::fromStdString(f));
                for (char& c : refused)
                    if (c == '/') c = '\\';  // shown as the system writes paths
                if (!refused.empty() && refused[0] == '\\') refused.insert(0, {platform::kRootDrive, ':'});
                break;
            }
            paths.push_back(*p);
        }
        if (!refused.empty()) {
            MessageBox("選択されたファイルの名前には、このシステムで扱えない文字が含まれています。\n" + refused +
                           "\n(扱えない文字は ? で示しています)\n別のファイルを選んでください。",
                       "エラー", MB_OK | MB_ICONSTOP);
            continue;
        }
        if (!request.options.noChangeDir) {
            std::string folder = FolderOf(paths.front());
            if (auto os = folder.empty() ? std::nullopt : platform::OsPath::FromSystem(folder))
                platform::SetCurrentFolder(*os);
        }
        return paths;
    }
}

int ModalHost::ShowModal(QWidget& window) {
    std::function<void(QWidget&)> action;
    ModalScript* script = script_;
    size_t recordIndex = 0;
    if (script) {
        ModalRecord r;
        r.kind = ModalRecord::Kind::Form;
        r.caption = Cp932ForDisplay(window.windowTitle());
        r.formName = Cp932ForDisplay(window.objectName());
        auto a = script->Take(r.kind, "\"" + r.caption + "\" (" + r.formName + ")");
        r.scripted = a.has_value();
        r.answer = kModalCancel;
        script->records_.push_back(r);
        if (!a) return kModalCancel;
        if (!a->action) {
            script->Fail("an empty scripted action for the modal window \"" + r.caption + "\"");
            return kModalCancel;
        }
        action = std::move(a->action);
        recordIndex = script->records_.size() - 1;
    } else if (Unattended()) {
        FailUnattended("modal window \"" + Cp932ForDisplay(window.windowTitle()) + "\"");
    }

    Session session;
    session.window = &window;
    sessions_.push_back(&session);
    HideWatcher watcher([&session] { session.End(kModalCancel); });

    if (window.isVisible()) window.hide();  // modality takes effect on showing
    Qt::WindowModality oldModality = window.windowModality();
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    window.installEventFilter(&watcher);
    window.raise();
    window.activateWindow();

    QTimer runAction;  // lives on this frame, so it never fires after return
    bool actionRan = false;
    if (action) {
        runAction.setSingleShot(true);
        QObject::connect(&runAction, &QTimer::timeout, [&] {
            actionRan = true;
            action(window);
            // What the action asked for once its event is done (a form's
            // modal result) happens before the window counts as left open.
            if (!session.ended) QCoreApplication::sendPostedEvents();
            if (!session.ended) {
                script->Fail("the scripted action left the modal window \"" + Cp932ForDisplay(window.windowTitle()) +
                             "\" open; it was cancelled");
                session.End(kModalCancel);
            }
        });
        runAction.start(0);
    }
    if (!session.ended) session.loop.exec(QEventLoop::DialogExec);

    window.removeEventFilter(&watcher);
    window.hide();
    window.setWindowModality(oldModality);
    sessions_.erase(std::find(sessions_.begin(), sessions_.end(), &session));
    if (script && script_ == script) {
        if (action && !actionRan) script->Fail("the modal window ended before its scripted action ran");
        script->records_[recordIndex].answer = session.result;
    }
    return session.result;
}

bool ModalHost::EndModal(QWidget& window, int result) {
    for (auto it = sessions_.rbegin(); it != sessions_.rend(); ++it) {
        if ((*it)->window == &window) {
            (*it)->End(result);
            return true;
        }
    }
    return false;
}

bool ModalHost::IsModal(const QWidget& window) const {
    return std::any_of(sessions_.begin(), sessions_.end(), [&](const Session* s) { return s->window == &window; });
}

}  // namespace ui
