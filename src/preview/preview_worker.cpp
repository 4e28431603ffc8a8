#include "preview/preview_worker.h"

#include "platform/os_path.h"
#include "set/first_set.h"

SetPreview MakeSetPreview(const std::string& archiveSystemPath) {
    const auto os = platform::OsPath::FromSystem(archiveSystemPath);
    // A name without an OS form names nothing here.
    return os ? MakeSetPreview(*os) : SetPreview();
}

SetPreview MakeSetPreview(const platform::OsPath& archive) {
    SetPreview out;
    kissviewer::FirstPicture first = kissviewer::DrawFirstSet(archive.Text());
    switch (first.outcome) {
    case kissviewer::FirstPicture::Outcome::Drawn:
        out.kind = SetPreview::Kind::Picture;
        out.picture = std::make_shared<const kiss::Picture>(std::move(first.picture));
        break;
    case kissviewer::FirstPicture::Outcome::NoConfig: out.kind = SetPreview::Kind::NoConfig; break;
    case kissviewer::FirstPicture::Outcome::Unreadable: out.kind = SetPreview::Kind::Unreadable; break;
    }
    return out;
}

PreviewWorker::PreviewWorker(size_t keep) : keep_(keep) { Start(); }

PreviewWorker::~PreviewWorker() {
    OnReady = nullptr;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    Terminate();
    WaitFor();
}

std::optional<SetPreview> PreviewWorker::Want(const std::string& archiveSystemPath) {
    std::optional<platform::OsPath> archive = platform::OsPath::FromSystem(archiveSystemPath);
    const auto stamp = archive ? platform::StampOf(*archive) : std::nullopt;
    if (!stamp) {
        WantNothing();
        return SetPreview{};
    }
    Key key{std::move(*archive), *stamp};
    if (const SetPreview* kept = Kept(key)) {
        WantNothing();
        return *kept;
    }
    wanted_ = key;
    {
        std::lock_guard lock(mutex_);
        // The one being made now is shown when it is done: not made twice.
        if (making_ == key) next_.reset();
        else next_ = std::move(key);
    }
    wake_.notify_one();
    return std::nullopt;
}

void PreviewWorker::WantNothing() {
    wanted_.reset();
    std::lock_guard lock(mutex_);
    next_.reset();
}

const SetPreview* PreviewWorker::Kept(const Key& key) {
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
        if (it->first == key) {
            kept_.splice(kept_.begin(), kept_, it);
            return &kept_.front().second;
        }
    }
    return nullptr;
}

void PreviewWorker::Keep(const Key& key, const SetPreview& preview) {
    if (Kept(key)) return;
    kept_.emplace_front(key, preview);
    while (kept_.size() > keep_) kept_.pop_back();
}

void PreviewWorker::Execute() {
    for (;;) {
        Key key;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || next_.has_value(); });
            if (stopping_) return;
            key = std::move(*next_);
            next_.reset();
            making_ = key;
        }
        const SetPreview preview = MakeSetPreview(key.path);
        Synchronize([&] {
            {
                std::lock_guard lock(mutex_);
                making_.reset();
            }
            Keep(key, preview);
            if (wanted_ == key) {
                wanted_.reset();
                if (OnReady) OnReady(preview);
            }
        });
    }
}
