// The desktop program: the game's window on Qt.
#include "CommandLine.h"
#include "EndSignals.h"
#include "FirstFrame.h"
#include "Fonts.h"
#include "FormWidget.h"
#include "ProgramFolder.h"
#include "QtPlatform.h"
#include "app/Form1.h"

#include <QApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <iostream>

namespace {

using kvz::desktop::Options;
using kvz::desktop::Script;

// Centred across the screen, its top edge at the top of the screen's free area.
void placeOnScreen(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    window.move(area.left() + std::max(0, (area.width() - window.width()) / 2), area.top());
}

// The options, or the exit code of a run that ends here: 0 for --help and --version, 2 for a
// command line the program does not understand.
std::optional<int> endsAtCommandLine(int argc, char* argv[], Options& options) {
    const auto parsed =
        kvz::desktop::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    options = parsed.options;
    if (!parsed.error.empty()) {
        std::cerr << "kvizomat: " << parsed.error << "\nTry 'kvizomat --help'.\n";
        return 2;
    }
    if (options.help) {
        std::cout << kvz::desktop::usage();
        return 0;
    }
    if (options.version) {
        std::cout << "kvizomat " << KVZ_VERSION << "\n";
        return 0;
    }
    if (!options.folder.empty() && !QFileInfo(QString::fromStdString(options.folder)).isDir()) {
        std::cerr << "kvizomat: --dir " << options.folder << ": no such folder\n";
        return 2;
    }
    return std::nullopt;
}

kvz::desktop::FolderChoice programFolder(const Options& options) {
    if (!options.folder.empty())
        return {QFileInfo(QString::fromStdString(options.folder)).absoluteFilePath(), {}};
    const QString here = QCoreApplication::applicationDirPath();
    return kvz::desktop::chooseProgramFolder(here, kvz::desktop::installedTemplateFolder(here),
                                             kvz::desktop::userDataFolder(),
                                             QDateTime::currentDateTime());
}

// The player's choice of letters is kept in the user's settings; --latin holds for one run.
void chooseScript(kvz::desktop::FormWidget& window, const Options& options) {
    static const QString kKey = QStringLiteral("script");
    const bool latin =
        options.latin || QSettings().value(kKey).toString() == QLatin1String("latin");
    window.setScript(latin ? Script::Latin : Script::Cyrillic);
    window.onScriptChosen([](Script script) {
        QSettings().setValue(kKey, script == Script::Latin ? QStringLiteral("latin")
                                                           : QStringLiteral("cyrillic"));
    });
}

// Lets the window settle on screen (a full-screen window is resized once shown).
void settle() {
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    Options options;
    if (std::optional<int> code = endsAtCommandLine(argc, argv, options)) return *code;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kvizomat"));
    QApplication::setOrganizationName(QStringLiteral("kvizomat"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kvizomat.Kvizomat"));
    kvz::desktop::registerBundledFonts();

    const kvz::desktop::FolderChoice folder = programFolder(options);
    kvz::desktop::QtPlatform platform(folder.folder);
    platform.setMuted(options.mute);
    if (!folder.notice.isEmpty())
        platform.messageBox(folder.notice.toStdString(), "Kvizomat", kvz::MessageIcon::Exclamation);

    kvz::Generator generator;
    kvz::Form1 form(platform, generator);
    kvz::desktop::FormWidget window(form);
    kvz::desktop::closeOnEndSignals(window);
    chooseScript(window, options);
    if (!window.start()) return 0;

    placeOnScreen(window);
    if (options.firstFrame) new kvz::desktop::FirstFrameProbe(window); // the window owns it
    if (options.fullscreen)
        window.toggleFullScreen();
    else
        window.show();
    if (!options.screenshot.empty()) {
        settle();
        return window.renderImage().save(QString::fromStdString(options.screenshot)) ? 0 : 1;
    }
    return QApplication::exec();
}
