// SPDX-License-Identifier: GPL-3.0-or-later
// The speech module: the spoken quiz's voice on Qt TextToSpeech, loaded by the program when
// speech is first turned on.
#include "Speech.h"

#include <QTextToSpeech>
#include <deque>

namespace {

using kvz::SayPriority;
using kvz::desktop::Voice;
using Notice = kvz::desktop::Voice::Notice;

// The voice, on the speech thread: the engine and the announcements waiting their turn.
class EngineVoice : public Voice {
  public:
    explicit EngineVoice(Notice notice) : notice_(std::move(notice)) {}

    void say(const QString& text, SayPriority priority) override {
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

    void stop() override {
        waiting_.clear();
        if (tts_ != nullptr) tts_->stop();
    }

    // Starts the engine once, in a Serbian voice where there is one.
    bool start() override {
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
    Notice notice_;
    QTextToSpeech* tts_ = nullptr;
    std::deque<QString> waiting_;
    bool skipNextReady_ = false;
};

} // namespace

extern "C" Q_DECL_EXPORT kvz::desktop::Voice* kvzCreateVoice(Notice notice) {
    return new EngineVoice(std::move(notice));
}
