// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the window into its opening screen.
#include "app/FontInstallation.h"
#include "app/Form1.h"
#include "data/Collaborators.h"

namespace kvz {

namespace {

// Window borders and title bar around the inner area, in twips.
constexpr int kFrameWidth = 90;
constexpr int kFrameHeight = 306;

} // namespace

void Form1::Form_Load() {
    SmallScreen = False;
    if (platform_.anotherCopyRunning()) {
        endProgram();
        return;
    }
    LayoutGap = 90;
    keyPreview = false;
    OdredShown = False;
    ReplacementUsed = False;
    Timer4.setEnabled(false);
    AnswersEnabled = True;
    Timer3.setInterval(500);
    Timer3.setEnabled(false);
    Timer2.setEnabled(false);
    imgAutor.visible = false;
    imgMilion.visible = false;
    Frame1.visible = false;
    HostCheckAvailable = True;
    imgPotpis.visible = false;
    lblOdred.caption = "";
    lblOdred.visible = false;
    StopTypewriter();
    Value ime = RsStat->field("Ime");
    lblIme.caption = ime.isNullOrEmpty() ? "Suncu, 10.06.2003." : ime.text();
    CelebrateStep = 0;

    std::int64_t total = 0;
    for (int n = 1; n <= kLevels; ++n) {
        QuestionCount[static_cast<std::size_t>(n)] = countLevel(*Conn, n);
        total += QuestionCount[static_cast<std::size_t>(n)];
    }
    lblVer.caption = "Ver: " + RsStat->field("Datum").text() + "-" + std::to_string(total);

    AnnounceStep = 0;
    SelectedAnswer = 0;
    WinCelebrating = False;
    RsQuestion.reset();
    ChartRevealStep = 0;
    ResultsMode = False;
    RecordHolders(ResultsMode);
    QuestionNo = 1;
    Label1[0].caption = "";
    Label1[1].caption = "Ne}u da budem kvizomat!";
    Timer1.setEnabled(false);
    LadderBlinkStep = 0;
    Timer1.setInterval(200);
    LadderBlinkMode = True;
    BonusRunning = False;
    lblBod.caption = "1";
    lblTraka.caption = "100";

    if (RsStat->field("Reklama").number() == 0) {
        AdvertShown = False;
        ImgRekl.picture = "";
    } else {
        AdvertShown = True;
    }
    Label8[1].caption = RsStat->field("Start").text();
    for (int i = 0; i <= 5; ++i) Image2[i].visible = i % 2 == 0;
    for (int i = 1; i <= 10; ++i) lblSampioni[i].visible = false;
    Label1[0].visible = false;

    if (FontsKey == kNtFontsKey) {
        lblFirma[2].visible = true;
        lblFirma[2].caption = "Restartajte kompjuter";
        Text1.visible = false;
    }

    LayoutGap = 90;
    ScreenSize screen = platform_.screenSize();
    if (screen.height > 8900) {
        Form.width = 12000 - kFrameWidth;
        Form.height = 9216 - kFrameHeight;
    } else if (screen.height > 7150) {
        SmallScreen = True;
        Form.width = screen.width - kFrameWidth;
        Form.height = screen.height - kFrameHeight;
    } else {
        endWithError(
            "Promijenite postavljenje displeja na Small Font i rezoluciju najmanje 800 x 600.");
        return;
    }

    auto names = readCollaborators(*Conn);
    Collaborators.assign(1, "");
    Collaborators.insert(Collaborators.end(), names.begin(), names.end());
    CollaboratorCount = static_cast<std::int64_t>(names.size());
}

void Form1::Form_Activate() {
    Timer1.setEnabled(true);
}

} // namespace kvz
