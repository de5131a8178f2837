// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QSocketNotifier;

namespace kvz::desktop {

// How a second start of the game brings the running window to the front: the running copy
// listens on a local socket of its program folder, and the second one, before it ends as
// the game wants, calls it there.
class InstanceBeacon : public QObject {
  public:
    explicit InstanceBeacon(QString socketPath, QObject* parent = nullptr);
    ~InstanceBeacon() override;
    InstanceBeacon(const InstanceBeacon&) = delete;
    InstanceBeacon& operator=(const InstanceBeacon&) = delete;

    // Listens for later copies; `called` runs for each call. A socket left by a copy that
    // died is taken over. False when the socket cannot be made (the game goes on).
    bool listen(std::function<void()> called);

    // Calls the copy listening at `socketPath`; false when none answers.
    static bool call(const QString& socketPath);

    // The socket of the game playing from `programFolder`, in the user's runtime folder.
    static QString socketPathFor(const QString& programFolder);

  private:
    void answer();

    QString path_;
    int listener_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    std::function<void()> called_;
};

} // namespace kvz::desktop
