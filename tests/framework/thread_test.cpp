#include "framework/thread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <vector>

#include "framework/exceptions.h"

using namespace std::chrono_literals;

namespace {

// A thread whose Execute is a function given by the test.
class FunctionThread : public TThread {
public:
    explicit FunctionThread(std::function<void(FunctionThread&)> body) : body_(std::move(body)) {}
    ~FunctionThread() override {
        Terminate();
        WaitFor();
    }
    using TThread::CheckTerminated;
    using TThread::SetReturnValue;
    using TThread::SleepUnlessTerminated;

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(FunctionThread&)> body_;
};

// Waits on the main thread, running queued steps, until `done` or 5 s.
bool PumpUntil(const std::function<bool()>& done) {
    auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        CheckSynchronize();
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

struct WakeUpCounter {
    std::atomic<int> calls{0};
    WakeUpCounter() {
        SetSynchronizeWakeUp([this] { ++calls; });
    }
    ~WakeUpCounter() { SetSynchronizeWakeUp({}); }
};

}  // namespace

TEST(TThread, SynchronizeRunsStepsOnTheMainThreadInOrder) {
    WakeUpCounter wake;
    std::vector<int> order;  // touched only on the main thread
    bool allOnMain = true;
    FunctionThread worker([&](FunctionThread& self) {
        for (int i = 0; i < 20; ++i)
            EXPECT_TRUE(TThread::Synchronize([&, i] {
                order.push_back(i);
                allOnMain &= IsMainThread();
            }));
        self.SetReturnValue(7);
    });
    EXPECT_FALSE(IsMainThread() && TThread::CurrentThread() != nullptr);
    worker.Start();
    ASSERT_TRUE(PumpUntil([&] { return worker.Finished(); }));
    EXPECT_EQ(worker.WaitFor(), 7);
    ASSERT_EQ(order.size(), 20u);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(order[i], i);
    EXPECT_TRUE(allOnMain);
    EXPECT_GE(wake.calls.load(), 20);

    // From the main thread a step runs directly.
    bool ran = false;
    EXPECT_TRUE(TThread::Synchronize([&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(CheckSynchronize());
}

TEST(TThread, WaitForOnTheMainThreadServesAWaitingWorker) {
    int steps = 0;
    FunctionThread worker([&](FunctionThread&) {
        for (int i = 0; i < 5; ++i) TThread::Synchronize([&] { ++steps; });
    });
    worker.Start();
    worker.WaitFor();  // would deadlock if it did not run the steps
    EXPECT_EQ(steps, 5);
}

TEST(TThread, AStepsExceptionGoesBackToTheWorker) {
    std::string caught;
    FunctionThread worker([&](FunctionThread&) {
        try {
            TThread::Synchronize([] { throw EConvertError("bad"); });
        } catch (const EConvertError& e) {
            caught = e.Message();
        }
        throw std::runtime_error("escaped");
    });
    worker.Start();
    worker.WaitFor();
    EXPECT_EQ(caught, "bad");
    ASSERT_TRUE(worker.FatalException());
    EXPECT_THROW(std::rethrow_exception(worker.FatalException()), std::runtime_error);
}

TEST(TThread, SuspendStopsTheWorkerAtASafePointUntilResume) {
    std::atomic<int> rounds{0};
    FunctionThread worker([&](FunctionThread& self) {
        while (!self.CheckTerminated()) {
            ++rounds;
            std::this_thread::sleep_for(1ms);
        }
    });
    worker.Start();
    ASSERT_TRUE(PumpUntil([&] { return rounds > 3; }));
    worker.Suspend();
    EXPECT_TRUE(worker.Suspended());
    // The round under way may end; the next safe point holds the worker.
    const int atSuspend = rounds;
    std::this_thread::sleep_for(100ms);
    const int stopped = rounds;
    EXPECT_LE(stopped, atSuspend + 1);
    worker.Resume();
    EXPECT_FALSE(worker.Suspended());
    ASSERT_TRUE(PumpUntil([&] { return rounds > stopped + 3; }));
    worker.Terminate();
    worker.WaitFor();
    EXPECT_TRUE(worker.Finished());
}

TEST(TThread, TerminateEndsASuspendedWorker) {
    std::atomic<bool> started{false};
    FunctionThread worker([&](FunctionThread& self) {
        started = true;
        while (!self.CheckTerminated()) std::this_thread::sleep_for(1ms);
        self.SetReturnValue(3);
    });
    worker.Start();
    ASSERT_TRUE(PumpUntil([&] { return started.load(); }));
    worker.Suspend();
    std::this_thread::sleep_for(10ms);
    worker.Terminate();
    EXPECT_EQ(worker.WaitFor(), 3);
    EXPECT_TRUE(worker.Terminated());
}

TEST(TThread, CancelSynchronizeReleasesWaitingWorkers) {
    WakeUpCounter wake;
    struct Reopen {
        ~Reopen() { AllowSynchronize(); }
    } reopen;
    std::atomic<int> result{-1};
    bool stepRan = false;
    FunctionThread worker([&](FunctionThread&) { result = TThread::Synchronize([&] { stepRan = true; }); });
    worker.Start();
    // The main thread does not serve the queue; the worker waits.
    auto deadline = std::chrono::steady_clock::now() + 5s;
    while (wake.calls == 0 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
    ASSERT_EQ(wake.calls.load(), 1);
    EXPECT_EQ(result.load(), -1);
    CancelSynchronize();
    worker.WaitFor();
    EXPECT_EQ(result.load(), 0);
    EXPECT_FALSE(stepRan);
    // While cancelled, Synchronize refuses at once.
    FunctionThread late([&](FunctionThread&) { result = TThread::Synchronize([&] { stepRan = true; }); });
    late.Start();
    late.WaitFor();
    EXPECT_EQ(result.load(), 0);
    EXPECT_FALSE(stepRan);
}

TEST(TThread, StartOnceNoSelfWaitOnTerminateAndFreeOnTerminate) {
    std::string selfWait;
    FunctionThread worker([&](FunctionThread& self) {
        try {
            self.WaitFor();
        } catch (const EInvalidOperation& e) {
            selfWait = e.Message();
        }
    });
    bool terminatedOnMain = false;
    worker.OnTerminate = [&](TThread&) { terminatedOnMain = IsMainThread(); };
    EXPECT_EQ(worker.WaitFor(), 0);  // never started: returns at once
    worker.Start();
    EXPECT_THROW(worker.Start(), EInvalidOperation);
    worker.WaitFor();
    EXPECT_FALSE(selfWait.empty());
    EXPECT_TRUE(terminatedOnMain);

    std::atomic<bool> destroyed{false};
    struct SelfFreeing : TThread {
        std::atomic<bool>* destroyed;
        ~SelfFreeing() override { *destroyed = true; }
        void Execute() override { Synchronize([] {}); }
    };
    auto* t = new SelfFreeing;
    t->destroyed = &destroyed;
    t->SetFreeOnTerminate(true);
    t->Start();
    EXPECT_TRUE(PumpUntil([&] { return destroyed.load(); }));
}

TEST(TThread, SleepUnlessTerminatedWaitsItsTimeButEndsAtTerminate) {
    std::atomic<bool> firstResult{true};
    std::atomic<long long> firstMs{0};
    std::atomic<bool> inSecond{false};
    FunctionThread worker([&](FunctionThread& self) {
        auto start = std::chrono::steady_clock::now();
        firstResult = self.SleepUnlessTerminated(60);
        firstMs = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        inSecond = true;
        // A long pause that Terminate cuts short.
        self.SetReturnValue(self.SleepUnlessTerminated(60000) ? 1 : 2);
    });
    worker.Start();
    ASSERT_TRUE(PumpUntil([&] { return inSecond.load(); }));
    EXPECT_FALSE(firstResult);
    EXPECT_GE(firstMs, 55);
    auto start = std::chrono::steady_clock::now();
    worker.Terminate();
    EXPECT_EQ(worker.WaitFor(), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}
