// The arrays whose routing did not complete when their form was read, and
// the worker that has them retried.  The list is touched on the main thread
// only: the worker's whole decision (which array, whether to go on) is the
// step it has the main thread run, so the list needs no lock and the
// worker needs no pausing while the main thread appends.
#include "controls/ArrCtrl.h"

#include <algorithm>
#include <memory>

namespace {

struct ArrayRouting {
    std::vector<TArCntrl*> pending;
    std::unique_ptr<TEventSetThread> worker;
    // The worker's last step found nothing left: it is leaving its loop
    // and will not look at the list again.
    bool workerLeft = false;
};

// Never destroyed: an array destroyed late in the program's exit may still
// take itself off the list.
ArrayRouting& Routing() {
    static ArrayRouting* routing = new ArrayRouting;
    return *routing;
}

// Created at program start, before any form is read; at exit the worker
// is stopped and joined before the list is released.
struct RoutingLifetime {
    RoutingLifetime() { Routing(); }
    ~RoutingLifetime() { ShutdownArrayRouting(); }
};
RoutingLifetime routingLifetime;

}  // namespace

const std::vector<TArCntrl*>& PendingArrays() { return Routing().pending; }

TEventSetThread* EventSetThread() { return Routing().worker.get(); }

void AddPendingArray(TArCntrl* array) {
    ArrayRouting& r = Routing();
    if (!array || std::find(r.pending.begin(), r.pending.end(), array) != r.pending.end()) return;
    r.pending.push_back(array);
    if (r.worker && !r.workerLeft && !r.worker->Terminated() && !r.worker->Finished()) return;
    // No worker, or one that has left its loop: it cannot take the array,
    // so a new one does.  The old one is past its last step and only has
    // to return; waiting for that is not waiting for the routing.
    if (r.worker) {
        r.worker->Terminate();
        r.worker->WaitFor();
    }
    r.worker = std::make_unique<TEventSetThread>();
    r.workerLeft = false;
    r.worker->Start();
}

void RemovePendingArray(TArCntrl* array) {
    ArrayRouting& r = Routing();
    auto it = std::find(r.pending.begin(), r.pending.end(), array);
    if (it == r.pending.end()) return;
    const auto position = static_cast<int32_t>(it - r.pending.begin());
    r.pending.erase(it);
    // The round goes on with the array that was next.
    if (r.worker && position < r.worker->pendingIndex_) --r.worker->pendingIndex_;
}

void ShutdownArrayRouting() {
    ArrayRouting& r = Routing();
    if (r.worker) {
        r.worker->Terminate();
        r.worker->WaitFor();  // its steps, if any, see the termination and stop
        r.worker.reset();
    }
    r.workerLeft = false;
    std::vector<TArCntrl*>().swap(r.pending);
}

// --- TEventSetThread --------------------------------------------------------------

TEventSetThread::~TEventSetThread() {
    Terminate();
    WaitFor();
}

void TEventSetThread::Execute() {
    while (!CheckTerminated()) {
        Next next = Next::Stop;
        if (!Synchronize([this, &next] { next = TrySetEvents(); })) return;  // the main thread no longer runs steps
        if (next == Next::Stop) return;
        if (next == Next::Rest && SleepUnlessTerminated(kRestMilliseconds)) return;
    }
}

TEventSetThread::Next TEventSetThread::TrySetEvents() {
    ArrayRouting& r = Routing();
    std::vector<TArCntrl*>& list = r.pending;
    if (Terminated()) return Next::Stop;
    if (list.empty()) {
        if (r.worker.get() == this) r.workerLeft = true;
        return Next::Stop;
    }
    if (pendingIndex_ < 0 || static_cast<size_t>(pendingIndex_) >= list.size()) pendingIndex_ = 0;
    TArCntrl* array = list[static_cast<size_t>(pendingIndex_)];
    bool giveUp = false;
    try {
        succeeded_ = array->SetAllCntrlEvent();
    } catch (...) {
        // A routing that throws would throw again on every round.
        succeeded_ = false;
        giveUp = true;
    }
    if (succeeded_ || giveUp) {
        list.erase(list.begin() + pendingIndex_);  // the index now names the next array
        failuresInRow_ = 0;
    } else {
        ++pendingIndex_;
        ++failuresInRow_;
    }
    if (static_cast<size_t>(pendingIndex_) >= list.size()) pendingIndex_ = 0;
    if (list.empty()) {
        if (r.worker.get() == this) r.workerLeft = true;
        return Next::Stop;
    }
    if (failuresInRow_ >= list.size()) {
        failuresInRow_ = 0;
        return Next::Rest;
    }
    return Next::Go;
}
