// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopFixture.h"

#include "Fonts.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace kvz::test {

QApplication& qtApp() {
    static int argc = 1;
    static char name[] = "desktop_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        // The player's own settings and cache stay untouched.
        static TempDir config, cache;
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path().string()));
        qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cache.path().string()));
        desktop::useOnlyBundledFonts(); // as the game does
        auto* a = new QApplication(argc, argv);
        desktop::registerBundledFonts();
        return a;
    }();
    return *app;
}

bool runUntil(const std::function<bool()>& done, int timeoutMs) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(20);
    loop.exec();
    return done();
}

void letRun(std::chrono::steady_clock::duration d) {
    runUntil([] { return false; },
             static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count()));
}

// Makes the application first: the platform made from the folder needs it.
QString withBundledDatabase(const TempDir& dir) {
    qtApp();
    std::filesystem::copy_file(std::filesystem::path(KVZ_PROGRAM_DIR) / "Baza.mdb",
                               dir.path() / "Baza.mdb");
    return QString::fromStdString(dir.path().string());
}

DesktopTest::DesktopTest()
    : platform(withBundledDatabase(dir)), form(platform, generator), window(form) {}

void DesktopTest::startProgram() {
    ASSERT_TRUE(window.start()) << (platform.messages.empty() ? "" : platform.messages.front());
    window.show();
    window.resize(window.designSize());
    QApplication::processEvents();
}

void DesktopTest::sendMouse(QEvent::Type type, const Control& c) {
    sendMouseAt(type, desktop::windowRect(c).center() / desktop::kTwipsPerPixel);
}

void DesktopTest::sendMouseAt(QEvent::Type type, QPointF at) {
    QMouseEvent event(type, at, window.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&window, &event);
}

void DesktopTest::clickOn(const Control& c) {
    sendMouse(QEvent::MouseButtonPress, c);
    sendMouse(QEvent::MouseButtonRelease, c);
}

void DesktopTest::typeIntoNameBox(const std::string& text) {
    for (const QChar ch : QString::fromUtf8(text))
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
            QApplication::sendEvent(&window.nameBox(), &event);
        }
}

void DesktopTest::releaseKey(QWidget& target, int qtKey, Qt::KeyboardModifiers modifiers) {
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers);
    QApplication::sendEvent(&target, &release);
}

} // namespace kvz::test
