// SPDX-License-Identifier: GPL-3.0-or-later
// Starting a new game and painting the prize ladder.
#include "app/Form1.h"
#include "game/Ladder.h"
#include "text/Names.h"

namespace kvz {

namespace {

// A name shorter than this, once normalised, starts nothing.
constexpr std::size_t kShortestName = 3;

} // namespace

void Form1::ResetLadderColours() {
    Timer1.setEnabled(false);
    for (int i = 1; i <= 15; ++i) paintRungAtRest(*this, i);
}

void Form1::imgMilion_Click() {
    lblStart_Click();
}

void Form1::lblStart_Click() {
    platform_.beep();
    if (lblStart.caption != "Start") return;
    if (fraStat.visible) fraStat.visible = false;
    if (!imgPotpis.visible) imgPotpis.visible = true;
    // The name is judged as it will be stored: one that normalises to fewer than three
    // characters (blanks or hyphens only, say) never starts a game.
    std::string probe = Text1.caption;
    if (ProperCaseName(probe).size() < kShortestName) {
        if (Text1.visible) setFocus(&Text1);
        return;
    }
    lblInfo.visible = false;
    if (lblFirma[2].caption == kWebAddress) lblFirma[2].caption = "";
    lblFirma[2].visible = false;
    if (OdredShown) {
        OdredShown = False;
        if (lblOdred.visible) lblOdred.visible = false;
        lblOdred.caption = "";
    }
    HostCheckAvailable = True;
    for (int i = 0; i <= 5; ++i) lblFirma[i].visible = false;
    Label1[0].visible = true;
    lblOsv.visible = true;
    Label1[0].caption = "Broj bodova";
    lblOsv.caption = "0";
    lblOsv.visible = true;
    // A won game leaves its amount standing; the next game starts from nothing.
    Label3[0].caption = "0";
    lblSampioni[0].caption = "          REKORDERI";
    lblSampioni[0].visible = true;
    Label1[0].visible = true;
    lblBod.caption = "1";
    lblTraka.caption = "100";
    QuestionNo = 1;
    ShowJokerStatistics();
    if (AdvertShown) ImgRekl.visible = false;
    keyPreview = true;
    Label1[1].caption = "Ne}u da budem kvizomat!";
    imgMilion.visible = false;
    Timer4.setEnabled(false);
    Timer2.setEnabled(true);
    ProperCaseName(Text1.caption);
    if (!Text1.caption.empty()) Text1.caption = JoinLetterPairs(Text1.caption);
    imgAutor.visible = false;
    imgMilion.visible = false;
    Timer5.setEnabled(true);
    lblZnam.visible = true;
    Label8[0].visible = true;
    Label8[1].visible = true;
    Label4.visible = false;
    Text1.visible = false;
    lblStart.caption = " " + Text1.caption;
    ResultsMode = False;
    RecordHolders(ResultsMode);
    ResultPending = True;
    Label7[1].caption = Text1.caption + ": Koliko si siguran?";
    imgDrugar.visible = false;
    imgPotpis.visible = true;
    WinStep = 0;
    WinCelebrating = False;
    ResetLadderColours();
    lblCIFRA[15].back = Label3[15].back = kOrange;
    lblCIFRA[15].fore = Label3[15].fore = kWhite;
    Text1.visible = false;
    Label4.visible = false;
    for (int i = 0; i <= 3; ++i) lblNajava[i].visible = true;
    AnnounceQuestion();
    lblOsv.caption = "0";
    FriendCallStep = 0;
    FriendCertainty = "100 %";
    Label7[1].visible = false;
    Label7[2].visible = false;
    for (int i = 0; i <= 5; ++i) Image2[i].visible = i % 2 == 0;
    AnswersEnabled = True;
    lblIzlaz.caption = "Odustajem";
    RsStat->bump("Start");
    Label8[1].caption = RsStat->field("Start").text();
}

} // namespace kvz
