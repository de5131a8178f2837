#include "Pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QThreadPool>

namespace kvz::desktop {

namespace {

// Renders kept at once: every picture of a window at two sizes, with room to spare; a
// window resized again and again starts over instead of growing without end.
constexpr std::size_t kMaxRenders = 96;

QSize devicePixels(const QPainter& painter, const QRectF& area) {
    return painter.deviceTransform().mapRect(area).size().toSize();
}

QImage renderedSvg(QSvgRenderer& svg, QSize pixels) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}

} // namespace

QCursor handCursor() {
    constexpr int kSize = 32;
    constexpr int kHotX = 11, kHotY = 1; // the fingertip
    QSvgRenderer svg(QStringLiteral(":/pictures/cursor.svg"));
    if (!svg.isValid()) return QCursor(Qt::PointingHandCursor);
    const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap = QPixmap::fromImage(renderedSvg(svg, QSize(kSize, kSize) * ratio));
    pixmap.setDevicePixelRatio(ratio);
    return QCursor(pixmap, kHotX, kHotY);
}

Pictures::Pictures() = default;

Pictures::~Pictures() {
    awaitRenders(); // they draw with the renderers kept here
}

void Pictures::awaitRenders() const {
    for (const auto& [key, render] : renders_) render.wait();
}

Pictures::Picture& Pictures::load(const std::string& name) {
    auto found = cache_.find(name);
    if (found != cache_.end()) return found->second;
    Picture& picture = cache_[name];
    const QString path = QStringLiteral(":/pictures/") + QString::fromStdString(name);
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QFile file(path);
        const QByteArray drawing = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        auto svg = std::make_unique<QSvgRenderer>(drawing);
        if (svg->isValid()) {
            picture.svg = std::move(svg);
            picture.lettered = drawing.contains("<text");
        }
    } else {
        picture.image.load(path);
    }
    return picture;
}

std::shared_future<QImage> Pictures::rendered(const std::string& name, Picture& picture,
                                              QSize pixels) {
    const auto key = std::make_pair(name, std::make_pair(pixels.width(), pixels.height()));
    auto found = renders_.find(key);
    if (found != renders_.end()) return found->second;
    if (renders_.size() >= kMaxRenders) {
        awaitRenders();
        renders_.clear();
    }
    auto promise = std::make_shared<std::promise<QImage>>();
    std::shared_future<QImage> render = promise->get_future().share();
    auto task = [promise, &picture, pixels] {
        try {
            QImage image;
            {
                const std::lock_guard<std::mutex> one(picture.rendering);
                image = renderedSvg(*picture.svg, pixels);
            }
            // The last touch of the picture: once the promise is kept, it may be gone.
            promise->set_value(std::move(image));
        } catch (...) {
            promise->set_exception(std::current_exception());
        }
    };
    // Qt keeps the fonts apart for each thread: lettering is drawn where the window's text
    // is, instead of loading the font a second time in the pool.
    QThreadPool* pool = picture.lettered ? nullptr : QThreadPool::globalInstance();
    if (pool != nullptr)
        pool->start(task);
    else
        task();
    return renders_[key] = render;
}

std::string Pictures::shownName(const std::string& name, Script script) {
    if (script == Script::Latin && name.ends_with(".svg")) {
        std::string latin = name.substr(0, name.size() - 4) + ".latin.svg";
        if (load(latin).svg) return latin;
    }
    return name;
}

void Pictures::prepare(const QPainter& painter, const QRectF& area, const std::string& name,
                       Script script) {
    if (name.empty()) return;
    const std::string shown = shownName(name, script);
    Picture& picture = load(shown);
    const QSize pixels = devicePixels(painter, area);
    if (picture.svg && !pixels.isEmpty()) rendered(shown, picture, pixels);
}

void Pictures::draw(QPainter& painter, const QRectF& area, const std::string& name, Script script) {
    if (name.empty()) return;
    const std::string shown = shownName(name, script);
    Picture& picture = load(shown);
    if (picture.svg) {
        // Drawn at the size it covers on the device, so that it comes out as sharp as if
        // it were rendered there.
        const QSize pixels = devicePixels(painter, area);
        if (!pixels.isEmpty()) painter.drawImage(area, rendered(shown, picture, pixels).get());
    } else if (!picture.image.isNull()) {
        painter.drawImage(area, picture.image);
    }
}

} // namespace kvz::desktop
