#include "app/sound.h"

#include "kiss/wave.h"

#include <QString>

#ifdef TANSU_HAVE_MULTIMEDIA
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <memory>
#endif

namespace kissviewer {

// The samples go straight to the audio device: no decoder pipeline (which
// may be missing or broken on a machine) and no file written.
#ifdef TANSU_HAVE_MULTIMEDIA
struct SoundPlayer::Impl {
    std::unique_ptr<QAudioSink> sink;
    QBuffer buffer;
    QByteArray samples;
};
#else
struct SoundPlayer::Impl {};
#endif

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() {
    Stop();
    delete impl_;
}

void SoundPlayer::Stop() {
#ifdef TANSU_HAVE_MULTIMEDIA
    if (!impl_ || !impl_->sink) return;
    impl_->sink->stop();
    impl_->sink.reset();
    impl_->buffer.close();
#endif
}

void SoundPlayer::Play(const std::string& name, const kiss::FileReader& read) {
    const bool wav = name.size() > 4 &&
                     QString::fromLatin1(name.substr(name.size() - 4)).compare(u".wav", Qt::CaseInsensitive) == 0;
    if (!wav || !read) return;
#ifdef TANSU_HAVE_MULTIMEDIA
    const auto bytes = read(name);
    if (!bytes) return;
    const auto wave = kiss::ReadWave(*bytes);
    if (!wave || wave->samples.empty()) return;
    QAudioFormat format;
    format.setSampleRate(wave->sampleRate);
    format.setChannelCount(wave->channels);
    format.setSampleFormat(wave->bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(format)) return;
    Stop();
    if (!impl_) impl_ = new Impl;
    impl_->samples = QByteArray(wave->samples.data(), static_cast<qsizetype>(wave->samples.size()));
    impl_->buffer.setData(impl_->samples);
    impl_->buffer.open(QIODevice::ReadOnly);
    impl_->sink = std::make_unique<QAudioSink>(device, format);
    impl_->sink->start(&impl_->buffer);
#endif
}

}  // namespace kissviewer
