// SPDX-License-Identifier: GPL-3.0-or-later
// The program as an installed application: where it keeps the player's data, its command
// line, the larger drawing for a projector and the choice of Latin letters.
#include "CommandLine.h"
#include "DesktopFixture.h"
#include "ProgramFolder.h"
#include "WindowFit.h"
#include "data/BankRelease.h"
#include "data/DatabaseLock.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>

namespace kvz::test {

namespace {

namespace fs = std::filesystem;

const std::string kProgram = std::string(KVZ_PROGRAM_DIR) + "/kvizomat";

// An installation: an executable folder without a database, the template beside it, and
// the user's data folder (not yet made).
class Installed : public ::testing::Test {
  protected:
    Installed() {
        qtApp();
        fs::create_directories(bin);
        fs::create_directories(root.path() / "share/kvizomat");
        fs::copy_file(fs::path(KVZ_PROGRAM_DIR) / "Baza.mdb", templateBank);
        for (const char* sound : {"Mil.wav", "Drugar.wav"}) writeFile(templateFile(sound), "RIFF");
    }

    std::string templateFile(const std::string& name) const {
        return root.file("share/kvizomat/" + name);
    }
    std::string userFile(const std::string& name) const { return user + "/" + name; }
    // The notice of a start that plays from the user's folder.
    std::string noticeOfStart() const {
        const desktop::FolderChoice choice = choose();
        EXPECT_EQ(choice.folder.toStdString(), user);
        return choice.notice.toStdString();
    }
    desktop::FolderChoice choose() const {
        const QString executable = QString::fromStdString(bin);
        return desktop::chooseProgramFolder(
            executable, desktop::installedTemplateFolder(executable), QString::fromStdString(user),
            QDateTime(QDate(2026, 12, 6), QTime(20, 15, 30)));
    }

    // A newer release of the bank installed over the template: one question more.
    void installNewerBank() const {
        Connection conn(templateBank, kDatabasePassword);
        conn.exec("INSERT INTO tbKviz (Pitanje, A, B, V, G, RB, Tac) "
                  "VALUES ('Novo pitawe', 'a', 'b', 'v', 'g', 7, 3)");
        markRelease(conn, bankRelease(conn) + 1, {});
    }

    TempDir root;
    const std::string bin = root.file("bin"), user = root.file("user/kvizomat");
    const std::string userBank = userFile("Baza.mdb"), templateBank = templateFile("Baza.mdb");
};

// A picture drawn by `pictures` over the whole of a black image.
QImage drawn(desktop::Pictures& pictures, const std::string& name, QSize size,
             desktop::Script script = desktop::Script::Cyrillic) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    pictures.draw(painter, QRectF(QPointF(0, 0), size), name, script);
    return image;
}

bool holdsOpen(pid_t pid, const fs::path& file) {
    std::error_code ec;
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec))
        if (fs::read_symlink(fd.path(), ec) == file) return true;
    return false;
}

} // namespace

TEST_F(Installed, theFirstStartFillsTheUsersFolderFromTheTemplateAndTheNextKeepsIt) {
    EXPECT_EQ(noticeOfStart(), "");
    for (const char* name : {"Baza.mdb", "Mil.wav", "Drugar.wav"})
        EXPECT_EQ(readFile(userFile(name)), readFile(templateFile(name))) << name;
    EXPECT_TRUE(QFile::permissions(QString::fromStdString(userBank)) & QFile::WriteOwner);

    // Records written since the first start are kept across starts.
    Connection(userBank, kDatabasePassword, Connection::Mode::OpenExisting)
        .exec("UPDATE tbStat SET Start = 41");
    const std::string played = readFile(userBank);

    EXPECT_EQ(noticeOfStart(), "");
    EXPECT_EQ(readFile(userBank), played);
}

TEST_F(Installed,
       anOlderCopyGetsTheNewQuestionsKeepsWhatWasPlayedAndAFailedUpgradeLeavesItAsItWas) {
    choose();
    Connection copy(userBank, kDatabasePassword);
    copy.exec("UPDATE tbStat SET Start = 41");
    // A write that fails inside the upgrade, as on a full disk.
    copy.exec("CREATE TRIGGER fails AFTER INSERT ON tbKviz "
              "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    installNewerBank();
    const std::string before = readFile(userBank);
    EXPECT_TRUE(contains(noticeOfStart(), "нису пренесена"));
    EXPECT_EQ(readFile(userBank), before);
    EXPECT_FALSE(fs::exists(asideCopyPath(userBank)));

    copy.exec("DROP TRIGGER fails");
    EXPECT_EQ(noticeOfStart(), "");
    EXPECT_EQ(bankRelease(copy), bankRelease(Connection(templateBank, kDatabasePassword)));
    auto added = copy.prepare("SELECT COUNT(*) FROM tbKviz WHERE Pitanje = 'Novo pitawe'");
    ASSERT_TRUE(added.step());
    EXPECT_EQ(added.column(0).number(), 1);
    EXPECT_EQ(storedSetting(userBank, "Start").number(), 41);
    EXPECT_FALSE(fs::exists(asideCopyPath(userBank)));
}

TEST_F(Installed, aDamagedCopyIsKeptAsideUnderADatedNameAMissingOneIsMadeAnewAndThePlayerIsTold) {
    choose();
    const std::string whole = readFile(templateBank);
    for (const std::string& damage : {std::string("this is no database at all"), std::string(),
                                      whole.substr(0, whole.size() / 2)}) {
        SCOPED_TRACE(damage.size());
        writeFile(userBank, damage);
        EXPECT_TRUE(contains(noticeOfStart(), "Baza-ostecena-20261206-201530.mdb"));
        const std::string kept = userFile("Baza-ostecena-20261206-201530.mdb");
        EXPECT_EQ(readFile(kept), damage) << "the damaged file is kept as it was";
        EXPECT_EQ(readFile(userBank), whole);
        fs::remove(kept);
    }

    fs::remove(userBank);
    fs::remove(userFile("Mil.wav"));
    EXPECT_TRUE(contains(noticeOfStart(), "није пронађена"));
    EXPECT_EQ(readFile(userBank), whole);
    EXPECT_TRUE(fs::exists(userFile("Mil.wav"))) << "a lost sound comes back silently";
}

TEST_F(Installed, aPortableFolderWithItsOwnDatabasePlaysWhereItIs) {
    fs::copy_file(templateBank, bin + "/Baza.mdb");
    EXPECT_EQ(choose().folder.toStdString(), bin);
    EXPECT_FALSE(fs::exists(root.path() / "user")) << "nothing is copied for a portable copy";
    // Without a template the executable's folder is used too, and the game reports the loss.
    fs::remove(bin + "/Baza.mdb");
    fs::remove_all(root.path() / "share");
    EXPECT_EQ(choose().folder.toStdString(), bin);
}

TEST(CommandLine, knownOptionsAndAllTheHelpNamesAreReadAndAnythingElseIsRefusedWithStatusTwo) {
    using desktop::parseCommandLine;
    const desktop::ParsedOptions all =
        parseCommandLine({"--fullscreen", "--latin", "--mute", "--dir", "/srv/kviz"});
    EXPECT_TRUE(all.error.empty());
    EXPECT_TRUE(all.options.fullscreen && all.options.latin && all.options.mute);
    EXPECT_EQ(all.options.folder, "/srv/kviz");
    EXPECT_EQ(parseCommandLine({"--dir=/a b"}).options.folder, "/a b");
    EXPECT_TRUE(parseCommandLine({}).error.empty());
    const desktop::ParsedOptions shortForms = parseCommandLine({"-h", "-V"});
    EXPECT_TRUE(shortForms.options.help && shortForms.options.version) << shortForms.error;

    EXPECT_EQ(parseCommandLine({"--fulscreen"}).error, "непозната опција '--fulscreen'");
    EXPECT_EQ(parseCommandLine({"game.mdb"}).error, "непозната опција 'game.mdb'");
    EXPECT_EQ(parseCommandLine({"--dir"}).error, "опција --dir тражи вриједност");
    EXPECT_FALSE(parseCommandLine({"--dir="}).error.empty());
    for (const auto language : {desktop::HelpLanguage::English, desktop::HelpLanguage::Serbian}) {
        const std::string help = desktop::usage(language);
        for (std::size_t at = help.find(" -"); at != std::string::npos;
             at = help.find(" -", at + 1)) {
            const std::string option =
                help.substr(at + 1, help.find_first_of(" ,\n", at + 1) - at - 1);
            // A valued option alone is refused for its missing value, never as unknown.
            EXPECT_FALSE(contains(parseCommandLine({option}).error, "непозната")) << option;
        }
    }

    // The program itself: two on a refused option, nothing else started; zero on help.
    std::string output;
    EXPECT_EQ(runCommand(kProgram + " --no-such-thing", &output), 2);
    EXPECT_TRUE(contains(output, "непозната опција '--no-such-thing'"));
    EXPECT_EQ(runCommand(kProgram + " --help", &output), 0);
    EXPECT_TRUE(contains(output, "--fullscreen"));
    EXPECT_EQ(runCommand(kProgram + " --version", &output), 0);
    EXPECT_EQ(output.rfind("kvizomat ", 0), 0u) << output;
    for (const std::string name : {"kvizomat", "kvizomat-db", "kvizomat-script"}) {
        const std::string tool = std::string(KVZ_PROGRAM_DIR) + "/" + name;
        EXPECT_EQ(runCommand(tool + " -V", &output), 0) << name;
        EXPECT_EQ(output.rfind(name + " ", 0), 0u) << output;
        EXPECT_EQ(runCommand("LANG=C " + tool + " -h", &output), 0) << name;
        EXPECT_EQ(output.rfind("Usage: " + name + " ", 0), 0u) << output;
    }
}

TEST(CommandLine, helpIsInEnglishUnlessTheLocaleIsSerbianAndThenInThePlayersLetters) {
    TempDir config;
    const std::string env =
        "env -u LC_ALL -u LC_MESSAGES XDG_CONFIG_HOME=" + config.path().string();
    // The first line of the help under the locale variables given.
    auto firstLine = [&](const std::string& locale) {
        std::string output;
        EXPECT_EQ(runCommand(env + " " + locale + " " + kProgram + " -h", &output), 0);
        return output.substr(0, output.find('\n'));
    };
    EXPECT_EQ(firstLine("LANG=en_US.UTF-8"), "Usage: kvizomat [OPTION]...");
    EXPECT_EQ(firstLine("LANG=sr_RS.UTF-8"), "Употреба: kvizomat [ОПЦИЈА]...");
    // LC_MESSAGES outranks LANG; the saved choice of Latin letters holds for the help too.
    fs::create_directories(config.path() / "kvizomat");
    writeFile(config.file("kvizomat/Kvizomat.conf"), "[General]\nscript=latin\n");
    EXPECT_EQ(firstLine("LANG=en_US.UTF-8 LC_MESSAGES=sr_RS@latin"),
              "Upotreba: kvizomat [OPCIJA]...");
    EXPECT_EQ(firstLine("LANG=sr_RS.UTF-8 LC_MESSAGES=C"), "Usage: kvizomat [OPTION]...");
}

TEST(CommandLine, aStartThatCannotGoOnSaysWhyAndExitsWithAFailureStatus) {
    TempDir dir;
    std::string output;
    // A screenshot that cannot be written is refused before the window, with two.
    const std::string missing = dir.file("nema/slika.png");
    EXPECT_EQ(runCommand(kProgram + " --screenshot " + missing, &output), 2);
    EXPECT_TRUE(contains(output, missing + ": слика не може да се сачува: нема фасцикле"));
    EXPECT_EQ(desktop::whyNotWritable(dir.path().string()), "то је фасцикла");

    // A folder the player may not write to; a file that can be written is not left behind.
    fs::create_directories(dir.path() / "locked");
    fs::permissions(dir.path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    const auto why = asOrdinaryUser(dir.path().string(), [&] {
        return desktop::whyNotWritable(dir.file("locked/slika.png")) + "|" +
               desktop::whyNotWritable(dir.file("slika.png"));
    });
    EXPECT_EQ(why, "нема дозволе за писање|");
    EXPECT_FALSE(fs::exists(dir.path() / "slika.png"));

    const std::string program = kProgram + " --dir " + dir.path().string();
    // No database in the folder: the game's own message, then the failure status.
    EXPECT_EQ(runCommand("QT_QPA_PLATFORM=offscreen " + program, &output), 1);
    EXPECT_TRUE(contains(output, "Kraj! Obrisana je baza podataka."));
    // No screen at all: said in the player's words, not by a crash.
    EXPECT_EQ(
        runCommand("env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY " + program, &output), 1);
    EXPECT_TRUE(contains(output, "нема екрана"));
}

using Presenter = DesktopTest;

TEST_F(Presenter, aWindowOfAnySizeDrawsTheWholeGameScaledAndClicksStillFindTheirControls) {
    startProgram();
    window.resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(window.viewScale(), 1);
    EXPECT_EQ(form.Form.width, 1000 * 15);

    // Smaller than the design, nothing is cut off: the whole game is drawn smaller.
    window.resize(700, 500);
    QApplication::processEvents();
    EXPECT_NEAR(window.viewScale(), 500.0 / 594, 0.01);
    EXPECT_EQ(form.Form.height, 8910);
    EXPECT_TRUE(window.rect().contains(window.nameBox().geometry())) << "the name box is reachable";

    window.resize(1920, 1080);
    QApplication::processEvents();
    const double scale = window.viewScale();
    EXPECT_NEAR(scale, 1080.0 / 594, 0.01) << "the height of the design fills the screen";
    // The game keeps its design and is drawn centred between two bands of background.
    EXPECT_EQ(std::pair(form.Form.width, form.Form.height), std::pair(11910, 8910));
    const double left = (1920 - 794 * scale) / 2;

    // The name box and Start, where they are drawn, act as at normal size.
    const QRect box = window.nameBox().geometry();
    const QRectF drawn = desktop::windowRect(form.Text1);
    EXPECT_NEAR(box.width(), drawn.width() / 15 * scale, 2);
    EXPECT_NEAR(box.left(), left + drawn.left() / 15 * scale, 2);
    typeIntoNameBox("vesna");
    const QPointF start =
        QPointF(left, 0) + desktop::windowRect(form.lblStart).center() / 15 * scale;
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        sendMouseAt(type, start);
    EXPECT_EQ(form.lblStart.caption, " Vesna");

    // Full screen fills the screen whatever its size, not only from one and a half times.
    window.toggleFullScreen();
    QApplication::processEvents();
    const QSize screen = window.size();
    EXPECT_NEAR(window.viewScale(), std::min(screen.width() / 794.0, screen.height() / 594.0),
                0.01);
    EXPECT_EQ(form.Form.width, 11910);
}

TEST_F(Presenter, f12SwitchesTheLettersAndTellsWhoRemembersTheChoice) {
    startProgram();
    std::vector<desktop::Script> chosen;
    window.onScriptChosen([&](desktop::Script s) { chosen.push_back(s); });
    typeIntoNameBox("~ika");
    EXPECT_EQ(window.nameBox().text(), QString::fromUtf8("чика"));

    releaseKey(window, Qt::Key_F12);
    EXPECT_EQ(window.nameBox().text(), QString::fromUtf8("čika"));
    EXPECT_EQ(form.Text1.caption, "~ika") << "the game's own text does not change";
    releaseKey(window, Qt::Key_F12);
    EXPECT_EQ(chosen, (std::vector{desktop::Script::Latin, desktop::Script::Cyrillic}));
    EXPECT_TRUE(platform.messages.empty()) << "the game never sees the key";
}

TEST(LatinPictures, picturesWithLetteringHaveALatinVersionAndTheRestStayAsTheyAre) {
    qtApp();
    desktop::Pictures pictures;
    auto inLatin = [&](const std::string& name) {
        return drawn(pictures, name, {200, 250}, desktop::Script::Latin);
    };
    for (const char* lettered :
         {"title.svg", "signature.svg", "wrong.svg", "author.svg", "sponsor.svg"})
        EXPECT_NE(inLatin(lettered), drawn(pictures, lettered, {200, 250})) << lettered;
    EXPECT_EQ(inLatin("stop.svg"), drawn(pictures, "stop.svg", {200, 250}));
}

// Pictures render in the background; prepared many at once, at many sizes, and past the
// number of renders kept, each comes out as the same picture drawn on its own.
TEST(BackgroundPictures, preparedPicturesComeOutAsThoughDrawnAlone) {
    qtApp();
    const std::vector<std::string> names = {"signature.svg", "joker-5050.svg", "stop.svg",
                                            "title.svg"};
    desktop::Pictures together;
    QImage device(400, 400, QImage::Format_ARGB32);
    QPainter painter(&device);
    for (int size = 10; size < 130; ++size)
        for (const std::string& name : names)
            together.prepare(painter, QRectF(0, 0, size, size), name);
    for (int size : {10, 57, 129})
        for (const std::string& name : names) {
            desktop::Pictures alone;
            EXPECT_EQ(drawn(together, name, {size, size}), drawn(alone, name, {size, size}))
                << name << size;
        }
    desktop::Pictures leftBehind; // renders still running when it goes
    for (int size = 100; size < 110; ++size)
        leftBehind.prepare(painter, QRectF(0, 0, size, size), "signature.svg");
}

// Renders kept on disk are read back by the next start; a file that does not hold the
// render it is named for (cut short, or of another size) is drawn again and replaced.
TEST(DiskPictures, keptRendersAreReadBackAndABrokenOneIsDrawnAgain) {
    qtApp();
    TempDir cache;
    const QString folder = QString::fromStdString(cache.file("pictures"));
    auto fromDisk = [&] {
        desktop::Pictures pictures;
        pictures.keepOnDisk(folder);
        return drawn(pictures, "title.svg", {90, 120});
    };
    desktop::Pictures memoryOnly;
    const QImage fresh = drawn(memoryOnly, "title.svg", {90, 120});
    EXPECT_EQ(fromDisk(), fresh);
    const QStringList kept = QDir(folder).entryList(QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    const std::string file = (folder + QLatin1Char('/') + kept.front()).toStdString();
    const std::string whole = readFile(file);

    // Read back, not drawn again: pixels changed in the file show.
    std::string painted = whole;
    std::fill(painted.end() - 400, painted.end(), '\xff');
    writeFile(file, painted);
    EXPECT_NE(fromDisk(), fresh);

    std::string otherSize = whole; // 120 x 90 in the size it names
    std::swap_ranges(otherSize.begin() + 8, otherSize.begin() + 12, otherSize.begin() + 12);
    for (const std::string& broken : {whole.substr(0, whole.size() / 2), otherSize}) {
        writeFile(file, broken);
        EXPECT_EQ(fromDisk(), fresh);
        EXPECT_EQ(readFile(file), whole) << "drawn again and replaced";
    }
}

TEST(WindowFit, aWindowOpensCentredInTheFreeAreaWithItsFrameAndShrinksToFit) {
    using desktop::placeWindow;
    const QMargins frame(1, 24, 1, 1);
    // 1024 x 768 with a 30-pixel panel at the bottom: the design fits, centred.
    EXPECT_EQ(placeWindow({794, 594}, frame, {0, 0, 1024, 738}),
              QRect(1 + (1024 - 796) / 2, 24 + (738 - 619) / 2, 794, 594));
    // A screen 600 pixels high: the frame stays on screen, the inside takes what is left.
    EXPECT_EQ(placeWindow({794, 594}, frame, {0, 0, 800, 600}), QRect(3, 24, 794, 575));
    // The free area need not start at the screen's corner.
    EXPECT_EQ(placeWindow({794, 594}, frame, {0, 40, 800, 560}).top(), 64);
}

TEST(EndSignals, theSessionEndingTheProgramClosesItAsTheWindowWouldAndFreesTheDatabase) {
    TempDir dir;
    fs::copy_file(fs::path(KVZ_PROGRAM_DIR) / "Baza.mdb", dir.path() / "Baza.mdb");
    const pid_t game = startQuietly({kProgram, "--mute", "--dir", dir.path().string()});
    ASSERT_GT(game, 0);
    // Once the game holds its database it has set up its answer to the signal.
    int status = 0;
    while (!holdsOpen(game, dir.path() / "Baza.mdb") && waitpid(game, &status, WNOHANG) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    kill(game, SIGTERM);
    ASSERT_EQ(waitpid(game, &status, 0), game);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by the signal itself, writes under way lost";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NO_THROW(DatabaseLock{dir.file("Baza.mdb")});
}

} // namespace kvz::test
