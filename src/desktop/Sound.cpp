// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sound.h"

#include <QCoreApplication>
#include <QLibrary>

namespace kvz::desktop {

std::unique_ptr<Sound> loadSound() {
    const QString programDir = QCoreApplication::applicationDirPath();
    // Beside the program in the build; in the library folder once installed.
    for (const QString& dir : {programDir, programDir + QStringLiteral("/../lib/kvizomat")}) {
        QLibrary module(dir + QStringLiteral("/kvizomat-sound"));
        if (auto create = reinterpret_cast<CreateSound>(module.resolve(kCreateSoundSymbol)))
            return std::unique_ptr<Sound>(create());
    }
    return nullptr;
}

} // namespace kvz::desktop
