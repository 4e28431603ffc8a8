// The application object: forms created in order, the loop that runs until
// the main form closes, the exception box, message boxes, and the worker
// threads' main-thread steps.
#include "framework/thread.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/core/event_guard.h"
#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/sample_forms.h"
#include "framework/ui/ui_test_support.h"

#include <QListWidget>
#include <QTest>
#include <QTimer>

namespace {

using ui::testing::CheckedScript;

// Records the components it was told are going.
class TGoneWatcher : public TComponent {
    TANSU_CLASS(TGoneWatcher, TComponent)
public:
    explicit TGoneWatcher(TComponent* owner) : TComponent(owner) {}
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == TOperation::opRemove) gone.push_back(c);
    }
    std::vector<TComponent*> gone;
};
TANSU_IMPLEMENT_CLASS(TGoneWatcher)
void TGoneWatcher::DeclarePublished(TClassBuilder<TGoneWatcher>&) {}

class StepWorker : public TThread {
public:
    explicit StepWorker(std::function<void()> step) : step_(std::move(step)) {}
    ~StepWorker() override { WaitFor(); }

protected:
    void Execute() override { Synchronize(step_); }

private:
    std::function<void()> step_;
};

TEST(Application, RunsUntilTheMainFormClosesAndTheLoopSurvivesExceptions) {
    Application->Initialize();
    TSampleMain* main = nullptr;
    TSampleDialog* dialog = nullptr;
    Application->CreateForm(main);
    Application->CreateForm(dialog);
    ASSERT_EQ(Application->MainForm(), main);
    EXPECT_EQ(Application->Components(0), main);
    EXPECT_EQ(Application->Components(1), dialog);
    TOwned<TGoneWatcher> watcher(new TGoneWatcher(nullptr));
    watcher->FreeNotification(main);
    watcher->FreeNotification(dialog);

    CheckedScript script;
    script.AnswerMessage(IDOK);  // the exception box
    script.WhileModal([&](QWidget&) { QTest::keyClick(dialog->Edit1->Widget(), Qt::Key_Escape); });

    bool stepRan = false;
    int modal = -1;
    std::vector<std::string> afterException;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(main->Visible());
        // A handler's exception goes to the box; the loop goes on.
        main->ListBox1->OnClick.Bind([](TObject*) { throw EConvertError("'abc' は整数ではありません"); });
        auto* list = static_cast<QListWidget*>(main->ListBox1->Widget());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        afterException.push_back("went on");

        modal = dialog->ShowModal();

        // A worker's step runs on the main thread while the loop waits.
        StepWorker worker([&] { stepRan = IsMainThread(); });
        worker.Start();
        EXPECT_TRUE(ui::testing::WaitUntil([&] { return stepRan; }));

        // The close question may keep the main form; then File > Exit ends.
        main->allowClose = false;
        main->Close();
        EXPECT_FALSE(Application->Terminated());
        main->allowClose = true;
        static_cast<TMenuItem*>(main->FindComponent("FileExit"))->Action()->trigger();
    });
    EXPECT_EQ(Application->Run(), 0);

    EXPECT_EQ(afterException, std::vector<std::string>{"went on"});
    EXPECT_EQ(modal, mrCancel);
    EXPECT_TRUE(stepRan);
    ASSERT_EQ(script.Records().size(), 2u);
    EXPECT_EQ(script.Records()[0].text, "'abc' は整数ではありません.");
    EXPECT_EQ(script.Records()[0].caption, Application->Title());
    EXPECT_EQ(script.Records()[0].flags, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(script.Records()[1].formName, "SampleDialog");
    // The forms went with the program's end.
    EXPECT_EQ(watcher->gone.size(), 2u);
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(Application->ComponentCount(), 0);
}

// The name reaches the toolkit, which gives it to the desktop with each window.
TEST(Application, TheDesktopFileNameIsTheToolkits) {
    Application->Initialize();
    Application->SetDesktopFileName("org.example.Sample");
    EXPECT_EQ(QGuiApplication::desktopFileName().toStdString(), "org.example.Sample");
    EXPECT_EQ(Application->DesktopFileName(), "org.example.Sample");
    Application->SetDesktopFileName("");
    EXPECT_TRUE(QGuiApplication::desktopFileName().isEmpty());
}

TEST(Application, MessageBoxesAndTheExceptionBoxGoThroughTheModalHost) {
    Application->Initialize();
    CheckedScript script;
    script.AnswerMessage(IDNO).AnswerMessage(IDOK).AnswerMessage(IDOK);
    EXPECT_EQ(Application->MessageBox("保存しますか？", "保存確認", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);

    std::string title = Application->Title();
    Application->SetTitle("Tansu");
    Application->ShowException(EConvertError("範囲外です。"));  // ends with a full stop already
    ui::RunGuarded([] { throw std::runtime_error("plain"); });
    Application->SetTitle(title);

    ASSERT_EQ(script.Records().size(), 3u);
    EXPECT_EQ(script.Records()[0].text, "保存しますか？");
    EXPECT_EQ(script.Records()[0].caption, "保存確認");
    EXPECT_EQ(script.Records()[0].flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(script.Records()[1].text, "範囲外です。");
    EXPECT_EQ(script.Records()[1].caption, "Tansu");
    EXPECT_EQ(script.Records()[2].text, "plain.");
}

}  // namespace
