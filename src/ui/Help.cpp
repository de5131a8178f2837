// SPDX-License-Identifier: GPL-3.0-or-later
// The help screen: the keyboard commands drawn line by line into the panel picHelp, in a
// size chosen by the screen, opened and closed by F1, the "?" picture and lblInfo.
#include "app/Form1.h"

#include <array>
#include <cmath>

namespace kvz {

namespace {

constexpr const char* kDisplayFont = "Cir Arial";
constexpr const char* kLatinFont = "Arial"; // key names and the address stay Latin

// One keyboard command: the key and one or two lines of description.
struct Command {
    const char* key;
    bool latinKey; // drawn Latin on every screen, not only on a large one
    const char* first;
    const char* second; // nullptr for a one-line description
};

// clang-format off
constexpr std::array<Command, 13> kCommands{{
    {"Enter", true, "- Startawe nakon unosa imena. (Kao komanda START).",
                    "- Prihvatawe odgovora DA (isto kao i pritisak na taster D). "},
    {"Esc ", true, "- Automatski prekid igre. Panika! Droga!  Evo, {efa!!!",
                   "- Isti efekat je klik mi{a na slike kada se vidi znak STOP."},
    {"F", false, "- Xoker (50:50) Fifti-fifti.", nullptr},
    {"T", false, "- Xoker (TELEFON) Zovi prijateqa.", nullptr},
    {"P", false, "- Xoker PUBLIKA.", nullptr},
    {"H", false, "- Otkazuje prikaz grafikona (kao klik na Hvala narode) ",
                 "-  Otkazuje komunikaciju sa prijateqem. (kao klik na dugme Hvala)"},
    {"1", false, "- Aktivira prvi odgovor (Odgovor A) - isto kao i slovo A.", nullptr},
    {"2", false, "- Aktivira drugi odgovor (Odgovor B) - isto kao i slovo B.", nullptr},
    {"3", false, "- Aktivira tre}i odgovor (Odgovor V) - isto kao i slovo V.", nullptr},
    {"4", false, "- Aktivira ~etvrti odgovor (Odgovor G) - isto kao i slovo G.", nullptr},
    {"D", false, "- DA  - Potvr|uje kona~no izabrani odgovor. (Kao i taster Enter).", nullptr},
    {"N", false, "- NE - Otkazuje izabrani odgovor.", nullptr},
    {"F1", true, "- Prikazuje ili skriva ovo uputstvo kao i klik na - ?", nullptr},
}};
// clang-format on

// The spoken quiz's key, the window's own, shares the last row: the panel has no room for
// another.
constexpr const char* kSpeechKey = "F9";
constexpr const char* kSpeech = "- govor";
constexpr int kSpeechKeyX = 7300, kSpeechX = 7700;

constexpr const char* kTitle = "Komande sa tastature";
constexpr const char* kNews = "Novo! Do 9. pitawa (ikona kqu~a) mo`e se provjeriti izabrani "
                              "odgovor, a od 10 do 14 pitawa zamijeniti pitawe";
constexpr const char* kMore = "Vi{e detaqa na adresi:";

constexpr int kTitleX = 3000;
constexpr int kKeyX = 200;
constexpr int kNoteX = 200;
constexpr double kNewsSize = 8;
constexpr int kAddressRaise = 100; // the address stands a little above the line before it

// What differs between the two sizes of the panel.
struct Geometry {
    double titleSize;
    int descriptionX;
    double commandSize;
    bool allKeysLatin;
    double moreSize;
    int addressX;
    double addressSize;
};

constexpr Geometry kSmallScreen{10, 800, 8, false, 8, 3000, 16};
constexpr Geometry kLargeScreen{14, 1000, 12, true, 10, 3500, 18};

// The height of one line of text in twips. The core has no font metrics, so this is the
// line spacing of the bundled Arial-compatible face: about 1.15 x the point size, at 20
// twips to the point.
int lineHeight(double points) {
    return static_cast<int>(std::lround(points * 1.15 * 20));
}

// Draws into the panel as a picture box prints: each text at the current y in the current
// font, after which y moves on by one line of that font.
class Pen {
  public:
    explicit Pen(Control& panel) : panel_(panel) {}

    void font(const char* name, double size, bool bold = false) {
        font_ = name;
        size_ = size;
        bold_ = bold;
    }
    void print(int x, const char* text) {
        panel_.lines.push_back({text, x, y, font_, size_, bold_});
        newLine();
    }
    void newLine() { y += lineHeight(size_); }

    int y = 0;

  private:
    Control& panel_;
    const char* font_ = kDisplayFont;
    double size_ = 0;
    bool bold_ = false;
};

void drawCommand(Pen& pen, const Command& c, const Geometry& g, int keyX, int descriptionX) {
    int y = pen.y;
    pen.font(c.latinKey || g.allKeysLatin ? kLatinFont : kDisplayFont, g.commandSize);
    pen.print(keyX, c.key);
    pen.y = y;
    pen.font(kDisplayFont, g.commandSize);
    pen.print(descriptionX, c.first);
    if (c.second != nullptr) pen.print(descriptionX, c.second);
}

void drawCommand(Pen& pen, const Command& c, const Geometry& g) {
    drawCommand(pen, c, g, kKeyX, g.descriptionX);
}

} // namespace

void Form1::ShowHelp() {
    const Geometry& g = SmallScreen == True ? kSmallScreen : kLargeScreen;
    picHelp.lines.clear();
    bringToFront(picHelp);
    Pen pen(picHelp);
    pen.font(kDisplayFont, g.titleSize);
    pen.print(kTitleX, kTitle);
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        if (i + 1 == kCommands.size()) {
            const Command speech{kSpeechKey, true, kSpeech, nullptr};
            drawCommand(pen, speech, g, kSpeechKeyX, kSpeechX);
            pen.y -= lineHeight(g.commandSize);
        }
        drawCommand(pen, kCommands[i], g);
        if (i + 1 < kCommands.size()) pen.newLine();
    }
    pen.font(kDisplayFont, kNewsSize);
    pen.print(kNoteX, kNews);
    int addressY = pen.y - kAddressRaise;
    pen.font(kDisplayFont, g.moreSize);
    pen.print(kNoteX, kMore);
    pen.y = addressY;
    pen.font(kLatinFont, g.addressSize, true);
    pen.print(g.addressX, kWebAddress);
    picHelp.visible = true;
}

void Form1::imgHelp_Click() {
    if (picHelp.visible) {
        picHelp.lines.clear();
        picHelp.visible = false;
    } else {
        ShowHelp();
    }
}

void Form1::lblInfo_Click() {
    imgHelp_Click();
}

void Form1::picHelp_DblClick() {
    picHelp.visible = false;
}

} // namespace kvz
