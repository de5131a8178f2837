// SPDX-License-Identifier: GPL-3.0-or-later
#include "InstanceBeacon.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kvz::desktop {

namespace {

constexpr char kCall[] = "raise\n";

// A socket address for `path`; false when the path is too long for one.
bool addressOf(const QString& path, sockaddr_un& address) {
    const QByteArray bytes = QFile::encodeName(path);
    if (bytes.size() >= static_cast<int>(sizeof address.sun_path)) return false;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

int localSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

} // namespace

InstanceBeacon::InstanceBeacon(QString socketPath, QObject* parent)
    : QObject(parent), path_(std::move(socketPath)) {}

InstanceBeacon::~InstanceBeacon() {
    if (listener_ < 0) return;
    ::close(listener_);
    QFile::remove(path_);
}

bool InstanceBeacon::listen(std::function<void()> called) {
    sockaddr_un address{};
    if (listener_ >= 0 || !addressOf(path_, address)) return false;
    QFile::remove(path_); // left by a copy that is gone: the caller holds the game's lock
    listener_ = localSocket();
    if (listener_ < 0) return false;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 4) != 0) {
        ::close(listener_);
        listener_ = -1;
        return false;
    }
    called_ = std::move(called);
    notifier_ = new QSocketNotifier(listener_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { answer(); });
    return true;
}

void InstanceBeacon::answer() {
    const int caller = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (caller < 0) return;
    ::close(caller); // the call itself is the message
    if (called_) called_();
}

bool InstanceBeacon::call(const QString& socketPath) {
    sockaddr_un address{};
    if (!addressOf(socketPath, address)) return false;
    const int s = localSocket();
    if (s < 0) return false;
    const bool answered =
        ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::send(s, kCall, sizeof kCall - 1, MSG_NOSIGNAL) > 0;
    ::close(s);
    return answered;
}

QString InstanceBeacon::socketPathFor(const QString& programFolder) {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) runtime = QDir::tempPath();
    const QByteArray folder = QFile::encodeName(QFileInfo(programFolder).canonicalFilePath());
    const QByteArray id =
        QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(16);
    return runtime + QStringLiteral("/kvizomat-") + QString::fromLatin1(id) +
           QStringLiteral(".sock");
}

} // namespace kvz::desktop
