// Worker threads and the main-thread queue.
//
// TThread runs its Execute on a thread of its own.  Everything that
// touches windows or components belongs on the main thread: a worker has
// such a step run there with Synchronize, which queues the step and waits
// until the main thread has run it.  The main thread runs queued steps in
// CheckSynchronize, which the window layer's message loop calls; the
// window layer registers a wake-up hook (SetSynchronizeWakeUp) that is
// called, on the worker's thread, whenever a step is queued, so that it
// can post an event to its loop.
//
// Shutdown: CancelSynchronize releases every worker waiting in Synchronize
// (their calls return false without running the step) and makes later
// calls return false at once, so no worker can hang on a main thread that
// no longer runs its loop.
#pragma once

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

using TThreadMethod = std::function<void()>;

class TThread {
public:
    TThread() = default;
    // Terminates a thread still running and waits for it.  A derived class
    // whose Execute uses members of its own must end the thread in its own
    // destructor (Terminate, WaitFor): by the time this one runs, those
    // members are gone.
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Starts Execute on a new thread; EInvalidOperation when already started.
    void Start();
    // Asks Execute to end (it reads Terminated / CheckTerminated); also
    // wakes a suspended worker so that it can end.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Suspend does not wait: the worker stops at its next safe point
    // (CheckTerminated, Synchronize) and stays there until Resume or
    // Terminate.
    void Suspend();
    void Resume();
    bool Suspended() const;
    bool Started() const { return started_; }
    bool Finished() const { return finished_; }

    // Waits until Execute (and OnTerminate) have ended and returns the
    // return value.  On the main thread it runs queued Synchronize steps
    // meanwhile, so a worker waiting in Synchronize cannot deadlock it.
    // Returns at once for a thread never started; EInvalidOperation when a
    // thread waits for itself.
    int WaitFor();

    // With FreeOnTerminate set before Start, the object deletes itself once
    // Execute and OnTerminate are done; nobody may touch it after Start.
    void SetFreeOnTerminate(bool value) { freeOnTerminate_ = value; }
    bool FreeOnTerminate() const { return freeOnTerminate_; }

    // An exception that escaped Execute (the thread then ended normally).
    std::exception_ptr FatalException() const { return fatal_; }

    // Run on the main thread (through Synchronize) after Execute ends.
    std::function<void(TThread&)> OnTerminate;

    // Runs `step` on the main thread and waits for it; on the main thread
    // itself it runs the step directly.  An exception thrown by the step is
    // rethrown here, in the calling thread.  Returns false, without running
    // the step, when the queue was cancelled (CancelSynchronize).  A
    // suspended worker first waits at this safe point.
    static bool Synchronize(const TThreadMethod& step);
    // The TThread whose Execute runs on the calling thread, or null.
    static TThread* CurrentThread();

protected:
    virtual void Execute() = 0;
    // The worker's safe point: waits while suspended (and not terminated),
    // then returns Terminated().
    bool CheckTerminated();
    // Waits up to `milliseconds` or until Terminate, whichever comes
    // first; returns Terminated().  A worker's pause that never delays
    // its end.
    bool SleepUnlessTerminated(int milliseconds);
    void SetReturnValue(int value) { returnValue_ = value; }
    int ReturnValue() const { return returnValue_; }

private:
    void Run();
    void WaitWhileSuspended();

    mutable std::mutex mutex_;
    std::condition_variable resumed_;
    std::thread thread_;
    bool suspended_ = false;
    std::atomic<bool> started_{false};
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    bool freeOnTerminate_ = false;
    std::exception_ptr fatal_;
    int returnValue_ = 0;
};

// Runs, on the main thread, the steps queued so far; true when any ran.
// Does nothing on another thread.
bool CheckSynchronize();

// The hook called whenever a step is queued (from the queuing thread); an
// empty function removes it.
void SetSynchronizeWakeUp(std::function<void()> hook);

// Releases every waiting Synchronize (returning false, steps not run) and
// refuses later ones until AllowSynchronize.
void CancelSynchronize();
void AllowSynchronize();

// The main thread is the one that initialised the program; SetMainThread
// makes the calling thread the main thread instead.
bool IsMainThread();
void SetMainThread();
