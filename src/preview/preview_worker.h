// Pictures of sets made on a worker thread.  The main thread says which
// archive it wants now; the worker reads and draws it and hands the
// picture back on the main thread.  Only the latest wish is made next:
// wishes that came between are dropped.  The last pictures made are kept,
// each under its archive's name and file stamp, so a wish for one of them
// is answered at once, and a changed or replaced archive is read again.
#pragma once

#include "framework/thread.h"
#include "kiss/compose.h"
#include "platform/file_stamp.h"

#include <condition_variable>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

struct SetPreview {
    enum class Kind { Picture, Missing, Unreadable, NoConfig };
    Kind kind = Kind::Missing;
    std::shared_ptr<const kiss::Picture> picture;  // for Picture
};

class PreviewWorker : private TThread {
public:
    explicit PreviewWorker(size_t keep = 16);
    ~PreviewWorker() override;

    // Main thread: the preview of the archive (a system path).  A missing
    // archive and a picture kept from before come back at once; otherwise
    // nullopt, and OnReady brings the preview later unless another wish
    // came first.
    std::optional<SetPreview> Want(const std::string& archiveSystemPath);
    // Nothing is wanted any more: a preview being made is kept, not shown.
    void WantNothing();

    // Runs on the main thread with the preview of the latest wish.
    std::function<void(const SetPreview&)> OnReady;

    size_t KeptCount() const { return kept_.size(); }

private:
    struct Key {
        platform::OsPath path;
        platform::FileStamp stamp;
        bool operator==(const Key&) const = default;
    };

    void Execute() override;
    const SetPreview* Kept(const Key& key);
    void Keep(const Key& key, const SetPreview& preview);

    // Main thread only.
    size_t keep_;
    std::list<std::pair<Key, SetPreview>> kept_;  // the most recently used first
    std::optional<Key> wanted_;

    // Shared with the worker.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Key> next_;
    std::optional<Key> making_;
    bool stopping_ = false;
};

// Reads and draws the archive on the calling thread.
SetPreview MakeSetPreview(const platform::OsPath& archive);
SetPreview MakeSetPreview(const std::string& archiveSystemPath);
