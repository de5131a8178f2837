// SPDX-License-Identifier: GPL-3.0-or-later
// The design values of every control of the window, like a form file: captions, colours,
// fonts, tooltips, pictures and the positions the window starts from, back to front.
#include "app/Form1.h"
#include "game/Ladder.h"

namespace kvz {

namespace {

constexpr Colour kGold = rgb(255, 200, 40);
constexpr Colour kDeep = rgb(0, 0, 64);
constexpr Colour kGrey = rgb(170, 170, 200);
constexpr const char* kCir = "Cir Arial";

// Fills one control step by step; controls are registered in drawing order.
class Def {
  public:
    Def(Control& c, std::vector<Control*>& all, const char* name, int index, ControlKind kind)
        : c_(c) {
        c_.name = name;
        c_.index = index;
        c_.kind = kind;
        c_.z = static_cast<int>(all.size()) + 1;
        all.push_back(&c_);
    }
    Def& caption(std::string s) { return c_.caption = std::move(s), *this; }
    Def& at(int l, int t, int w, int h) {
        return c_.left = l, c_.top = t, c_.width = w, c_.height = h, *this;
    }
    Def& colours(Colour back, Colour fore) { return c_.back = back, c_.fore = fore, *this; }
    Def& font(const char* name, double size, bool bold = false) {
        return c_.font = name, c_.size = size, c_.bold = bold, *this;
    }
    Def& hidden() { return c_.visible = false, *this; }
    Def& clear() { return c_.transparent = true, *this; }
    Def& tip(std::string s) { return c_.tooltip = std::move(s), *this; }
    Def& in(Control& frame) { return c_.parent = &frame, *this; }
    Def& picture(std::string s) { return c_.picture = std::move(s), *this; }
    Def& hand() { return c_.handCursor = true, *this; }
    Def& align(Align a) { return c_.align = a, *this; }

  private:
    Control& c_;
};

const char* const kLadderAmounts[16] = {
    "",      "1.000.000", "500.000", "250.000", "125.000", "64.000", "32.000", "16.000",
    "8.000", "4.000",     "2.000",   "1.000",   "500",     "300",    "200",    "100"};

} // namespace

void Form1::applyDesign() {
    auto& all = all_;
    auto def = [&all](Control& c, const char* name, int index, ControlKind kind) {
        return Def(c, all, name, index, kind);
    };
    using K = ControlKind;

    Form.name = "Form1";
    Form.kind = K::Form;
    Form.width = 11910;
    Form.height = 8910;
    Form.back = kBlack;

    // Pictures behind everything else.
    def(imgMilion, "imgMilion", -1, K::Image)
        .at(0, 405, 9000, 8445)
        .picture("title.svg")
        .hand()
        .hidden();
    def(imgPotpis, "imgPotpis", -1, K::Image).at(0, 780, 3000, 3750).picture("signature.svg");
    def(imgDrugar, "imgDrugar", -1, K::Image).at(0, 780, 3000, 3750).picture("wrong.svg").hidden();
    def(imgAutor, "imgAutor", -1, K::Image).at(0, 4732, 3000, 4125).picture("author.svg").hidden();
    for (int i = 0; i <= 4; ++i)
        def(imgMudrost[i], "imgMudrost", i, K::Image)
            .at(0, 7080, 3000, 1620)
            .picture("logo" + std::to_string(i + 1) + ".svg")
            .hidden();
    def(ImgRekl, "ImgRekl", -1, K::Image).at(4500, 6735, 3000, 810).picture("sponsor.svg").hidden();

    // The record holders in the left column.
    def(lblSampioni[0], "lblSampioni", 0, K::Label)
        .caption("REKORDERI")
        .at(0, 405, 3015, 375)
        .clear()
        .colours(kDeep, kGold)
        .font(kCir, 12, true)
        .align(Align::Left);
    for (int i = 1; i <= 10; ++i)
        def(lblSampioni[i], "lblSampioni", i, K::Label)
            .at(0, i == 1 ? 1080 : 1155 + 375 * (i - 2), 3015, 375)
            .clear()
            .colours(kDeep, kWhite)
            .font(kCir, 12);

    // The top bar.
    def(Label1[0], "Label1", 0, K::Label)
        .caption("Broj bodova")
        .at(210, 780, 3000, 405)
        .colours(kNavy, kGold)
        .font(kCir, 12); // centred: the help picture stands over its left end
    def(Label1[1], "Label1", 1, K::Label)
        .caption("Ne}u da budem kvizomat!")
        .at(3030, 0, 6000, 405)
        .colours(kDeep, kGold)
        .font(kCir, 15.75, true);
    def(Label1[2], "Label1", 2, K::Label)
        .at(9000, 0, 3000, 405)
        .colours(kDeep, kGold)
        .font(kCir, 15.75);
    def(lblVer, "lblVer", -1, K::Label)
        .caption("Ver: ")
        .at(9000, 0, 1800, 405)
        .clear()
        .colours(kDeep, kGrey)
        .font(kCir, 8)
        .align(Align::Left);
    def(imgOUT, "imgOUT", -1, K::Image)
        .at(11438, 0, 375, 375)
        .picture("stop.svg")
        .tip("Kraj (Esc)")
        .hand();
    def(imgHelp, "imgHelp", -1, K::Image)
        .at(90, 0, 375, 375)
        .picture("help.svg")
        .tip("Help (F1)")
        .hand();

    // Speed bonus and points total.
    def(lblBod, "lblBod", -1, K::Label)
        .caption("1")
        .at(0, 405, 600, 405)
        .colours(kNavy, kGold)
        .font(kCir, 14.25, true)
        .hidden();
    def(lblTraka, "lblTraka", -1, K::Label)
        .caption("100")
        .at(2400, 405, 600, 405)
        .colours(kNavy, kGold)
        .font(kCir, 14.25, true)
        .hidden();
    def(lblOsv, "lblOsv", -1, K::Label)
        .caption("0")
        .at(1800, 0, 1200, 405)
        .colours(kNavy, kGold)
        .font(kCir, 14.25, true)
        .hidden();

    // The prize ladder.
    def(Label2, "Label2", -1, K::Label)
        .caption("Osvojeni iznos")
        .at(9000, 1410, 3000, 405)
        .colours(kDeep, kWhite)
        .font(kCir, 14.25);
    def(Label3[0], "Label3", 0, K::Label)
        .caption("0")
        .at(9000, 1815, 3000, 405)
        .colours(kBlack, kGold)
        .font("Tahoma", 14.25, true);
    for (int i = 1; i <= 15; ++i) {
        Colour back = isCheckpointRung(i) ? kWhite : kNavy;
        Colour fore = isCheckpointRung(i) ? kNavy : kWhite;
        int top = 7890 - 405 * (15 - i);
        def(Label3[i], "Label3", i, K::Label)
            .caption(std::to_string(16 - i))
            .at(9000, top, 429, 405)
            .colours(back, fore)
            .font("Tahoma", 14.25, true);
        def(lblCIFRA[i], "lblCIFRA", i, K::Label)
            .caption(kLadderAmounts[i])
            .at(9429, top, 2571, 405)
            .colours(back, fore)
            .font("Tahoma", 14.25, true)
            .align(Align::Right);
    }

    // The jokers: available pictures at even indices, their used state beside them.
    const char* jokerPictures[6] = {"joker-5050.svg",     "joker-5050-used.svg",
                                    "joker-phone.svg",    "joker-phone-used.svg",
                                    "joker-audience.svg", "joker-audience-used.svg"};
    const char* jokerTips[6] = {"Fifti/fifti (F)",   "", "Zovi prijatelja (T)", "",
                                "Pitaj publiku (P)", ""};
    for (int i = 0; i <= 5; ++i) {
        Def d = def(Image2[i], "Image2", i, K::Image)
                    .at(9090 + 1020 * (i / 2), 495, 840, 630)
                    .picture(jokerPictures[i])
                    .tip(jokerTips[i]);
        if (i % 2 == 0)
            d.hand();
        else
            d.hidden();
    }

    // The announcement banner.
    const int najavaTops[4] = {720, 1530, 2625, 3240};
    const char* najava[4] = {"PITAWE", "ZA", "100", "BODOVA"};
    for (int i = 0; i <= 3; ++i)
        def(lblNajava[i], "lblNajava", i, K::Label)
            .caption(najava[i])
            .at(3000, najavaTops[i], 6000, i == 3 ? 945 : 1110)
            .clear()
            .colours(kDeep, kGold)
            .font(kCir, 36, true)
            .hidden();

    // The question, the answers and their letters.
    def(lblKviz[0], "lblKviz", 0, K::Label)
        .at(3330, 1815, 5295, 2430)
        .colours(kNavy, kWhite)
        .font(kCir, 20.25, true)
        .hidden();
    const int answerLeft[4] = {3435, 6225, 3420, 6360};
    const int answerTop[4] = {3960, 3930, 5340, 5340};
    const int letterLeft[4] = {3000, 5940, 2988, 5850};
    const int letterTop[4] = {4245, 4250, 5376, 5370};
    const char* letters[4] = {"A", "B", "V", "G"};
    for (int i = 1; i <= 4; ++i)
        def(lblKviz[i], "lblKviz", i, K::Label)
            .at(answerLeft[i - 1], answerTop[i - 1], 2370, 945)
            .colours(kAnswerBlue, kWhite)
            .font(kCir, 14.25, true)
            .tip("Ja sam ispravan odgovor!!!")
            .hand()
            .hidden();
    for (int i = 0; i <= 3; ++i)
        def(Label5[i], "Label5", i, K::Label)
            .caption(letters[i])
            .at(letterLeft[i], letterTop[i], 435, 435)
            .colours(kDeep, kGold)
            .font(kCir, 18, true)
            .hidden();
    def(imgVoditelj, "imgVoditelj", -1, K::Image)
        .at(3000, 4680, 435, 435)
        .picture("key.svg")
        .hand()
        .hidden();
    // The verdict takes the picture's place, as a badge wide enough to read at a glance.
    def(lblVoditelj, "lblVoditelj", -1, K::Label)
        .caption("NE")
        .at(3000, 4680, 660, 435)
        .colours(kGold, kNavy)
        .font(kCir, 14.25, true)
        .hidden();

    // Notes, the replacement, information and signatures in the centre and left columns.
    def(lblOdred, "lblOdred", -1, K::Label)
        .at(3000, 6675, 6000, 2430)
        .colours(kDeep, kWhite)
        .font(kCir, 14.25)
        .hidden();
    def(lblZamjena, "lblZamjena", -1, K::Label)
        .caption("Zamijeni pitawe")
        .at(3000, 7080, 6000, 810)
        .colours(rgb(0, 96, 0), kWhite)
        .font(kCir, 14.25, true)
        .tip("Zamijeni")
        .hand()
        .hidden();
    def(lblInfo, "lblInfo", -1, K::Label)
        .caption("Informacije o igri")
        .at(4500, 8400, 3000, 405)
        .clear()
        .colours(kDeep, kGold)
        .font(kCir, 12)
        .hand();
    def(lblMoto, "lblMoto", -1, K::Label)
        .caption("Kvizomat - igra znawa")
        .at(4500, 8700, 3000, 240)
        .clear()
        .colours(kDeep, kGrey)
        .font(kCir, 8);
    def(lblIme, "lblIme", -1, K::Label)
        .at(0, 8700, 3000, 240)
        .clear()
        .colours(kDeep, kGrey)
        .font(kCir, 8)
        .align(Align::Left);
    def(lblZnam, "lblZnam", -1, K::Label)
        .at(0, 7080, 3000, 405)
        .clear()
        .colours(kDeep, kGold)
        .font(kCir, 14.25, true);
    def(lblPotpis, "lblPotpis", -1, K::Label)
        .at(0, 4155, 3000, 375)
        .clear()
        .colours(kDeep, kGrey)
        .font(kCir, 10);

    // The sponsor panel; the third line carries the maker's web address at design.
    const int firmaTops[6] = {840, 1824, 2808, 3792, 4776, 5760};
    for (int i = 0; i <= 5; ++i) {
        Def d = def(lblFirma[i], "lblFirma", i, K::Label)
                    .at(3000, firmaTops[i], 6000, 465)
                    .clear()
                    .colours(kDeep, kWhite)
                    .font(kCir, i == 0 ? 18 : 14.25, i == 0)
                    .hidden();
        if (i == 2) d.caption(kWebAddress).font("Arial", 14.25, true);
    }

    // The audience chart.
    Colour bars[4] = {rgb(255, 0, 0), rgb(0, 0, 255), rgb(255, 255, 255), rgb(255, 128, 0)};
    for (int k = 0; k <= 3; ++k) {
        def(shpPub[k], "shpPub", k, K::Shape)
            .at(750 * k, 1155, 750, 2625)
            .colours(bars[k], bars[k])
            .hidden();
        def(lblProc[k], "lblProc", k, K::Label)
            .caption("25 %")
            .at(750 * k, 780, 750, 375)
            .colours(bars[k], k == 2 ? kNavy : kWhite)
            .font(kCir, 12, true)
            .hidden();
    }
    def(lblHvala[0], "lblHvala", 0, K::Label)
        .caption("Hvala narode!!!")
        .at(0, 4155, 3000, 375)
        .colours(kGold, kNavy)
        .font(kCir, 12, true)
        .hand()
        .hidden();
    for (int i = 1; i <= 4; ++i)
        def(lblHvala[i], "lblHvala", i, K::Label)
            .caption(letters[i - 1])
            .at(750 * (i - 1), 3780, 750, 375)
            .clear()
            .colours(kDeep, kWhite)
            .font(kCir, 14.25, true)
            .hidden();

    // The name, the start and the exit under the ladder.
    def(Label4, "Label4", -1, K::Label)
        .caption("Kandidat")
        .at(9000, 8310, 960, 360)
        .clear()
        .colours(kDeep, kWhite)
        .font(kCir, 12);
    def(Text1, "Text1", -1, K::TextBox)
        .at(9960, 8310, 2000, 360)
        .colours(kWhite, kBlack)
        .font(kCir, 12)
        .align(Align::Left);
    Text1.maxLength = 25;
    def(Label8[0], "Label8", 0, K::Label)
        .caption("Igara:")
        .at(9000, 8310, 1500, 360)
        .clear()
        .colours(kDeep, kWhite)
        .font(kCir, 12)
        .hidden();
    def(Label8[1], "Label8", 1, K::Label)
        .caption("0")
        .at(10500, 8310, 1000, 360)
        .clear()
        .colours(kDeep, kGold)
        .font(kCir, 12, true)
        .hidden();
    def(lblStart, "lblStart", -1, K::Label)
        .caption("Start")
        .at(9000, 8655, 1575, 360)
        .colours(kNavy, kGold)
        .font(kCir, 12, true)
        .hand();
    def(lblIzlaz, "lblIzlaz", -1, K::Label)
        .caption("Izlaz")
        .at(10500, 8655, 1455, 525)
        .colours(kNavy, kWhite)
        .font(kCir, 12, true)
        .hand();

    // The joker statistics frame.
    def(fraStat, "fraStat", -1, K::Frame)
        .caption("Statistika")
        .at(0, 5145, 3000, 3645)
        .colours(kNavy, kWhite)
        .font(kCir, 12, true)
        .hidden();
    def(imgTel, "imgTel", -1, K::Image)
        .in(fraStat)
        .at(180, 270, 900, 700)
        .picture("stat-phone.svg")
        .tip("Zovi");
    def(lblStat[5], "lblStat", 5, K::Label)
        .in(fraStat)
        .caption("0 %")
        .at(1400, 540, 1400, 500)
        .clear()
        .colours(kNavy, kGold)
        .font(kCir, 14.25, true);
    def(lblStat[0], "lblStat", 0, K::Label)
        .in(fraStat)
        .caption("Ta~no: ")
        .at(180, 1060, 2700, 300)
        .clear()
        .colours(kNavy, kWhite)
        .font(kCir, 10)
        .align(Align::Left);
    def(lblStat[1], "lblStat", 1, K::Label)
        .in(fraStat)
        .caption("Neta~no: ")
        .at(180, 1360, 2700, 300)
        .clear()
        .colours(kNavy, kWhite)
        .font(kCir, 10)
        .align(Align::Left);
    def(imgPubl, "imgPubl", -1, K::Image)
        .in(fraStat)
        .at(180, 1750, 900, 700)
        .picture("stat-audience.svg")
        .tip("Pitaj publiku");
    def(lblStat[4], "lblStat", 4, K::Label)
        .in(fraStat)
        .caption("0 %")
        .at(1400, 1930, 1400, 500)
        .clear()
        .colours(kNavy, kGold)
        .font(kCir, 14.25, true);
    def(lblStat[2], "lblStat", 2, K::Label)
        .in(fraStat)
        .caption("Ta~no: ")
        .at(180, 2540, 2700, 300)
        .clear()
        .colours(kNavy, kWhite)
        .font(kCir, 10)
        .align(Align::Left);
    def(lblStat[3], "lblStat", 3, K::Label)
        .in(fraStat)
        .caption("Neta~no: ")
        .at(180, 2840, 2700, 300)
        .clear()
        .colours(kNavy, kWhite)
        .font(kCir, 10)
        .align(Align::Left);

    // The confirmation panel.
    def(Frame1, "Frame1", -1, K::Frame)
        .at(3000, 6735, 6000, 2205)
        .colours(kNavy, kWhite)
        .font(kCir, 12)
        .hidden();
    def(Label6, "Label6", -1, K::Label)
        .in(Frame1)
        .caption("Je li to kona~an odgovor?")
        .at(45, 180, 6000, 405)
        .clear()
        .colours(kNavy, kGold)
        .font(kCir, 15.75, true);
    def(lblDANE[0], "lblDANE", 0, K::Label)
        .in(Frame1)
        .caption("DA")
        .at(1245, 765, 1200, 600)
        .colours(kAnswerBlue, kWhite)
        .font(kCir, 18, true)
        .hand();
    def(lblDANE[1], "lblDANE", 1, K::Label)
        .in(Frame1)
        .caption("NE")
        .at(3645, 765, 1200, 600)
        .colours(kAnswerBlue, kWhite)
        .font(kCir, 18, true)
        .hand();

    // The friend's call.
    def(Frame2, "Frame2", -1, K::Frame)
        .at(3000, 6735, 6000, 2205)
        .colours(kNavy, kWhite)
        .font(kCir, 12)
        .hidden();
    const char* friendLines[4] = {"Prijateq:", "Koliko si siguran?", "Prijateq:", "Prijateq:"};
    const int friendTops[4] = {360, 1125, 1890, 360};
    for (int i = 0; i <= 3; ++i) {
        Def d = def(Label7[i], "Label7", i, K::Label)
                    .in(Frame2)
                    .caption(friendLines[i])
                    .at(360, friendTops[i], 4400, 405)
                    .clear()
                    .colours(kNavy, i == 1 ? kGold : kWhite)
                    .font(kCir, 14.25)
                    .align(Align::Left);
        if (i == 3) d.hidden();
    }
    def(Image2[6], "Image2", 6, K::Image).in(Frame2).at(4800, 270, 1200, 900).picture("friend.svg");
    def(lblTime, "lblTime", -1, K::Label)
        .in(Frame2)
        .caption("30")
        .at(4800, 270, 1200, 900)
        .clear()
        .colours(kNavy, kRed)
        .font(kCir, 36, true);
    def(Image2[7], "Image2", 7, K::Image)
        .in(Frame2)
        .at(4800, 1260, 1200, 600)
        .picture("hangup.svg")
        .tip("Hvala (H)")
        .hand();

    // The help panel, in front of everything.
    def(picHelp, "picHelp", -1, K::PictureBox)
        .at(750, 4500, 9000, 8685)
        .colours(kWhite, kBlack)
        .tip("Zatvori sa dva klika!!!")
        .hidden();

    topZ_ = static_cast<int>(all_.size());
}

} // namespace kvz
