// SPDX-License-Identifier: GPL-3.0-or-later
#include "Speech.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLibrary>
#include <chrono>

namespace kvz::desktop {

namespace {

// The voice of the speech module (kvizomat-speech), beside the program in the build and in
// the library folder once installed; nothing when it is missing.
Voice* loadVoice(Voice::Notice notice) {
    const QString programDir = QCoreApplication::applicationDirPath();
    for (const QString& dir : {programDir, programDir + QStringLiteral("/../lib/kvizomat")}) {
        QLibrary module(dir + QStringLiteral("/kvizomat-speech"));
        if (auto create = reinterpret_cast<CreateVoice>(module.resolve(kCreateVoiceSymbol)))
            return create(std::move(notice));
    }
    return nullptr;
}

// How long the end of the program waits for the voice to stop.
constexpr std::chrono::milliseconds kVoiceEndWait{2000};

} // namespace

Speaker::Speaker(Voice::Notice notice) : notice_(std::move(notice)) {}

Speaker::~Speaker() {
    if (voice_ == nullptr) {
        delete thread_;
        return;
    }
    // The voice ends on its own thread, and the thread with it; a voice still waiting for the
    // speech service does not hold up the end of the program.
    onVoice([](Voice& voice) {
        delete &voice;
        QThread::currentThread()->quit();
    });
    if (thread_->wait(QDeadlineTimer(kVoiceEndWait))) delete thread_;
}

void Speaker::onVoice(std::function<void(Voice&)> step) {
    QMetaObject::invokeMethod(
        voice_, [voice = voice_, step = std::move(step)] { step(*voice); }, Qt::QueuedConnection);
}

void Speaker::setOn(bool on) {
    on_ = on;
    if (on_ && voice_ == nullptr) {
        // Notices go back to the window's thread, where messages may be shown.
        voice_ = loadVoice([this](const QString& text) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [this, text] { notice_(text); },
                Qt::QueuedConnection);
        });
        if (voice_ == nullptr) {
            on_ = false;
            notice_(QStringLiteral("Говор није доступан: недостаје модул kvizomat-speech поред "
                                   "програма (поново инсталирајте игру)."));
            return;
        }
        voice_->moveToThread(thread_);
        thread_->start();
        // The voice is ready before the first announcement, and a missing one is told now.
        onVoice([](Voice& voice) { voice.start(); });
    }
    if (!on_ && voice_ != nullptr) onVoice([](Voice& voice) { voice.stop(); });
}

void Speaker::say(const QString& text, SayPriority priority) {
    if (!on_ || voice_ == nullptr) return;
    onVoice([text, priority](Voice& voice) { voice.say(text, priority); });
}

} // namespace kvz::desktop
