// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program: the game's window on Qt.
#include "Accessibility.h"
#include "CommandLine.h"
#include "EndSignals.h"
#include "FirstFrame.h"
#include "Fonts.h"
#include "FormWidget.h"
#include "ProgramFolder.h"
#include "QtPlatform.h"
#include "Speech.h"
#include "app/Form1.h"
#include "text/DisplayCode.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <cstdlib>
#include <future>
#include <iostream>

namespace {

using kvz::desktop::Options;
using kvz::desktop::Script;

const QString kScriptKey = QStringLiteral("script");
const QString kSpeakKey = QStringLiteral("speak");

// The player's choice of letters, kept in the user's settings; --latin holds for one run.
Script chosenScript(const Options& options) {
    const bool latin =
        options.latin || QSettings().value(kScriptKey).toString() == QLatin1String("latin");
    return latin ? Script::Latin : Script::Cyrillic;
}

// Our own texts are written in Cyrillic; the Latin choice reads them in Latin letters.
std::string inScript(const std::string& text, Script script) {
    return script == Script::Latin ? kvz::cyrillicToLatin(text) : text;
}

// The options, or the exit code of a run that ends here: 0 for --help and --version, 2 for a
// command line the program does not understand.
std::optional<int> endsAtCommandLine(int argc, char* argv[], Options& options) {
    const auto parsed =
        kvz::desktop::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    options = parsed.options;
    const Script script = chosenScript(options);
    if (!parsed.error.empty()) {
        std::cerr << inScript("kvizomat: " + parsed.error + "\nПокушајте: kvizomat --help\n",
                              script);
        return 2;
    }
    if (options.help) {
        const auto language = kvz::desktop::helpLanguage();
        const std::string help = kvz::desktop::usage(language);
        std::cout << (language == kvz::desktop::HelpLanguage::Serbian ? inScript(help, script)
                                                                      : help);
        return 0;
    }
    if (options.version) {
        std::cout << "kvizomat " << KVZ_VERSION << "\n";
        return 0;
    }
    if (!options.folder.empty() && !QFileInfo(QString::fromStdString(options.folder)).isDir()) {
        std::cerr << inScript("kvizomat: --dir " + options.folder + ": нема такве фасцикле\n",
                              script);
        return 2;
    }
    // Checked before the window opens: a developer should not wait for a start-up whose
    // picture has nowhere to go.
    const std::string why =
        options.screenshot.empty() ? "" : kvz::desktop::whyNotWritable(options.screenshot);
    if (!why.empty()) {
        std::cerr << inScript("kvizomat: --screenshot " + options.screenshot +
                                  ": слика не може да се сачува: " + why + "\n",
                              script);
        return 2;
    }
    return std::nullopt;
}

// Without a screen to open the window on, Qt gives up with a fatal message of its own; the
// player reads ours instead, and the program ends with a failure status.
Script gScriptForFatal = Script::Cyrillic;
void fatalWithoutScreen(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        std::cerr << message.toStdString() << "\n";
        return;
    }
    std::cerr << inScript("kvizomat: прозор игре не може да се отвори: нема екрана (провјерите "
                          "промјенљиву DISPLAY или WAYLAND_DISPLAY).\n",
                          gScriptForFatal);
    std::_Exit(1);
}

// The executable's folder, found as Qt finds it, before the application object exists.
QString executableFolder(const char* argv0) {
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    const QString file = self.exists()
                             ? self.canonicalFilePath()
                             : QFileInfo(QString::fromLocal8Bit(argv0)).absoluteFilePath();
    return QFileInfo(file).absolutePath();
}

kvz::desktop::FolderChoice programFolder(const Options& options, const QString& here) {
    if (!options.folder.empty())
        return {QFileInfo(QString::fromStdString(options.folder)).absoluteFilePath(), {}};
    return kvz::desktop::chooseProgramFolder(here, kvz::desktop::installedTemplateFolder(here),
                                             kvz::desktop::userDataFolder(),
                                             QDateTime::currentDateTime());
}

// The window and the messages follow the player's letters; F12 changes them and is kept.
void chooseScript(kvz::desktop::FormWidget& window, kvz::desktop::QtPlatform& platform,
                  const Options& options) {
    window.setScript(chosenScript(options));
    platform.setScript(window.script());
    window.onScriptChosen([&platform](Script script) {
        platform.setScript(script);
        QSettings().setValue(kScriptKey, script == Script::Latin ? QStringLiteral("latin")
                                                                 : QStringLiteral("cyrillic"));
    });
}

// The program folder is chosen, and its database opened and checked, on a thread of their own
// while the application and the window are built: `chosen` gets the folder, the game the
// database (or why it is refused) where it opens it.
std::future<kvz::OpenedDatabase> openAhead(const Options& options, const QString& here,
                                           std::promise<kvz::desktop::FolderChoice>& chosen) {
    return std::async(std::launch::async, [options, here, &chosen] {
        kvz::desktop::FolderChoice folder;
        try {
            folder = programFolder(options, here);
        } catch (...) {
            chosen.set_exception(std::current_exception());
            throw;
        }
        chosen.set_value(folder);
        return kvz::openGameDatabase(
            QDir(folder.folder).filePath(QStringLiteral("Baza.mdb")).toStdString(),
            kvz::desktop::QtPlatform::kDatabaseMode, kvz::desktop::QtPlatform::checkMemo());
    });
}

// The spoken quiz: on by --speak for one run or by the player's F9, which is kept. What the
// game says is spoken; the game never waits for it. A missing voice is told in a message that
// does not stop the game either.
void chooseSpeech(kvz::desktop::FormWidget& window, kvz::desktop::Speaker& speaker,
                  const Options& options) {
    speaker.setOn(options.speak || QSettings().value(kSpeakKey).toBool());
    window.onSaid([&speaker](const QString& text, kvz::SayPriority priority) {
        speaker.say(text, priority);
    });
    window.onSpeechToggled([&window, &speaker] {
        speaker.setOn(!speaker.on());
        QSettings().setValue(kSpeakKey, speaker.on());
        // Said whichever way it went, so a player who cannot see the screen knows.
        window.say(speaker.on() ? "Govor ukqu~en" : "Govor iskqu~en", kvz::SayPriority::Assertive);
    });
}

void showSpeechNotice(QWidget* window, const QString& text, Script script) {
    std::cerr << "kvizomat: " << inScript(text.toStdString(), script) << "\n";
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Kvizomat"),
                                QString::fromStdString(inScript(text.toStdString(), script)),
                                QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

// Lets the window settle on screen (a full-screen window is resized once shown).
void settle() {
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication::setApplicationName(QStringLiteral("Kvizomat"));
    QApplication::setOrganizationName(QStringLiteral("kvizomat"));
    Options options;
    if (std::optional<int> code = endsAtCommandLine(argc, argv, options)) return *code;
    kvz::desktop::catchEndSignals(); // the database may be held from here on
    std::promise<kvz::desktop::FolderChoice> chosen;
    std::future<kvz::desktop::FolderChoice> folderChosen = chosen.get_future();
    std::future<kvz::OpenedDatabase> database =
        openAhead(options, executableFolder(argv[0]), chosen);

    gScriptForFatal = chosenScript(options);
    kvz::desktop::useOnlyBundledFonts();
    QtMessageHandler previous = qInstallMessageHandler(fatalWithoutScreen);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kvizomat.Kvizomat"));
    kvz::desktop::registerBundledFonts();
    kvz::desktop::installAccessibility();

    const kvz::desktop::FolderChoice folder = folderChosen.get();
    kvz::desktop::QtPlatform platform(folder.folder);
    platform.setMuted(options.mute);
    platform.setScript(chosenScript(options));
    if (!folder.notice.isEmpty())
        platform.messageBox(folder.notice.toStdString(), "Kvizomat", kvz::MessageIcon::Exclamation);

    kvz::Generator generator;
    kvz::Form1 form(platform, generator);
    form.databaseAhead = std::move(database);
    kvz::desktop::FormWidget window(form);
    platform.onCalledToFront([&window] { window.comeToFront(); });
    platform.onSay([&window](const std::string& text, kvz::SayPriority priority) {
        window.say(text, priority);
    });
    kvz::desktop::closeOnEndSignals(window);
    chooseScript(window, platform, options);
    if (const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        !cache.isEmpty())
        window.keepPicturesIn(cache + QStringLiteral("/pictures"));
    kvz::desktop::Speaker speaker(
        [&window](const QString& text) { showSpeechNotice(&window, text, window.script()); });
    chooseSpeech(window, speaker, options);
    if (!window.start()) return form.exitStatus;

    if (options.firstFrame) new kvz::desktop::FirstFrameProbe(window); // the window owns it
    // The icon is drawn at every size the window system may want: not before the first frame.
    new kvz::desktop::AfterFirstFrame(
        window, [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.svg"))); });
    window.open(options.fullscreen);
    if (!options.screenshot.empty()) {
        settle();
        if (window.renderImage().save(QString::fromStdString(options.screenshot))) return 0;
        std::cerr << inScript("kvizomat: --screenshot " + options.screenshot +
                                  ": слика није сачувана\n",
                              window.script());
        return 1;
    }
    const int code = QApplication::exec();
    return form.exitStatus != 0 ? form.exitStatus : code;
}
