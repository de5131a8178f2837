#pragma once

#include "Fonts.h"

#include <QCursor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <map>
#include <memory>
#include <string>

class QPainter;
class QSvgRenderer;

namespace kvz::desktop {

// The pictures of the window, read once from the program's resources (assets/pictures/).
// The game's own pointer over clickable labels and pictures, drawn from cursor.svg; the
// system's pointing hand when that picture cannot be read.
QCursor handCursor();

class Pictures {
  public:
    Pictures();
    ~Pictures();
    Pictures(const Pictures&) = delete;
    Pictures& operator=(const Pictures&) = delete;

    // Draws the named picture stretched over `area`; draws nothing for "" or a picture that
    // is missing or empty. In Latin letters a picture with lettering is drawn from its Latin
    // version, "name.latin.svg", where there is one.
    void draw(QPainter& painter, const QRectF& area, const std::string& name,
              Script script = Script::Cyrillic);

  private:
    struct Picture {
        QImage image;
        std::unique_ptr<QSvgRenderer> svg;
    };
    const Picture& load(const std::string& name);

    std::map<std::string, Picture> cache_;
};

} // namespace kvz::desktop
