#include "Pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace kvz::desktop {

QCursor handCursor() {
    constexpr int kSize = 32;
    constexpr int kHotX = 11, kHotY = 1; // the fingertip
    QSvgRenderer svg(QStringLiteral(":/pictures/cursor.svg"));
    if (!svg.isValid()) return QCursor(Qt::PointingHandCursor);
    const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(kSize, kSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(0, 0, kSize, kSize));
    painter.end();
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

void Pictures::draw(QPainter& painter, const QRectF& area, const std::string& name, Script script) {
    if (name.empty()) return;
    const Picture* picture = &load(name);
    if (script == Script::Latin && name.ends_with(".svg")) {
        const Picture& latin = load(name.substr(0, name.size() - 4) + ".latin.svg");
        if (latin.svg) picture = &latin;
    }
    if (picture->svg)
        picture->svg->render(&painter, area);
    else if (!picture->image.isNull())
        painter.drawImage(area, picture->image);
}

} // namespace kvz::desktop
