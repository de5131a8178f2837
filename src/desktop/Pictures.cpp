// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pictures.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QThreadPool>

namespace kvz::desktop {

namespace {

// Renders kept at once: every picture of a window at two sizes, with room to spare; a
// window resized again and again starts over instead of growing without end.
constexpr std::size_t kMaxRenders = 96;

// Renders written to disk by one run: those of a window opened at one or two sizes, not
// every size a window dragged by its corner passes through. A folder grown past its limit
// (renders of older versions and sizes) is emptied at the first write of a run.
constexpr int kMaxDiskWrites = 64;
constexpr qsizetype kMaxDiskFiles = 256;
const QByteArray kDiskMagic = QByteArrayLiteral("kvzpic1\n");

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

// The render a file holds, or a null image when it holds no render of `pixels`.
QImage readRender(const QString& path, QSize pixels) {
    QFile file(path);
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    const qint64 bytes = image.sizeInBytes();
    if (image.isNull() || file.size() != kDiskMagic.size() + 8 + bytes ||
        !file.open(QIODevice::ReadOnly) || file.read(kDiskMagic.size()) != kDiskMagic)
        return {};
    qint32 size[2] = {};
    if (file.read(reinterpret_cast<char*>(size), sizeof size) != sizeof size ||
        size[0] != pixels.width() || size[1] != pixels.height() ||
        file.read(reinterpret_cast<char*>(image.bits()), bytes) != bytes)
        return {};
    return image;
}

void writeRender(const QString& path, const QImage& image) {
    QSaveFile file(path); // the old file stays whole until the new one is
    if (!file.open(QIODevice::WriteOnly)) return;
    const qint32 size[2] = {image.width(), image.height()};
    file.write(kDiskMagic);
    file.write(reinterpret_cast<const char*>(size), sizeof size);
    file.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    file.commit();
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
        if (file.open(QIODevice::ReadOnly)) picture.drawing = file.readAll();
        picture.lettered = picture.drawing.contains("<text");
        if (!diskFolder_.isEmpty()) {
            // Renders made by another version of Qt or of the drawing are not this one's.
            QCryptographicHash hash(QCryptographicHash::Sha1);
            hash.addData(picture.drawing);
            hash.addData(QByteArrayView(qVersion()));
            picture.digest = hash.result().toHex().left(16);
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
    const QString disk = diskFile(name, picture, pixels);
    if (QImage kept = disk.isEmpty() ? QImage() : readRender(disk, pixels); !kept.isNull()) {
        promise->set_value(std::move(kept));
        return renders_[key] = render;
    }
    if (!picture.svg) picture.svg = std::make_unique<QSvgRenderer>(picture.drawing);
    if (!picture.svg->isValid()) {
        promise->set_value(QImage());
        return renders_[key] = render;
    }
    const bool toDisk = !disk.isEmpty() && diskWrites_ < kMaxDiskWrites;
    if (toDisk && diskWrites_++ == 0) {
        QDir folder(diskFolder_);
        if (folder.count() > kMaxDiskFiles) folder.removeRecursively();
        QDir().mkpath(diskFolder_);
    }
    auto task = [promise, &picture, pixels, disk = toDisk ? disk : QString()] {
        try {
            QImage image;
            {
                const std::lock_guard<std::mutex> one(picture.rendering);
                image = renderedSvg(*picture.svg, pixels);
            }
            if (!disk.isEmpty()) writeRender(disk, image);
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

void Pictures::keepOnDisk(const QString& folder) {
    diskFolder_ = folder;
}

QString Pictures::diskFile(const std::string& name, const Picture& picture, QSize pixels) const {
    if (diskFolder_.isEmpty() || picture.digest.isEmpty()) return {};
    return QStringLiteral("%1/%2-%3x%4-%5.argb")
        .arg(diskFolder_, QString::fromStdString(name))
        .arg(pixels.width())
        .arg(pixels.height())
        .arg(QString::fromLatin1(picture.digest));
}

std::string Pictures::shownName(const std::string& name, Script script) {
    if (script == Script::Latin && name.ends_with(".svg")) {
        std::string latin = name.substr(0, name.size() - 4) + ".latin.svg";
        if (!load(latin).drawing.isEmpty()) return latin;
    }
    return name;
}

void Pictures::prepare(const QPainter& painter, const QRectF& area, const std::string& name,
                       Script script) {
    if (name.empty()) return;
    const std::string shown = shownName(name, script);
    Picture& picture = load(shown);
    const QSize pixels = devicePixels(painter, area);
    if (!picture.drawing.isEmpty() && !pixels.isEmpty()) rendered(shown, picture, pixels);
}

void Pictures::draw(QPainter& painter, const QRectF& area, const std::string& name, Script script) {
    if (name.empty()) return;
    const std::string shown = shownName(name, script);
    Picture& picture = load(shown);
    if (!picture.drawing.isEmpty()) {
        // Drawn at the size it covers on the device, so that it comes out as sharp as if
        // it were rendered there.
        const QSize pixels = devicePixels(painter, area);
        if (!pixels.isEmpty()) painter.drawImage(area, rendered(shown, picture, pixels).get());
    } else if (!picture.image.isNull()) {
        painter.drawImage(area, picture.image);
    }
}

} // namespace kvz::desktop
