// SPDX-License-Identifier: GPL-3.0-or-later
// The sound module: WAV playback on Qt Multimedia, loaded by the program at its first sound.
#include "Sound.h"

#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QWaveDecoder>
#include <chrono>
#include <memory>

namespace {

using namespace std::chrono_literals;

// A stream's buffer: the longest a sound waits before it is heard.
constexpr std::chrono::microseconds kBuffer = 100ms;

// A sound's samples, decoded whole (the game's sounds last a few seconds at most).
struct Clip {
    QAudioFormat format; // invalid when the file is missing or no WAV
    QByteArray samples;
};

Clip decode(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QWaveDecoder wav(&file);
    if (!wav.open(QIODevice::ReadOnly) || !wav.audioFormat().isValid()) return {};
    return {wav.audioFormat(), wav.readAll()};
}

QByteArray silence(const QAudioFormat& format, std::chrono::microseconds length) {
    const char zero = format.sampleFormat() == QAudioFormat::UInt8 ? '\x80' : '\0';
    return QByteArray(format.bytesForDuration(length.count()), zero);
}

// One sound at a time on a stream of its own: a new sound cuts off the one playing.
//
// Each sound is followed by silence longer than the stream's buffer. Closing a stream once
// its last samples are handed over drops what the server has not played yet, which then is
// only silence; and a sound shorter than the buffer would not start the stream at all. (Qt's
// own sound-effect player adds no such silence: it cut the beep short or lost it.)
class Channel {
  public:
    void play(const Clip& clip) {
        sink_.reset();
        if (!clip.format.isValid()) return;
        data_.close();
        data_.setData(clip.samples + silence(clip.format, 2 * kBuffer));
        data_.open(QIODevice::ReadOnly);
        sink_ = std::make_unique<QAudioSink>(clip.format);
        sink_->setBufferSize(clip.format.bytesForDuration(kBuffer.count()));
        QObject::connect(sink_.get(), &QAudioSink::stateChanged, sink_.get(),
                         [this](QAudio::State state) { closeOnceDone(state); });
        sink_->start(&data_);
    }

  private:
    // Frees the server's stream when the sound is over; an idle stream keeps the sound
    // device awake.
    void closeOnceDone(QAudio::State state) {
        if (state == QAudio::IdleState && data_.atEnd()) sink_->stop();
    }

    QBuffer data_;
    std::unique_ptr<QAudioSink> sink_;
};

class Player : public kvz::desktop::Sound {
  public:
    Player() : beep_(decode(QStringLiteral(":/sound/beep.wav"))) {}

    void play(const QString& file) override { effects_.play(decode(file)); }
    // On a channel of its own: a beep never cuts off the fanfare or the phrase.
    void beep() override { alerts_.play(beep_); }

  private:
    const Clip beep_;
    Channel effects_;
    Channel alerts_;
};

} // namespace

extern "C" Q_DECL_EXPORT kvz::desktop::Sound* kvzCreateSound() {
    return new Player;
}
