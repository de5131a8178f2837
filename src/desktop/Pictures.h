#pragma once

#include "Fonts.h"

#include <QCursor>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <utility>

class QPainter;
class QSvgRenderer;

namespace kvz::desktop {

// The pictures of the window, read once from the program's resources (assets/pictures/).
// The game's own pointer over clickable labels and pictures, drawn from cursor.svg; the
// system's pointing hand when that picture cannot be read.
QCursor handCursor();

// A drawing is rendered once per size on the device and reused by the repaints after it.
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
    const QImage& rendered(const std::string& name, QSvgRenderer& svg, QSize pixels);

    std::map<std::string, Picture> cache_;
    std::map<std::pair<std::string, std::pair<int, int>>, QImage> renders_;
};

} // namespace kvz::desktop
