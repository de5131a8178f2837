// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fonts.h"

#include "DesktopFixture.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace kvz::test {

// The game draws with the faces it carries and nothing else: a system with other fonts, or
// none, neither slows its start nor changes its look, and the name box and the message
// boxes, which ask for the desktop's generic fonts, get one of its faces with every letter.
TEST(Fonts, theGameSeesOnlyItsOwnFacesAndEveryFontAskedForDrawsWithOne) {
    qtApp();
    const QStringList own = {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")};
    QStringList families = QFontDatabase::families();
    families.removeIf([](const QString& f) {
        return f == QStringLiteral("Sans Serif") || f == QStringLiteral("Serif") ||
               f == QStringLiteral("Monospace");
    });
    EXPECT_EQ(families.join(QLatin1Char(',')).toStdString(),
              own.join(QLatin1Char(',')).toStdString())
        << "Qt's generic names aside";
    for (const QFont& asked : {QApplication::font(), QFont(QStringLiteral("Monospace")),
                               QFont(QStringLiteral("Serif")), QFont(QStringLiteral("No Such"))}) {
        SCOPED_TRACE(asked.family().toStdString());
        EXPECT_TRUE(own.contains(QFontInfo(asked).family()))
            << QFontInfo(asked).family().toStdString();
        for (const QChar letter : QStringLiteral("ЂЖЉЊЋЏђжљњћџČĆŽŠĐ"))
            EXPECT_TRUE(QFontMetrics(asked).inFont(letter)) << int{letter.unicode()};
    }
}

} // namespace kvz::test
