// SPDX-License-Identifier: GPL-3.0-or-later
// kvizomat-editor: writes, checks and plays a question bank of the game.
#include "EditorWindow.h"
#include "Help.h"
#include "ProgramFolder.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QSettings>
#include <iostream>
#include <string>

namespace {

// The bank to open first: the one named on the command line, else the last one edited, else
// the installed game's own copy of the player's.
QString firstBank(const QStringList& args) {
    if (args.size() > 1) return args.at(1);
    const QString last = QSettings().value(QStringLiteral("editor/lastFile")).toString();
    if (!last.isEmpty() && QFileInfo::exists(last)) return last;
    const QString own = kvz::desktop::userDataFolder() + QStringLiteral("/Baza.mdb");
    return QFileInfo::exists(own) ? own : QString();
}

// The game's template: installed under <prefix>/share/kvizomat, or the program folder of a
// build beside the editor.
kvz::editor::EditorPlaces places() {
    const QString here = QCoreApplication::applicationDirPath();
    const QString installed =
        kvz::desktop::installedTemplateFolder(here) + QStringLiteral("/Baza.mdb");
    const QString game = here + QStringLiteral("/kvizomat");
    return {QFileInfo::exists(installed) ? installed : here + QStringLiteral("/Baza.mdb"),
            QFileInfo::exists(game) ? game : QStringLiteral("kvizomat")};
}

} // namespace

int main(int argc, char* argv[]) {
    // Answered before any window system is asked for.
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--version" || first == "-V") {
        std::cout << "kvizomat-editor " << KVZ_VERSION << "\n";
        return 0;
    }
    if (first == "--help" || first == "-h") {
        std::cout << kHelp;
        return 0;
    }
    if (first.rfind('-', 0) == 0) {
        std::cerr << "kvizomat-editor: unknown option " << first << "\n" << kHelp;
        return 2;
    }
    // The game's organisation and name: the editor shares its settings (the chosen letters).
    QApplication::setApplicationName(QStringLiteral("Kvizomat"));
    QApplication::setOrganizationName(QStringLiteral("kvizomat"));
    QApplication::setApplicationVersion(QStringLiteral(KVZ_VERSION));
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/editor.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kvizomat.Kvizomat.Editor"));

    const bool latin =
        QSettings().value(QStringLiteral("script")).toString() == QLatin1String("latin");
    kvz::editor::EditorWindow window(places(), latin);
    window.show();
    const QString bank = firstBank(QApplication::arguments());
    if (!bank.isEmpty()) window.openBank(bank);
    return QApplication::exec();
}
