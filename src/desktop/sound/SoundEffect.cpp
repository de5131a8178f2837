// The sound module: WAV playback on Qt Multimedia, loaded by the program at its first sound.
#include "Sound.h"

#include <QSoundEffect>
#include <QUrl>

namespace {

class SoundEffect : public kvz::desktop::Sound {
  public:
    void play(const QString& file) override {
        effect_.stop();
        effect_.setSource(QUrl::fromLocalFile(file));
        effect_.play();
    }

  private:
    QSoundEffect effect_;
};

} // namespace

extern "C" Q_DECL_EXPORT kvz::desktop::Sound* kvzCreateSound() {
    return new SoundEffect;
}
