// Arrays whose elements are not there when their form is read: the worker
// has the main thread retry them until the elements' form has been read.
// These tests also run under ThreadSanitizer.
#include "array_forms.h"

#include "framework/thread.h"
#include "framework/ui/forms/application.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

using namespace std::chrono_literals;

namespace {

// A form holding a label array whose one element is Label1 of the form
// `target`, which may be read later or never.
std::string HolderText(const std::string& name, const std::string& target) {
    return "object " + name +
           ": TLinkForm\n"
           "  ClientHeight = 100\n"
           "  ClientWidth = 200\n"
           "  object ArLabel1: TProbeArLabel\n"
           "    Collection = <\n"
           "      item\n"
           "        Cntrl = " +
           target +
           ".Label1\n"
           "      end>\n"
           "    NumOfArry = 1\n"
           "    OnClick = ArLabel1Click\n"
           "  end\n"
           "end\n";
}

std::string TargetText(const std::string& name) {
    return "object " + name +
           ": TForm\n"
           "  ClientHeight = 100\n"
           "  ClientWidth = 200\n"
           "  object Label1: TLabel\n"
           "    Left = 8\n"
           "    Top = 8\n"
           "    Caption = 'late'\n"
           "  end\n"
           "end\n";
}

TOwned<TForm> ReadTarget(const std::string& name) {
    TOwned<TForm> form(new TForm(nullptr));
    form->ReadForm(TargetText(name));
    return form;
}

TProbeArLabel* ArrayOf(TForm* holder) { return static_cast<TProbeArLabel*>(holder->FindComponent("ArLabel1")); }

bool IsPending(TArCntrl* array) {
    for (TArCntrl* a : PendingArrays())
        if (a == array) return true;
    return false;
}

// Runs the message loop and the main-thread queue (where the worker's
// steps run) for a while.
void Pump(int milliseconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        QTest::qWait(1);
        CheckSynchronize();
    } while (std::chrono::steady_clock::now() < until);
}

// Pumps until `done` or 5 s.
bool PumpUntil(const std::function<bool()>& done) {
    auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Pump(1);
    }
    return true;
}

class ArrayRouting : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
#if !defined(__SANITIZE_THREAD__)
        // The program's way: a queued step wakes the message loop.  Under
        // ThreadSanitizer the worker's side of that wake-up is the toolkit's
        // own (uninstrumented) event queue, which the sanitizer cannot
        // follow; there the tests run the queue themselves.
        Application->Initialize();
#endif
        RegisterArrayTestClasses();
    }
    void TearDown() override { ShutdownArrayRouting(); }

    static void Click(TControl* label) {
        TForm* form = GetParentForm(label);
        form->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Widget()));
        QTest::mouseClick(label->Widget(), Qt::LeftButton);
    }
};

}  // namespace

TEST_F(ArrayRouting, AnElementOnALaterFormIsRoutedByTheWorkerOnTheMainThread) {
    TOwned<TLinkForm> holder(new TLinkForm(HolderText("Holder1", "Late1")));
    TProbeArLabel* array = ArrayOf(holder.get());
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(array->attempts, 1);  // the one at the end of loading
    EXPECT_TRUE(IsPending(array));
    ASSERT_NE(EventSetThread(), nullptr);
    EXPECT_EQ(array->ArryCntrl(0), nullptr);

    // While the main thread does not run its loop, the worker cannot try:
    // each attempt is a step of the main thread.
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(array->attempts, 1);

    TOwned<TForm> late = ReadTarget("Late1");
    auto* label = static_cast<TLabel*>(late->FindComponent("Label1"));
    ASSERT_EQ(array->ArryCntrl(0), label);  // the reference is set ...
    EXPECT_FALSE(label->OnClick.Assigned());  // ... but not routed yet

    ASSERT_TRUE(PumpUntil([&] { return PendingArrays().empty(); }));
    EXPECT_GE(array->attempts, 2);
    EXPECT_EQ(array->attemptsOffMainThread, 0);
    EXPECT_EQ(array->lastThread, std::this_thread::get_id());
    EXPECT_TRUE(array->Collection()->Items(0)->EventSeted());
    EXPECT_TRUE(EventSetThread()->Succeeded());

    Click(label);
    EXPECT_EQ(holder->log, std::vector<std::string>{"ArLabel1Click Label1 0"});
    // With nothing left, the worker ends by itself.
    EXPECT_TRUE(PumpUntil([] { return EventSetThread()->Finished(); }));

    // The array's form goes first: the element on the other form keeps no
    // handler of the array that is gone.
    holder.reset();
    EXPECT_FALSE(label->OnClick.Assigned());
    EXPECT_FALSE(label->OnMouseUp.Assigned());
    QTest::mouseClick(label->Widget(), Qt::LeftButton);
}

TEST_F(ArrayRouting, AnArrayDestroyedWhilePendingLeavesTheListAtOnce) {
    TOwned<TLinkForm> first(new TLinkForm(HolderText("Holder2", "Never2")));
    TOwned<TLinkForm> second(new TLinkForm(HolderText("Holder3", "Late3")));
    TProbeArLabel* kept = ArrayOf(second.get());
    ASSERT_EQ(PendingArrays().size(), 2u);
    ASSERT_TRUE(PumpUntil([&] { return kept->attempts >= 3; }));

    first.reset();
    ASSERT_EQ(PendingArrays().size(), 1u);
    EXPECT_EQ(PendingArrays()[0], kept);
    // The round goes on with what is left (a destroyed array tried again
    // would be a use of freed memory, which the sanitizer builds catch).
    const int before = kept->attempts;
    ASSERT_TRUE(PumpUntil([&] { return kept->attempts >= before + 3; }));
    EXPECT_LT(EventSetThread()->PendingIndex(), 1);

    TOwned<TForm> late = ReadTarget("Late3");
    ASSERT_TRUE(PumpUntil([&] { return PendingArrays().empty(); }));
    EXPECT_TRUE(late->FindComponent("Label1") == kept->ArryCntrl(0));
}

TEST_F(ArrayRouting, AnArrayFailingAfterTheWorkerEndedGetsANewWorker) {
    {
        TOwned<TLinkForm> holder(new TLinkForm(HolderText("Holder4", "Late4")));
        TOwned<TForm> late = ReadTarget("Late4");
        ASSERT_TRUE(PumpUntil([] { return PendingArrays().empty() && EventSetThread()->Finished(); }));
    }
    TEventSetThread* ended = EventSetThread();

    // Reading the form returns at once: the main thread does not wait for
    // the routing.
    auto start = std::chrono::steady_clock::now();
    TOwned<TLinkForm> holder(new TLinkForm(HolderText("Holder5", "Late5")));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    TProbeArLabel* array = ArrayOf(holder.get());
    EXPECT_TRUE(IsPending(array));
    ASSERT_NE(EventSetThread(), nullptr);
    EXPECT_NE(EventSetThread(), ended);
    EXPECT_FALSE(EventSetThread()->Finished());

    TOwned<TForm> late = ReadTarget("Late5");
    ASSERT_TRUE(PumpUntil([&] { return PendingArrays().empty(); }));
    Click(array->ArryCntrl(0));
    EXPECT_EQ(holder->log, std::vector<std::string>{"ArLabel1Click Label1 0"});
}

TEST_F(ArrayRouting, AWorkerThatFindsNothingRestsBetweenRounds) {
    TOwned<TLinkForm> holder(new TLinkForm(HolderText("Holder6", "Never6")));
    TProbeArLabel* array = ArrayOf(holder.get());
    ASSERT_TRUE(PumpUntil([&] { return array->attempts >= 2; }));
    const int before = array->attempts;
    auto start = std::chrono::steady_clock::now();
    Pump(300);
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    // One attempt per rest at most (and a few for the loop's own delays);
    // without the rest there would be thousands.
    EXPECT_LE(array->attempts - before, waited / TEventSetThread::kRestMilliseconds + 2);
    EXPECT_GE(array->attempts - before, 2);
    EXPECT_TRUE(IsPending(array));
}

TEST_F(ArrayRouting, ShutdownStopsAndJoinsTheWorkerThenReleasesTheList) {
    TOwned<TLinkForm> holder(new TLinkForm(HolderText("Holder7", "Never7")));
    TProbeArLabel* array = ArrayOf(holder.get());
    ASSERT_TRUE(PumpUntil([&] { return array->attempts >= 3; }));
    ASSERT_FALSE(EventSetThread()->Finished());

    ShutdownArrayRouting();
    EXPECT_EQ(EventSetThread(), nullptr);
    EXPECT_TRUE(PendingArrays().empty());
    const int atShutdown = array->attempts;
    Pump(100);
    EXPECT_EQ(array->attempts, atShutdown);  // nobody tries any more

    // Destroying the dropped array and calling again are harmless.
    holder.reset();
    ShutdownArrayRouting();
    // A later pending array gets a worker of its own.
    TOwned<TLinkForm> again(new TLinkForm(HolderText("Holder8", "Late8")));
    ASSERT_NE(EventSetThread(), nullptr);
    TOwned<TForm> late = ReadTarget("Late8");
    EXPECT_TRUE(PumpUntil([] { return PendingArrays().empty(); }));
}
