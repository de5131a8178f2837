#include "Pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace kvz::desktop {

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

void Pictures::draw(QPainter& painter, const QRectF& area, const std::string& name) {
    if (name.empty()) return;
    const Picture& picture = load(name);
    if (picture.svg)
        picture.svg->render(&painter, area);
    else if (!picture.image.isNull())
        painter.drawImage(area, picture.image);
}

} // namespace kvz::desktop
