#include "framework/thread.h"

#include <chrono>
#include <deque>

#include "framework/exceptions.h"
#include "framework/framework_messages.h"

namespace {

struct SyncEntry {
    const TThreadMethod* step = nullptr;
    bool done = false;
    bool cancelled = false;
    std::exception_ptr error;
};

// The main-thread queue.  One mutex and one condition serve the queue and
// the end of every thread: the main thread waits in WaitFor for either a
// queued step or the end of the thread it waits for.
struct SyncQueue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<SyncEntry*> pending;
    bool closed = false;
    std::function<void()> wakeUp;
    std::atomic<std::thread::id> mainThread{std::this_thread::get_id()};
};

// Never destroyed: detached workers may still use it while the program
// exits.
SyncQueue& Queue() {
    static SyncQueue* queue = new SyncQueue;
    return *queue;
}

// Created during static initialisation, which runs on the main thread.
[[maybe_unused]] SyncQueue& initialQueue = Queue();

thread_local TThread* currentThread = nullptr;

}  // namespace

bool IsMainThread() { return Queue().mainThread.load() == std::this_thread::get_id(); }

void SetMainThread() { Queue().mainThread.store(std::this_thread::get_id()); }

void SetSynchronizeWakeUp(std::function<void()> hook) {
    SyncQueue& q = Queue();
    std::lock_guard lock(q.mutex);
    q.wakeUp = std::move(hook);
}

void CancelSynchronize() {
    SyncQueue& q = Queue();
    {
        std::lock_guard lock(q.mutex);
        q.closed = true;
        for (SyncEntry* e : q.pending) e->cancelled = true;
        q.pending.clear();
    }
    q.changed.notify_all();
}

void AllowSynchronize() {
    SyncQueue& q = Queue();
    std::lock_guard lock(q.mutex);
    q.closed = false;
}

bool CheckSynchronize() {
    if (!IsMainThread()) return false;
    SyncQueue& q = Queue();
    std::deque<SyncEntry*> batch;
    {
        std::lock_guard lock(q.mutex);
        batch.swap(q.pending);
    }
    for (SyncEntry* e : batch) {
        std::exception_ptr error;
        try {
            (*e->step)();
        } catch (...) {
            error = std::current_exception();
        }
        {
            // After this the waiting worker may return and free the entry.
            std::lock_guard lock(q.mutex);
            // Moved, not copied: the worker holds the only reference, so the
            // exception is freed on its side, after it has read it.
            e->error = std::move(error);
            e->done = true;
        }
        q.changed.notify_all();
    }
    return !batch.empty();
}

bool TThread::Synchronize(const TThreadMethod& step) {
    if (IsMainThread()) {
        step();
        return true;
    }
    if (TThread* self = currentThread) self->WaitWhileSuspended();
    SyncQueue& q = Queue();
    SyncEntry entry;
    entry.step = &step;
    std::function<void()> wakeUp;
    {
        std::lock_guard lock(q.mutex);
        if (q.closed) return false;
        q.pending.push_back(&entry);
        wakeUp = q.wakeUp;
    }
    q.changed.notify_all();
    if (wakeUp) wakeUp();
    {
        std::unique_lock lock(q.mutex);
        q.changed.wait(lock, [&] { return entry.done || entry.cancelled; });
    }
    if (entry.error) std::rethrow_exception(entry.error);
    return entry.done;
}

TThread* TThread::CurrentThread() { return currentThread; }

TThread::~TThread() {
    if (!thread_.joinable()) return;
    Terminate();
    WaitFor();
}

void TThread::Start() {
    std::lock_guard lock(mutex_);
    if (started_) throw EInvalidOperation(kMsgThreadStarted);
    started_ = true;
    // The new thread takes the mutex first, so thread_ is set before it runs.
    thread_ = std::thread([this] { Run(); });
}

void TThread::Run() {
    {
        std::lock_guard lock(mutex_);
    }
    currentThread = this;
    try {
        Execute();
    } catch (...) {
        fatal_ = std::current_exception();
    }
    if (OnTerminate) {
        try {
            Synchronize([this] { OnTerminate(*this); });
        } catch (...) {
            // The handler's failure has nobody to go to; the thread ends anyway.
        }
    }
    currentThread = nullptr;
    const bool selfDelete = freeOnTerminate_;
    SyncQueue& q = Queue();
    {
        std::lock_guard lock(q.mutex);
        finished_ = true;
    }
    q.changed.notify_all();
    if (selfDelete) {
        thread_.detach();
        delete this;
    }
}

void TThread::Terminate() {
    terminated_ = true;
    std::lock_guard lock(mutex_);
    resumed_.notify_all();
}

void TThread::Suspend() {
    std::lock_guard lock(mutex_);
    suspended_ = true;
}

void TThread::Resume() {
    std::lock_guard lock(mutex_);
    suspended_ = false;
    resumed_.notify_all();
}

bool TThread::Suspended() const {
    std::lock_guard lock(mutex_);
    return suspended_;
}

void TThread::WaitWhileSuspended() {
    std::unique_lock lock(mutex_);
    resumed_.wait(lock, [this] { return !suspended_ || terminated_; });
}

bool TThread::CheckTerminated() {
    WaitWhileSuspended();
    return terminated_;
}

bool TThread::SleepUnlessTerminated(int milliseconds) {
    std::unique_lock lock(mutex_);
    resumed_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return terminated_.load(); });
    return terminated_;
}

int TThread::WaitFor() {
    if (currentThread == this) throw EInvalidOperation(kMsgThreadSelfWait);
    if (!started_) return returnValue_;
    SyncQueue& q = Queue();
    const bool main = IsMainThread();
    for (;;) {
        std::unique_lock lock(q.mutex);
        q.changed.wait(lock, [&] { return finished_ || (main && !q.pending.empty()); });
        if (finished_) break;
        lock.unlock();
        CheckSynchronize();
    }
    std::lock_guard lock(mutex_);
    if (thread_.joinable()) thread_.join();
    return returnValue_;
}
