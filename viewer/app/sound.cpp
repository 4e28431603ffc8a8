#include "app/sound.h"

#include <QString>

#ifdef TANSU_HAVE_MULTIMEDIA
#include <QAudioOutput>
#include <QBuffer>
#include <QMediaPlayer>
#endif

namespace kissviewer {

#ifdef TANSU_HAVE_MULTIMEDIA
struct SoundPlayer::Impl {
    QMediaPlayer player;
    QAudioOutput output;
    QBuffer buffer;
    QByteArray bytes;
    Impl() { player.setAudioOutput(&output); }
};
#else
struct SoundPlayer::Impl {};
#endif

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() { delete impl_; }

void SoundPlayer::Stop() {
#ifdef TANSU_HAVE_MULTIMEDIA
    if (impl_) impl_->player.stop();
#endif
}

void SoundPlayer::Play(const std::string& name, const kiss::FileReader& read) {
    const bool wav = name.size() > 4 && QString::fromLatin1(name.substr(name.size() - 4)).compare(u".wav", Qt::CaseInsensitive) == 0;
    if (!wav || !read) return;
#ifdef TANSU_HAVE_MULTIMEDIA
    auto bytes = read(name);
    if (!bytes) return;
    if (!impl_) impl_ = new Impl;
    // The sound is played from memory: nothing of the set is written for it.
    impl_->player.stop();
    impl_->player.setSourceDevice(nullptr);
    impl_->buffer.close();
    impl_->bytes = QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
    impl_->buffer.setData(impl_->bytes);
    impl_->buffer.open(QIODevice::ReadOnly);
    impl_->player.setSourceDevice(&impl_->buffer);
    impl_->player.play();
#endif
}

}  // namespace kissviewer
