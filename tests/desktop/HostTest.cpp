// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces of the desktop host: key codes, timers, hit testing, text and the copy lock.
#include "DesktopFixture.h"
#include "Fonts.h"
#include "KeyCodes.h"
#include "ProgramFolder.h"
#include "Sound.h"
#include "TimerSync.h"

#include <QDir>
#include <QKeyEvent>
#include <QTimer>

namespace kvz::test {

namespace {

std::optional<int> codeOf(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                          const char* text = "", quint32 scanCode = 0) {
    QKeyEvent event(QEvent::KeyRelease, qtKey, modifiers, scanCode, 0, 0, QString::fromUtf8(text));
    return desktop::virtualKeyCode(event);
}

std::vector<int> typed(int qtKey, const char* text, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, qtKey, m, QString::fromUtf8(text));
    return desktop::typedCodes(event);
}

} // namespace

TEST(KeyCodes, keysGetTheCodesTheGameTestsWhateverShiftPadAndLayoutSayAndTypeTheirCharacters) {
    const std::vector<std::pair<int, std::optional<int>>> plainKeys = {
        {Qt::Key_A, 65},        {Qt::Key_G, 71},      {Qt::Key_1, 49},
        {Qt::Key_Return, 13},   {Qt::Key_Escape, 27}, {Qt::Key_F1, 112},
        {Qt::Key_Backspace, 8}, {Qt::Key_Space, 32},  {Qt::Key_unknown, std::nullopt}};
    for (const auto& [key, code] : plainKeys) EXPECT_EQ(codeOf(key), code) << key;
    EXPECT_EQ(codeOf(Qt::Key_A, Qt::ShiftModifier), 65);
    EXPECT_EQ(codeOf(Qt::Key_1, Qt::KeypadModifier), 97) << "the pad's 1 is not an answer key";
    EXPECT_EQ(codeOf(Qt::Key_Enter, Qt::KeypadModifier), 13);
    // Shift+1 reports "!", a Cyrillic layout its own letter: both act by their place.
    EXPECT_EQ(codeOf(Qt::Key_Exclam, Qt::ShiftModifier, "!", 10), 49);
    EXPECT_EQ(codeOf(0x424, Qt::NoModifier, "ф", 38), 65);

    EXPECT_EQ(typed(Qt::Key_A, "a"), std::vector<int>{97});
    EXPECT_EQ(typed(Qt::Key_A, "A", Qt::ShiftModifier), std::vector<int>{65});
    EXPECT_EQ(typed(Qt::Key_Return, "\r"), std::vector<int>{13});
    EXPECT_EQ(typed(Qt::Key_Backspace, "\b"), std::vector<int>{8});
    EXPECT_EQ(typed(Qt::Key_V, "\x16", Qt::ControlModifier), std::vector<int>{22});
    EXPECT_EQ(typed(Qt::Key_Tab, "\t"), std::vector<int>{});
    const std::vector<int> euro = typed(0x20ac, "€");
    ASSERT_EQ(euro.size(), 1u);
    EXPECT_GT(euro[0], 126) << "beyond 7-bit, so the name filter refuses it";
}

TEST(DisplayCode, everySerbianLetterIsTypedAsItsCodeAndOnlyTheDisplayFontShowsTheCodeAsCyrillic) {
    const std::string display = "abvgd|e`zijklqmnwoprst}ufhc~x{";
    const QString cyrillic = QString::fromUtf8("абвгдђежзијклљмнњопрстћуфхцчџш");
    const QString latin = QString::fromUtf8("abvgdđežzijkl#mn#oprstćufhcč#š");
    for (int i = 0; i < cyrillic.size(); ++i) {
        const auto small = static_cast<unsigned char>(display[static_cast<std::size_t>(i)]);
        EXPECT_EQ(desktop::typedText(cyrillic.mid(i, 1)), std::vector<int>{small}) << i;
        const int capital = std::isalpha(small) ? std::toupper(small) : small - 32;
        EXPECT_EQ(desktop::typedText(cyrillic.mid(i, 1).toUpper()), std::vector<int>{capital}) << i;
        if (latin[i] == u'#') continue; // lj, nj, dž: two letters, joined at the start
        EXPECT_EQ(desktop::typedText(latin.mid(i, 1)), std::vector<int>{small}) << i;
        EXPECT_EQ(desktop::typedText(latin.mid(i, 1).toUpper()), std::vector<int>{capital}) << i;
    }
    EXPECT_EQ(desktop::typedText(QString::fromUtf8("Ђ")),
              desktop::typedText(QString::fromUtf8("Đ")));

    EXPECT_EQ(desktop::shownText("Cir Arial", "TA^NO!!!"), QString::fromUtf8("ТАЧНО!!!"));
    EXPECT_EQ(desktop::shownText("Arial", "Esc "), QStringLiteral("Esc "));
    EXPECT_EQ(desktop::shownText("Tahoma", "1.000"), QStringLiteral("1.000"));
    EXPECT_EQ(desktop::fontFor("Tahoma", 12, true, 20).family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(desktop::fontFor("Cir Arial", 12, false, 20).pixelSize(), 240);
}

TEST(TimerSync, realTimersFollowTheModelsSwitchesAndIntervalsAndRestarts) {
    qtApp();
    std::uint64_t sequence = 0;
    Timer a{"a", 700, true, sequence};
    Timer b{"b", 500, false, sequence};
    QObject owner;
    desktop::TimerSync sync(
        {&a, &b}, [](Timer&) {}, &owner);
    sync.sync();
    EXPECT_TRUE(sync.realTimer(a).isActive());
    EXPECT_EQ(sync.realTimer(a).interval(), 700);
    EXPECT_FALSE(sync.realTimer(b).isActive());

    b.setEnabled(true);
    a.setInterval(0);
    sync.sync();
    EXPECT_TRUE(sync.realTimer(b).isActive());
    EXPECT_FALSE(sync.realTimer(a).isActive()) << "interval 0 never fires";

    a.setInterval(200);
    b.setEnabled(false);
    sync.sync();
    EXPECT_TRUE(sync.realTimer(a).isActive());
    EXPECT_EQ(sync.realTimer(a).interval(), 200);
    EXPECT_FALSE(sync.realTimer(b).isActive());

    // A restarted countdown starts afresh; an untouched one runs on.
    a.setInterval(1000);
    b.setInterval(1000);
    b.setEnabled(true);
    sync.sync();
    letRun(std::chrono::milliseconds(300));

    a.setInterval(1000); // restarts a's countdown, leaves b's alone
    sync.sync();
    EXPECT_GT(sync.realTimer(a).remainingTime(), sync.realTimer(b).remainingTime() + 100);
}

using HitTest = DesktopTest;

TEST_F(HitTest, theTopmostShownControlTakesTheMouseFramesHoldTheirChildrenShapesLetItThrough) {
    const QPointF da = desktop::windowRect(form.lblDANE[0]).center();
    form.Frame1.visible = false;
    EXPECT_NE(&desktop::controlAt(form, da), &form.lblDANE[0]) << "inside a hidden frame";
    form.Frame1.visible = true;
    EXPECT_EQ(&desktop::controlAt(form, da), &form.lblDANE[0]);

    form.picHelp.visible = true;
    EXPECT_EQ(&desktop::controlAt(form, da), &form.picHelp) << "the help panel lies on top";

    EXPECT_EQ(&desktop::controlAt(form, {-100, -100}), &form.Form);

    form.picHelp.visible = false;
    form.shpPub[0].visible = true;
    const QPointF bar = desktop::windowRect(form.shpPub[0]).center();
    EXPECT_NE(&desktop::controlAt(form, bar), &form.shpPub[0]);
}

TEST(QtPlatform, theCopyRunningIsAWindowOnTheSameDatabaseAndASecondStartCallsItToTheFront) {
    TempDir shared, other;
    const QString folder = withBundledDatabase(shared);
    // A socket left behind by a copy that died is taken over by the next first copy.
    writeFile(desktop::InstanceBeacon::socketPathFor(folder).toStdString(), "stale");
    auto first = std::make_unique<desktop::QtPlatform>(folder);
    int calls = 0;
    first->onCalledToFront([&calls] { ++calls; });
    EXPECT_FALSE(first->anotherCopyRunning());
    EXPECT_FALSE(first->anotherCopyRunning()) << "a window is no copy of itself";

    desktop::QtPlatform second(folder);
    EXPECT_TRUE(second.anotherCopyRunning());
    EXPECT_TRUE(runUntil([&calls] { return calls > 0; }));
    EXPECT_EQ(calls, 1);
    desktop::QtPlatform elsewhere(withBundledDatabase(other));
    EXPECT_FALSE(elsewhere.anotherCopyRunning()) << "a window on another database";
    first.reset();
    desktop::QtPlatform third(folder);
    EXPECT_FALSE(third.anotherCopyRunning()) << "the first window's mark went with it";

    EXPECT_FALSE(desktop::InstanceBeacon::call(
        desktop::InstanceBeacon::socketPathFor(QString::fromStdString(other.file("none")))));
}

TEST(QtPlatform, aSoundStartsAndReturnsAtOnceEvenWithoutAnAudioDevice) {
    qtApp();
    EXPECT_NE(desktop::loadSound(), nullptr) << "no sound module beside the program";
    TempDir dir;
    writeFile(dir.file("broken.wav"), "RIFF....WAVEfmt ");
    desktop::QtPlatform platform(QString::fromUtf8(KVZ_PROGRAM_DIR));
    platform.beep();
    platform.playWav(platform.programFolder() + "/Mil.wav");
    platform.beep();                                            // over the fanfare
    platform.playWav(platform.programFolder() + "/Drugar.wav"); // cuts the first one off
    platform.playWav(platform.programFolder() + "/missing.wav");
    platform.playWav(dir.file("broken.wav"));
    letRun(std::chrono::milliseconds(200));
}

TEST(QtPlatform, dataAndFontsFollowAnAbsoluteXdgDataHomeAndTheFontThereCountsAsRegistered) {
    qtApp();
    TempDir dir;
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir.file("share")));
    desktop::QtPlatform platform(QString::fromStdString(dir.path().string()));
    EXPECT_EQ(platform.fontFolder(), dir.file("share") + "/fonts");
    EXPECT_FALSE(platform.registerDisplayFont("any"));
    writeFile(dir.file("_ARIAL.TTF"), "font");
    EXPECT_TRUE(platform.copyFile(dir.file("_ARIAL.TTF"), platform.fontFolder() + "/_ARIAL.TTF"));
    EXPECT_TRUE(platform.registerDisplayFont("any"));

    // A relative one is ignored, not read against the current folder.
    qputenv("XDG_DATA_HOME", "podaci/share");
    EXPECT_EQ(desktop::userDataFolder(), QDir::homePath() + "/.local/share/kvizomat");
    EXPECT_EQ(desktop::QtPlatform().fontFolder(),
              (QDir::homePath() + "/.local/share/fonts").toStdString());
    qputenv("XDG_DATA_HOME", "/srv/podaci/");
    EXPECT_EQ(desktop::userDataFolder(), QStringLiteral("/srv/podaci/kvizomat"));
    qunsetenv("XDG_DATA_HOME");
}

} // namespace kvz::test
