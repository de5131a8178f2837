// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Fonts.h"

#include <QCursor>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <future>
#include <map>
#include <memory>
#include <mutex>
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
// Renders run in Qt's global thread pool: there the painting does not hand each large fill
// out to the pool's threads and wait for them, which costs more than it gains on pictures
// of this size, and several pictures render at once, beside the painting of the text.
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
    // Starts rendering what draw() with the same arguments will need, and returns at once.
    void prepare(const QPainter& painter, const QRectF& area, const std::string& name,
                 Script script = Script::Cyrillic);
    // Keeps renders in `folder` too (the user's cache), where the next start reads them
    // instead of drawing them again. A file there that does not hold the render it is named
    // for is drawn again and replaced.
    void keepOnDisk(const QString& folder);

  private:
    struct Picture {
        QByteArray drawing;
        QByteArray digest; // names the drawing's renders on disk
        QImage image;
        std::unique_ptr<QSvgRenderer> svg; // read at the first render
        bool lettered = false;             // the drawing holds text
        std::mutex rendering;              // a renderer draws one image at a time
    };
    Picture& load(const std::string& name);
    QString diskFile(const std::string& name, const Picture& picture, QSize pixels) const;
    std::string shownName(const std::string& name, Script script);
    std::shared_future<QImage> rendered(const std::string& name, Picture& picture, QSize pixels);
    void awaitRenders() const;

    std::map<std::string, Picture> cache_;
    std::map<std::pair<std::string, std::pair<int, int>>, std::shared_future<QImage>> renders_;
    QString diskFolder_;
    int diskWrites_ = 0;
};

} // namespace kvz::desktop
