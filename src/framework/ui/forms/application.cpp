#include "framework/ui/forms/application.h"

#include "framework/exceptions.h"
#include "framework/thread.h"
#include "framework/ui/core/control.h"
#include "framework/ui/core/event_guard.h"
#include "framework/ui/forms/form.h"
#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/modal/modal_host.h"
#include "framework/ui/forms/standard_controls.h"
#include "framework/ui/graphics/qt_text.h"

#include <QApplication>
#include <QEventLoop>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

TApplication* Application = new TApplication(nullptr);  // lives for the whole run

TANSU_IMPLEMENT_CLASS(TApplication)
void TApplication::DeclarePublished(TClassBuilder<TApplication>&) {}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() {
    if (initialized_) {
        SetSynchronizeWakeUp(nullptr);
        ui::SetExceptionHandler(nullptr);
    }
}

void TApplication::Initialize() {
    static char name[] = "tansu";
    static char* argv[] = {name, nullptr};
    argc_ = 1;
    Initialize(argc_, argv);
}

namespace {

// The toolkit's own texts (the file dialog's columns and messages, the
// standard buttons) in Japanese, like every text of the program.  Once per
// toolkit application object, which owns the translator.
void LoadToolkitTranslation() {
    static QPointer<QTranslator> loaded;
    if (loaded) return;
    // The names the toolkit gives file types ("CSV ドキュメント") too.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator)) {
        loaded = translator;
    } else {
        delete translator;  // no translation here: the toolkit stays English
    }
}

}  // namespace

void TApplication::Initialize(int& argc, char** argv) {
    if (!QCoreApplication::instance()) ownApp_ = std::make_unique<QApplication>(argc, argv);
    LoadToolkitTranslation();
    // Only closing the main form ends the program.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    RegisterControlClasses();
    ui::SetExceptionHandler([this](const std::exception& e) { ShowException(e); });
    SetSynchronizeWakeUp([] {
        // Called on the worker's thread: the step runs in the main loop.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { ui::RunGuarded([] { CheckSynchronize(); }); }, Qt::QueuedConnection);
    });
    terminated_ = false;
    initialized_ = true;
}

const std::string& TApplication::Title() const { return ui::ModalHost::Instance().ApplicationTitle(); }

void TApplication::SetTitle(const std::string& title) { ui::ModalHost::Instance().SetApplicationTitle(title); }

std::string TApplication::DesktopFileName() const { return ui::FromQtName(QGuiApplication::desktopFileName()); }

void TApplication::SetDesktopFileName(const std::string& name) { QGuiApplication::setDesktopFileName(ui::ToQt(name)); }

void TApplication::NoteFormCreated(TForm* form) {
    if (!mainForm_) mainForm_ = form;
}

int TApplication::Run() {
    ui::RunGuarded([] { CheckSynchronize(); });
    if (mainForm_ && !terminated_) {
        ui::RunGuarded([this] { mainForm_->Show(); });
        if (!terminated_ && mainForm_) {
            QEventLoop loop;
            loop_ = &loop;
            loop.exec();
            loop_ = nullptr;
        }
    }
    // The program ends: its forms go while the toolkit is still there.
    DestroyComponents();
    terminated_ = true;
    if (ownApp_) {
        SetSynchronizeWakeUp(nullptr);
        ownApp_.reset();
    }
    return 0;
}

void TApplication::Terminate() {
    terminated_ = true;
    if (loop_) loop_->quit();
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents();
    ui::RunGuarded([] { CheckSynchronize(); });
}

int TApplication::MessageBox(std::string_view text, std::string_view caption, unsigned flags) {
    return ui::ModalHost::Instance().MessageBox(text, caption, flags);
}

void TApplication::ShowException(const std::exception& e) {
    const auto* framework = dynamic_cast<const Exception*>(&e);
    std::string message = framework ? framework->Message() : std::string(e.what());
    MessageBox(ui::ExceptionBoxText(message), Title(), MB_OK | MB_ICONSTOP);
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == mainForm_) mainForm_ = nullptr;
}
