// SPDX-License-Identifier: GPL-3.0-or-later
// The program's window end to end: it starts on the bundled database, paints the opening
// screen, and a name typed into the name box plus a click on Start begin a game.
#include "DesktopFixture.h"
#include "Fonts.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QLineEdit>
#include <set>

namespace kvz::test {

namespace {

// A point inside the rung's amount label, clear of its right-aligned text.
QPointF rungBackground(const Control& amount) {
    const QRectF r = desktop::windowRect(amount);
    return {r.left() + 60, r.center().y()};
}

// The colour of the window's pixel at a point given in twips.
QColor pixelAt(const QImage& image, QPointF twips) {
    return image.pixelColor((twips / desktop::kTwipsPerPixel).toPoint());
}

} // namespace

struct SmokeTest : DesktopTest {
    void SetUp() override { startProgram(); }
};

TEST_F(SmokeTest, theOpeningScreenPaintsTheModelsLadderAndANameAndAClickOnStartBeginAGame) {
    const QImage image = window.renderImage();
    const std::string png = dir.file("opening.png");
    ASSERT_TRUE(image.save(QString::fromStdString(png)));
    const QImage saved(QString::fromStdString(png));
    ASSERT_EQ(saved.size(), window.size());

    std::set<QRgb> rungColours;
    for (int i = 1; i <= 15; ++i) {
        const QColor painted = pixelAt(saved, rungBackground(form.lblCIFRA[i]));
        EXPECT_EQ(painted, desktop::toQColor(form.lblCIFRA[i].back)) << i;
        rungColours.insert(painted.rgb());
    }
    EXPECT_TRUE(rungColours.count(QColor(0, 0, 128).rgb())) << "no navy rung";
    EXPECT_TRUE(rungColours.count(QColor(255, 255, 255).rgb())) << "no white rung";
    EXPECT_TRUE(window.nameBox().isVisible());
    EXPECT_TRUE(platform.messages.empty());

    typeIntoNameBox("pera");
    EXPECT_EQ(form.Text1.caption, "pera");
    EXPECT_EQ(window.nameBox().text(), QString::fromUtf8("пера")) << "shown in the display font";

    clickOn(form.lblStart);

    EXPECT_EQ(form.lblStart.caption, " Pera") << "the proper-cased name after one blank";
    EXPECT_EQ(form.lblCIFRA[15].back, kOrange);
    EXPECT_EQ(pixelAt(window.renderImage(), rungBackground(form.lblCIFRA[15])),
              desktop::toQColor(kOrange));
    EXPECT_TRUE(window.timers().realTimer(form.timNajava).isActive());
    EXPECT_EQ(window.timers().realTimer(form.timNajava).interval(), form.timNajava.interval());

    // The announcement goes on by itself on real timers.
    EXPECT_TRUE(runUntil([this] { return form.AnnounceStep >= 2; }));
}

TEST_F(SmokeTest, aNameTypedInEitherAlphabetOrPastedBecomesTheSameCodeAndTheRestIsRefused) {
    auto entered = [this](const std::string& text) {
        while (!form.Text1.caption.empty()) typeIntoNameBox("\b");
        typeIntoNameBox(text);
        return form.Text1.caption;
    };
    EXPECT_EQ(entered("Ђорђе Петровић"), "\\or|e Petrovi}");
    EXPECT_EQ(window.nameBox().text(), QString::fromUtf8("Ђорђе Петровић"));
    EXPECT_EQ(entered("Đorđe Petrović"), "\\or|e Petrovi}");
    EXPECT_EQ(platform.beeps, 0);

    // A paste goes through the same filter: its first line only.
    QApplication::clipboard()->setText(QString::fromUtf8("Đurđa Šćepanović\nDruga"));
    entered("");
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QApplication::sendEvent(&window.nameBox(), &paste);
    EXPECT_EQ(form.Text1.caption, "\\ur|a [}epanovi}");

    // A character the display code or the name cannot hold beeps and stays out.
    EXPECT_EQ(entered("Ана€y_"), "Ana");
    EXPECT_EQ(platform.beeps, 3);
    // A paste the line edit makes itself, past the keys: the box takes back the game's text.
    QApplication::clipboard()->setText(QStringLiteral("yyy"));
    window.nameBox().paste();
    EXPECT_EQ(form.Text1.caption, "Ana");
    EXPECT_EQ(window.nameBox().text(), QString::fromUtf8("Ана"));

    // Latin lj is joined into one letter when the game starts, as Cyrillic љ is at once.
    EXPECT_EQ(entered("Љиља"), "Qiqa");
    entered("Ljilja");
    clickOn(form.lblStart);
    EXPECT_EQ(form.lblStart.caption, " Qiqa");
}

TEST_F(SmokeTest, clickableControlsShowTheGamesOwnPointerAndTheRestTheArrow) {
    ASSERT_TRUE(form.lblStart.handCursor);
    sendMouse(QEvent::MouseMove, form.lblStart);
    EXPECT_EQ(window.cursor().shape(), Qt::BitmapCursor);
    EXPECT_FALSE(window.cursor().pixmap().isNull()) << "drawn from the bundled picture";

    ASSERT_FALSE(form.Label2.handCursor);
    sendMouse(QEvent::MouseMove, form.Label2);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(SmokeTest, aCaptionTooLongForItsLabelIsDrawnSmallerInsteadOfCutOff) {
    auto fits = [](const Control& c) {
        const QRectF rect = desktop::windowRect(c);
        const QString text = desktop::shownText(c.font, c.caption);
        const QFont font = desktop::captionFont(c, text, rect);
        const QRectF needed =
            QFontMetricsF(font).boundingRect(rect, Qt::AlignTop | Qt::TextWordWrap, text);
        return std::pair{font.pixelSize(), needed.height() <= rect.height() + 1 &&
                                               needed.width() <= rect.width() + 1};
    };
    const int designSize = desktop::fontFor(form.Label1[1].font, form.Label1[1].size,
                                            form.Label1[1].bold, desktop::kTwipsPerPoint)
                               .pixelSize();
    EXPECT_EQ(fits(form.Label1[1]).first, designSize) << "a short caption keeps its size";

    // The status line of a won game is one line high and too narrow for its design size.
    form.Label1[1].caption = "Ko ima ZNAWE - ne treba mu MILION!";
    auto [size, fitted] = fits(form.Label1[1]);
    EXPECT_TRUE(fitted);
    EXPECT_LT(size, designSize);

    // A 150-character question at a small window still fits its label.
    form.Form.width = 9600;
    form.Form.height = 7200;
    form.Form_Resize();
    std::string question = "Koja";
    while (question.size() < 150) question += " reka te~e";
    form.lblKviz[0].caption = question + "?";
    EXPECT_TRUE(fits(form.lblKviz[0]).second);
}

TEST_F(SmokeTest, escEndsTheProgramWithTheGameCountedByAStartClickInTheFile) {
    auto storedStarts = [this] { return storedSetting(dir.file("Baza.mdb"), "Start").number(); };
    const double before = storedStarts();
    typeIntoNameBox("pera");
    clickOn(form.lblStart);
    // The window's click hands the count to the writer thread; ending waits for it.
    releaseKey(window, Qt::Key_Escape);
    ASSERT_TRUE(form.ended);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(storedStarts(), before + 1);
    EXPECT_TRUE(platform.messages.empty());
}

} // namespace kvz::test
