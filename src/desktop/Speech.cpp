#include "Speech.h"

#include <QCoreApplication>
#include <QTextToSpeech>
#include <deque>

namespace kvz::desktop {

namespace {

// The voice, on the speech thread: the engine and the announcements waiting their turn.
class Voice : public QObject {
  public:
    explicit Voice(std::function<void(const QString&)> notice) : notice_(std::move(notice)) {}

    void say(const QString& text, SayPriority priority) {
        if (!start()) return;
        if (priority == SayPriority::Assertive) {
            waiting_.clear();
            // The engine tells of the cut-off speech as over a moment later: that news must not
            // start the next waiting announcement over this one.
            skipNextReady_ = tts_->state() == QTextToSpeech::Speaking;
            tts_->stop();
            tts_->say(text);
        } else if (tts_->state() == QTextToSpeech::Speaking || !waiting_.empty()) {
            waiting_.push_back(text);
        } else {
            tts_->say(text);
        }
    }

    void stop() {
        waiting_.clear();
        if (tts_ != nullptr) tts_->stop();
    }

    // Starts the engine once, in a Serbian voice where there is one.
    bool start() {
        if (tts_ != nullptr) return tts_->state() != QTextToSpeech::Error;
        tts_ = new QTextToSpeech(this);
        if (tts_->state() == QTextToSpeech::Error || QTextToSpeech::availableEngines().isEmpty()) {
            notice_(QStringLiteral("Говор није доступан: инсталирајте пакете speech-dispatcher, "
                                   "speech-dispatcher-espeak-ng и qt6-speech-speechd-plugin."));
            return false;
        }
        for (const QLocale& l : tts_->availableLocales())
            if (l.language() == QLocale::Serbian) {
                tts_->setLocale(l);
                break;
            }
        if (tts_->locale().language() != QLocale::Serbian)
            notice_(QStringLiteral("Нема српског гласа за говор: инсталирајте пакет espeak-ng "
                                   "(са speech-dispatcher-espeak-ng). Говори се другим гласом."));
        QObject::connect(tts_, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State s) {
            if (s != QTextToSpeech::Ready) return;
            if (skipNextReady_) {
                skipNextReady_ = false;
                return;
            }
            if (waiting_.empty()) return;
            const QString next = waiting_.front();
            waiting_.pop_front();
            tts_->say(next);
        });
        return true;
    }

  private:
    std::function<void(const QString&)> notice_;
    QTextToSpeech* tts_ = nullptr;
    std::deque<QString> waiting_;
    bool skipNextReady_ = false;
};

} // namespace

Speaker::Speaker(std::function<void(const QString&)> notice) : notice_(std::move(notice)) {}

Speaker::~Speaker() {
    if (voice_ == nullptr) return;
    // The voice ends on its own thread, and the thread with it.
    QMetaObject::invokeMethod(
        voice_,
        [voice = voice_] {
            delete voice;
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    thread_.wait();
}

void Speaker::setOn(bool on) {
    on_ = on;
    if (on_ && voice_ == nullptr) {
        // Notices go back to the window's thread, where messages may be shown.
        auto* voice = new Voice([this](const QString& text) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [this, text] { notice_(text); },
                Qt::QueuedConnection);
        });
        voice->moveToThread(&thread_);
        voice_ = voice;
        thread_.start();
        // The voice is ready before the first announcement, and a missing one is told now.
        QMetaObject::invokeMethod(
            voice, [voice] { voice->start(); }, Qt::QueuedConnection);
    }
    if (!on_ && voice_ != nullptr)
        QMetaObject::invokeMethod(
            voice_, [voice = voice_] { static_cast<Voice*>(voice)->stop(); }, Qt::QueuedConnection);
}

void Speaker::say(const QString& text, SayPriority priority) {
    if (!on_ || voice_ == nullptr) return;
    QMetaObject::invokeMethod(
        voice_,
        [voice = voice_, text, priority] { static_cast<Voice*>(voice)->say(text, priority); },
        Qt::QueuedConnection);
}

} // namespace kvz::desktop
