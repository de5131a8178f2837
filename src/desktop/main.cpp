// The desktop program: the game's window on Qt.
#include "Fonts.h"
#include "FormWidget.h"
#include "QtPlatform.h"
#include "app/Form1.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

namespace {

// A developer's option: "--screenshot FILE.png" saves the first frame and quits.
QString screenshotFile(const QStringList& arguments) {
    const qsizetype at = arguments.indexOf(QStringLiteral("--screenshot"));
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1] : QString();
}

// Centred across the screen, its top edge at the top of the screen's free area.
void placeOnScreen(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    window.move(area.left() + std::max(0, (area.width() - window.width()) / 2), area.top());
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kvizomat"));
    kvz::desktop::registerBundledFonts();
    const QString screenshot = screenshotFile(QApplication::arguments());

    kvz::desktop::QtPlatform platform;
    kvz::Generator generator;
    kvz::Form1 form(platform, generator);
    kvz::desktop::FormWidget window(form);
    if (!window.start()) return 0;

    if (!screenshot.isEmpty()) return window.renderImage().save(screenshot) ? 0 : 1;
    placeOnScreen(window);
    window.show();
    return QApplication::exec();
}
