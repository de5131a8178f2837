#include "Pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace kvz::desktop {

namespace {

// Renders kept at once: every picture of a window at two sizes, with room to spare; a
// window resized again and again starts over instead of growing without end.
constexpr std::size_t kMaxRenders = 96;

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
Pictures::~Pictures() = default;

const Pictures::Picture& Pictures::load(const std::string& name) {
    auto found = cache_.find(name);
    if (found != cache_.end()) return found->second;
    Picture& picture = cache_[name];
    const QString path = QStringLiteral(":/pictures/") + QString::fromStdString(name);
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        auto svg = std::make_unique<QSvgRenderer>(path);
        if (svg->isValid()) picture.svg = std::move(svg);
    } else {
        picture.image.load(path);
    }
    return picture;
}

const QImage& Pictures::rendered(const std::string& name, QSvgRenderer& svg, QSize pixels) {
    const auto key = std::make_pair(name, std::make_pair(pixels.width(), pixels.height()));
    auto found = renders_.find(key);
    if (found != renders_.end()) return found->second;
    if (renders_.size() >= kMaxRenders) renders_.clear();
    return renders_[key] = renderedSvg(svg, pixels);
}

void Pictures::draw(QPainter& painter, const QRectF& area, const std::string& name, Script script) {
    if (name.empty()) return;
    std::string shown = name;
    if (script == Script::Latin && name.ends_with(".svg")) {
        std::string latin = name.substr(0, name.size() - 4) + ".latin.svg";
        if (load(latin).svg) shown = std::move(latin);
    }
    const Picture& picture = load(shown);
    if (picture.svg) {
        // Drawn at the size it covers on the device, so that it comes out as sharp as if
        // it were rendered there.
        const QSize pixels = painter.deviceTransform().mapRect(area).size().toSize();
        if (!pixels.isEmpty()) painter.drawImage(area, rendered(shown, *picture.svg, pixels));
    } else if (!picture.image.isNull()) {
        painter.drawImage(area, picture.image);
    }
}

} // namespace kvz::desktop
