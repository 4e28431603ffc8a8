#include "app/scan_with_progress.h"

#include "app/scan_progress_form.h"
#include "framework/thread.h"

#include <atomic>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kShowAfter = std::chrono::milliseconds(500);
constexpr auto kProgressEvery = std::chrono::milliseconds(50);

std::atomic<int> pauseAfterFolder{0};

class ScanThread : public TThread, public ScanObserver {
public:
    ScanThread(const std::string& kissFolder, const CatalogNames& listed) : kissFolder_(kissFolder), listed_(listed) {}
    ~ScanThread() override {
        Terminate();
        WaitFor();
    }

    // Read once Finished (after WaitFor).
    std::optional<NewSetsFound> result;
    std::atomic<bool> done{false};

protected:
    void Execute() override {
        result = FindNewSets(kissFolder_, listed_, this);
        done = true;
        // The progress window, if it shows by now, has served.
        Synchronize([] {
            if (ScanProgressForm->Modal()) ScanProgressForm->SetModalResult(mrOk);
        });
    }

    void Progress(int finished, int total) override {
        const int pause = pauseAfterFolder.load();
        if (finished > 0 && pause > 0) SleepUnlessTerminated(pause);
        const Clock::time_point now = Clock::now();
        if (finished < total && now - lastShown_ < kProgressEvery) return;
        lastShown_ = now;
        Synchronize([finished, total] { ScanProgressForm->ShowProgress(finished, total); });
    }

    bool StopRequested() override { return Terminated(); }

private:
    const std::string kissFolder_;
    const CatalogNames& listed_;
    Clock::time_point lastShown_{};
};

}  // namespace

std::optional<NewSetsFound> FindNewSetsShowingProgress(const std::string& kissFolder, const CatalogNames& listed) {
    ScanProgressForm->ShowProgress(0, 0);
    ScanThread scan(kissFolder, listed);
    scan.Start();
    // A short look ends without the window; the worker's steps run here.
    const Clock::time_point until = Clock::now() + kShowAfter;
    while (!scan.done && Clock::now() < until) {
        CheckSynchronize();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    bool stopped = false;
    if (!scan.done && ScanProgressForm->ShowModal() != mrOk) {
        stopped = true;
        scan.Terminate();
    }
    scan.WaitFor();
    std::optional<NewSetsFound> found = std::move(scan.result);
    if (found && stopped) found->cancelled = true;
    return found;
}

void scan_testing::SetPauseAfterFolder(int milliseconds) { pauseAfterFolder = milliseconds; }
