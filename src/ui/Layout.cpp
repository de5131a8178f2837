// SPDX-License-Identifier: GPL-3.0-or-later
// Placing the controls for the window's size.
//
// The window is built from three columns set by the top bar: left and right a quarter of
// the width each, the centre half of it. Widths follow the columns; heights are fixed
// (smaller on small screens), so the groups are stacked downwards from the top bar. A place
// the rules leave open keeps its design place within its column, scaled to the column's
// width. Positions are whole twips: every computed value is truncated as it is assigned.
#include "ui/Layout.h"

#include "app/Form1.h"

#include <algorithm>
#include <map>

namespace kvz {

std::vector<Band> backgroundBands(int width, int height, double gap) {
    std::vector<Band> bands;
    int y = 0;
    for (int i = 0; i <= 256 && y <= height; ++i, y += 36) {
        int blue = i < 128 ? i : 256 - i;
        bands.push_back({y, y + 36, width + static_cast<int>(gap), rgb(0, 0, blue)});
    }
    return bands;
}

namespace {

// A whole-twip property takes the whole part of the value assigned to it.
int twips(double value) {
    return static_cast<int>(value);
}

struct Span {
    int left = 0;
    int width = 0;
    int right() const { return left + width; }
};

Span spanOf(const Control& c) {
    return {c.left, c.width};
}

// The columns of the 12000-wide design canvas.
constexpr Span kDesignLeft{0, 3000};
constexpr Span kDesignCentre{3000, 6000};

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
};

// The design place of a control, read once from a freshly designed window.
const Rect& designOf(Form1& f, const Control& c) {
    static const std::map<std::string, Rect> places = [&f] {
        Form1 fresh(f.platform(), f.rnd());
        std::map<std::string, Rect> m;
        for (const Control* d : fresh.controls())
            m[d->key()] = {d->left, d->top, d->width, d->height};
        return m;
    }();
    return places.at(c.key());
}

// Left and width of a control designed inside `designed`, for that span's new place.
void keepInSpan(Form1& f, Control& c, Span designed, Span now) {
    const Rect& d = designOf(f, c);
    double scale = static_cast<double>(now.width) / designed.width;
    c.left = now.left + twips((d.left - designed.left) * scale);
    c.width = twips(d.width * scale);
}

void fill(Control& c, Span s) {
    c.left = s.left;
    c.width = s.width;
}

void under(Control& c, const Control& above) {
    c.top = above.bottom();
}

// Keeps a control's bottom edge on the window, shortening it when it would reach below.
void fitHeight(Control& c, int windowHeight) {
    c.height = std::max(0, std::min(c.height, windowHeight - c.top));
}

struct Columns {
    Span left, centre, right;
};

Columns columns(const Form1& f) {
    return {spanOf(f.Label1[0]), spanOf(f.Label1[1]), spanOf(f.Label1[2])};
}

bool small(const Form1& f) {
    return f.SmallScreen == True;
}

int rowHeight(const Form1& f) {
    return f.Label3[0].height;
}
int letterWidth(const Form1& f) {
    return small(f) ? 405 : 435;
}

// Ladder rows are stacked under the amount won; several groups line up with them.
int rungTop(const Form1& f, int i) {
    return f.Label3[0].top + i * rowHeight(f);
}

void setFont(ControlArray& group, double size) {
    for (Control& c : group) c.size = size;
}
void setHeight(ControlArray& group, int height) {
    for (Control& c : group) c.height = height;
}

// Small screens: smaller fonts and fixed heights, before anything is placed.
void shrinkForSmallScreen(Form1& f) {
    setFont(f.lblNajava, 28);
    f.lblTime.size = 28;
    setFont(f.Label5, 16);
    for (ControlArray* g : {&f.lblKviz, &f.Label1, &f.Label3, &f.lblCIFRA, &f.Label7, &f.lblHvala})
        setFont(*g, 12);
    f.lblBod.size = f.lblTraka.size = 12;
    for (ControlArray* g : {&f.lblFirma, &f.lblSampioni, &f.lblProc}) setFont(*g, 10);
    for (Control* c : {&f.Label2, &f.lblOdred, &f.lblOsv, &f.lblStart, &f.lblIzlaz}) c->size = 10;
    f.Label4.size = 8;
    setFont(f.Label8, 8);
    f.lblIme.size = 6;

    // The whole top bar takes the small height, so that the ladder fits a 480-pixel screen.
    for (ControlArray* g :
         {&f.Label1, &f.Label3, &f.lblCIFRA, &f.Label8, &f.lblSampioni, &f.lblHvala, &f.lblProc})
        setHeight(*g, 300);
    for (Control* c : {&f.Label2, &f.Label4, &f.lblBod, &f.lblTraka, &f.lblOsv}) c->height = 300;
    for (Control* c : {&f.Text1, &f.lblStart, &f.lblIzlaz}) c->height = 320;
    setHeight(f.Label7, 305);
    for (Control& c : f.Label5) c.width = c.height = 405;
    f.lblTime.width = f.lblTime.height = 630;
    setHeight(f.lblNajava, 800);
    for (int i = 1; i <= 4; ++i) f.lblKviz[i].height = 860;
    for (int i = 0; i <= 5; ++i) f.Image2[i].width = f.Image2[i].height = 630;
    f.Image2[6].width = f.Image2[6].height = 630;
}

void placeTopBar(Form1& f) {
    double w = f.Form.width;
    f.Label1[0].left = 0;
    f.Label1[0].width = twips(w / 4);
    f.Label1[1].left = f.Label1[0].right();
    f.Label1[1].width = twips(w / 2);
    f.Label1[2].left = f.Label1[1].right();
    f.Label1[2].width = twips(w / 4);
    for (Control& c : f.Label1) c.top = 0;
}

// The audience chart: shares over the bars, the bars standing on the answer letters. A bar
// already drawn keeps its share of the chart's height, so a resize does not spoil a vote on
// screen; before the first layout every bar is the whole chart high.
void placeChart(Form1& f, int chartHeight) {
    int previous = f.ChartHeight;
    int width = twips(f.Form.width / 16.0);
    for (int k = 0; k <= 3; ++k) {
        Control& share = f.lblProc[k];
        Control& bar = f.shpPub[k];
        Control& letter = f.lblHvala[k + 1];
        share.left = bar.left = letter.left = f.lblSampioni[0].left + k * width;
        share.width = bar.width = letter.width = width;
        share.top = f.lblSampioni[1].top;
        int base = f.lblSampioni[2].top + chartHeight;
        bar.height = previous > 0 ? twips(static_cast<double>(bar.height) * chartHeight / previous)
                                  : chartHeight;
        bar.top = base - bar.height;
        letter.top = base;
    }
    f.ChartHeight = chartHeight;
    f.ChartTop = f.lblSampioni[2].top;
}

// The left column: bonus, record holders, audience chart, signature picture.
void placeLeftColumn(Form1& f, const Columns& col) {
    int barTop = f.Label1[0].height;
    f.lblBod.left = col.left.left;
    f.lblBod.top = barTop;
    f.lblBod.width = twips(col.centre.width / 10.0);
    f.lblTraka.width = f.lblBod.width;
    f.lblTraka.left = col.centre.left - f.lblTraka.width;
    f.lblTraka.top = barTop;

    keepInSpan(f, f.lblSampioni[0], kDesignLeft, col.left);
    f.lblSampioni[0].top = barTop;
    for (int i = 1; i <= 3; ++i) {
        fill(f.lblSampioni[i], col.left);
        under(f.lblSampioni[i], f.lblSampioni[i - 1]);
    }

    int chartHeight = small(f) ? 2325 : 2625;
    f.lblHvala[0].left = f.lblSampioni[0].left;
    f.lblHvala[0].width = col.left.width;
    f.lblHvala[0].top = f.lblSampioni[2].top + chartHeight + f.lblHvala[1].height;
    placeChart(f, chartHeight);

    fill(f.imgPotpis, col.left);
    under(f.imgPotpis, f.lblSampioni[0]);
    f.imgPotpis.height = f.lblHvala[0].top - f.lblSampioni[0].top;
    keepInSpan(f, f.lblPotpis, kDesignLeft, col.left);
    f.lblPotpis.left = f.imgPotpis.left;
    f.lblPotpis.top = f.imgPotpis.bottom() - f.lblPotpis.height;
    f.imgDrugar.left = f.imgPotpis.left;
    f.imgDrugar.top = f.imgPotpis.top;
    f.imgDrugar.width = f.imgPotpis.width;
    f.imgDrugar.height = f.imgPotpis.height;

    fill(f.lblSampioni[4], col.left);
    under(f.lblSampioni[4], f.imgPotpis);
    for (int i = 5; i <= 10; ++i) {
        fill(f.lblSampioni[i], col.left);
        under(f.lblSampioni[i], f.lblSampioni[i - 1]);
    }

    fill(f.imgAutor, col.left);
    f.imgAutor.top = f.imgPotpis.bottom() + f.lblSampioni[0].top / 2;
    f.imgAutor.height = f.imgPotpis.height + f.lblSampioni[0].height;
    fitHeight(f.imgAutor, f.Form.height);
}

void placeAnnouncement(Form1& f, const Columns& col) {
    for (int i = 0; i <= 3; ++i) {
        Control& line = f.lblNajava[i];
        fill(line, col.centre);
        if (i == 0)
            line.top = f.Label1[1].height;
        else
            under(line, f.lblNajava[i - 1]);
    }
}

// The points total, the close picture and the six joker pictures at the top right.
void placeTopRight(Form1& f, const Columns& col) {
    double g = f.LayoutGap;
    keepInSpan(f, f.lblOsv, kDesignLeft, col.left);
    f.lblOsv.top = f.Label1[0].top;
    f.lblOsv.left = col.centre.left - f.lblOsv.width;
    f.imgOUT.top = f.Label1[0].top;
    f.imgOUT.left = twips(f.Label1[2].right() - 1.5 * f.imgOUT.width);

    // Three pictures and their gaps must fit the right column; narrower if they would not.
    if (!small(f)) {
        int fits = twips((col.right.width - 5 * g) / 3);
        for (int i = 0; i <= 5; ++i)
            f.Image2[i].width = std::min(designOf(f, f.Image2[i]).width, fits);
    }
    for (int i = 0; i <= 1; ++i) {
        f.Image2[i].left = twips(f.Label1[2].left + g);
        f.Image2[i].top = twips(f.Label1[2].height + g);
    }
    for (int i = 2; i <= 5; ++i) f.Image2[i].left = twips(f.Image2[i - 2].right() + 2 * g);
}

void placeLadderHead(Form1& f, const Columns& col) {
    fill(f.Label2, col.right);
    f.Label2.top = twips(f.Image2[0].bottom() + f.LayoutGap);
    fill(f.Label3[0], spanOf(f.Label2));
    under(f.Label3[0], f.Label2);
}

// The answers sit in two rows of two, each after its letter.
int answerWidth(const Form1& f) {
    return twips(f.Form.width / 4.0 - 1.5 * letterWidth(f));
}
int answerLeft(const Form1& f, const Columns& col, int k) {
    int inRow = (k - 1) % 2;
    return col.centre.left + letterWidth(f) + inRow * (answerWidth(f) + letterWidth(f));
}

void placeQuestion(Form1& f, const Columns& col) {
    Control& question = f.lblKviz[0];
    question.top = f.Label3[0].top;
    question.height = 6 * rowHeight(f);
    question.left = answerLeft(f, col, 1);
    question.width = col.centre.width - 2 * letterWidth(f);

    int answerHeight = small(f) ? 860 : 945;
    int firstRow = question.bottom();
    int secondRow = firstRow + answerHeight + rowHeight(f);
    for (int i = 0; i <= 3; ++i) {
        Control& letter = f.Label5[i];
        letter.width = letterWidth(f);
        letter.left = i % 2 == 0 ? col.centre.left : answerLeft(f, col, 1) + answerWidth(f);
        letter.top = i < 2 ? firstRow : secondRow;
    }
    for (int k = 1; k <= 4; ++k) {
        Control& answer = f.lblKviz[k];
        answer.width = answerWidth(f);
        answer.height = answerHeight;
        answer.left = answerLeft(f, col, k);
        answer.top = k <= 2 ? f.Label5[0].top : f.lblKviz[1].bottom() + rowHeight(f);
    }
}

void centreIn(Control& c, Span s) {
    c.left = s.left + twips((s.width - c.width) / 2.0);
}

void placeCentred(Form1& f, const Columns& col) {
    for (Control* c : {&f.lblInfo, &f.lblMoto}) {
        keepInSpan(f, *c, kDesignCentre, col.centre);
        centreIn(*c, col.centre);
    }
    f.ImgRekl.width = twips(col.centre.width / 2.0);
    f.ImgRekl.height = 2 * rowHeight(f);
    centreIn(f.ImgRekl, col.centre);
}

// Inside the confirmation panel: the question, DA under its left end, NE under its right.
void placeConfirmation(Form1& f) {
    f.Label6.width = f.Frame1.width;
    f.Label6.left = twips(f.LayoutGap / 2);
    for (Control& c : f.lblDANE) {
        keepInSpan(f, c, {0, designOf(f, f.Frame1).width}, {0, f.Frame1.width});
        under(c, f.Label6);
    }
    f.lblDANE[0].left = f.Label6.left + f.lblDANE[0].width;
    f.lblDANE[1].left = f.Label6.right() - 2 * f.lblDANE[1].width;
}

// Inside the friend's panel: his lines at the left, his picture and the clock at the right.
void placeFriendCall(Form1& f) {
    double g = f.LayoutGap;
    Span frame{0, f.Frame2.width};
    for (Control& line : f.Label7) {
        keepInSpan(f, line, {0, designOf(f, f.Frame2).width}, frame);
        line.left = twips(4 * g);
    }
    f.Label7[0].top = twips(4 * g);
    if (small(f)) {
        under(f.Label7[1], f.Label7[0]);
        f.Label7[2].top = twips(f.Label7[1].bottom() + 2 * g);
    } else {
        for (int i = 1; i <= 2; ++i) f.Label7[i].top = twips(f.Label7[i - 1].bottom() + 4 * g);
    }
    f.Label7[3].top = f.Label7[0].top;

    Control& picture = f.Image2[6];
    picture.top = twips(3 * g);
    picture.left = frame.right() - picture.width - (small(f) ? twips(g) : 0);
    f.lblTime.left = picture.left;
    f.lblTime.top = picture.top;
    if (!small(f)) {
        f.lblTime.width = picture.width;
        f.lblTime.height = picture.height;
    }
    // The hang-up picture takes the friend's width and keeps its own proportions.
    Control& hangUp = f.Image2[7];
    const Rect& d = designOf(f, hangUp);
    hangUp.width = picture.width;
    hangUp.height = twips(static_cast<double>(d.height) * picture.width / d.width);
    hangUp.left = picture.left;
    hangUp.top = twips(picture.bottom() + g);
}

void placeFrames(Form1& f, const Columns& col) {
    double g = f.LayoutGap;
    int h = f.Form.height;
    fill(f.Frame1, col.centre);
    if (small(f)) {
        f.Frame1.height = 6 * rowHeight(f);
        f.Frame1.top = rungTop(f, 13);
    } else {
        f.Frame1.height = twips(5 * rowHeight(f) + 2 * g);
        f.Frame1.top = twips(rungTop(f, 12) + 2 * g / 3);
    }
    fitHeight(f.Frame1, h);
    fill(f.Frame2, col.centre);
    f.Frame2.top = f.Frame1.top;
    f.Frame2.height = f.Frame1.height;
    f.ImgRekl.top = f.Frame1.top;

    f.imgMilion.left = f.lblSampioni[0].left;
    f.imgMilion.top = f.lblSampioni[0].top;
    f.imgMilion.width = f.Label1[0].width + f.Label1[1].width;
    f.imgMilion.height = twips(f.Frame1.top - f.Label1[1].height + f.Frame1.height - g);

    placeConfirmation(f);
    placeFriendCall(f);
}

// The statistics panel: its pictures shrink with a narrower panel; on small screens they are
// at most 630 high and the lines close up under them.
void placeStatisticsInside(Form1& f) {
    Span designed{0, designOf(f, f.fraStat).width};
    Span now{0, f.fraStat.width};
    double shrink = std::min(1.0, static_cast<double>(now.width) / designed.width);
    for (Control* c : {&f.imgTel, &f.imgPubl}) {
        keepInSpan(f, *c, designed, now);
        c->width = std::min(c->width, designOf(f, *c).width);
        c->height = twips(designOf(f, *c).height * shrink);
    }
    for (Control& c : f.lblStat) keepInSpan(f, c, designed, now);
    if (!small(f)) return;

    double g = f.LayoutGap;
    for (Control* c : {&f.imgTel, &f.imgPubl}) c->height = std::min(c->height, 630);
    f.imgTel.left = f.imgPubl.left = twips(2 * g);
    f.imgTel.top = twips(3 * g);
    f.lblStat[5].left = 1400;
    f.lblStat[5].width = std::min(f.lblStat[5].width, now.width - f.lblStat[5].left);
    f.lblStat[5].top = twips(f.imgTel.top + 3 * g);
    f.lblStat[0].left = f.imgTel.left;
    f.lblStat[0].top = twips(f.imgTel.bottom() + g);
    under(f.lblStat[1], f.lblStat[0]);
    f.imgPubl.top = twips(f.lblStat[1].bottom() + g);
    f.lblStat[2].top = twips(f.imgPubl.bottom() + g);
    under(f.lblStat[3], f.lblStat[2]);
    f.lblStat[4].top = twips(f.imgPubl.top + 2 * g);
}

void placeNotes(Form1& f, const Columns& col) {
    f.fraStat.left = f.lblPotpis.left;
    f.fraStat.width = f.imgPotpis.width;
    f.fraStat.top = twips(rungTop(f, 8) + f.LayoutGap);
    f.fraStat.height = (small(f) ? 10 : 9) * rowHeight(f);
    fitHeight(f.fraStat, f.Form.height);
    placeStatisticsInside(f);

    fill(f.lblOdred, col.centre);
    f.lblOdred.top = rungTop(f, 12);
    f.lblOdred.height = 6 * rowHeight(f);
    fill(f.lblZamjena, col.centre);
    f.lblZamjena.top = rungTop(f, 13);
    f.lblZamjena.height = 2 * rowHeight(f);

    // The version line reaches from the corner up to the close picture.
    f.lblVer.left = f.Label1[2].left;
    f.lblVer.width = f.imgOUT.left - f.lblVer.left;
    f.lblVer.top = f.Label1[2].top;
    f.lblVer.height = f.Label1[2].height;

    for (Control* c : {&f.imgMudrost[0], &f.imgMudrost[1], &f.imgMudrost[2], &f.imgMudrost[3],
                       &f.imgMudrost[4], &f.lblZnam}) {
        fill(*c, spanOf(f.imgPotpis));
        c->top = rungTop(f, 13);
    }
    for (Control& logo : f.imgMudrost) logo.height = 4 * rowHeight(f);

    keepInSpan(f, f.lblIme, kDesignLeft, col.left);
    f.lblIme.left = f.imgMudrost[0].left;
    under(f.lblIme, f.imgMudrost[0]);
    f.lblMoto.top = f.lblIme.top;
    f.lblInfo.top = f.lblMoto.top - f.lblInfo.height;
    if (small(f)) f.lblMoto.visible = false;
}

// The ladder rows under the amount won, then the name box, the counters and the buttons.
void placeLadder(Form1& f) {
    const Control& head = f.Label3[0];
    for (int i = 1; i <= 15; ++i) {
        Control& number = f.Label3[i];
        Control& amount = f.lblCIFRA[i];
        number.left = head.left;
        number.width = twips(head.width / 7.0);
        amount.left = number.right();
        amount.width = twips(head.width * 6 / 7.0);
        number.top = amount.top = rungTop(f, i);
        amount.height = number.height;
    }

    f.Label4.left = head.left;
    f.Label4.width = twips(f.Label2.width / 3.0);
    under(f.Text1, f.lblCIFRA[15]);
    f.Text1.left = f.Label4.right();
    f.Text1.width = 2 * f.Label4.width;
    f.Label4.top = f.Text1.top;

    for (Control& c : f.Label8) c.top = f.Label4.top;
    f.Label8[0].left = head.left;
    f.Label8[0].width = twips(f.Label2.width / 2.0);
    f.Label8[1].left = f.Label8[0].right();
    f.Label8[1].width = f.Label4.width;

    for (Control* c : {&f.lblStart, &f.lblIzlaz}) {
        under(*c, f.Text1);
        if (!small(f)) c->height = 360;
        c->width = twips(f.Label2.width / 2.0);
    }
    f.lblStart.left = head.left;
    f.lblIzlaz.left = f.lblStart.right();
}

// The sponsor lines stack down from under the top bar. Lines 1, 3 and 5 also carry the
// game-over messages, so line 3 ends just above the "NOVA IGRA" line and line 5 starts just
// under it; lines 0 to 3 share the room above evenly, leaving half a step under the bar.
void placeSponsor(Form1& f, const Columns& col) {
    const Control& newGame = f.lblNajava[3];
    int bar = f.Label1[1].height;
    int third = newGame.top - f.lblFirma[3].height;
    double step = (third - bar) / 3.5;
    for (int i = 0; i <= 5; ++i) fill(f.lblFirma[i], col.centre);
    for (int i = 0; i <= 3; ++i) f.lblFirma[i].top = bar + twips((i + 0.5) * step);
    f.lblFirma[5].top = newGame.bottom();
    f.lblFirma[4].top = (f.lblFirma[3].top + f.lblFirma[5].top) / 2;
}

// The help panel in the middle of the window, in its design size as far as the window allows;
// its lines are drawn in fixed sizes, so a wider window needs no wider panel.
void placeHelp(Form1& f) {
    const Rect& d = designOf(f, f.picHelp);
    f.picHelp.width = std::min(d.width, f.Form.width);
    f.picHelp.height = std::min(d.height, f.Form.height);
    f.picHelp.left = (f.Form.width - f.picHelp.width) / 2;
    f.picHelp.top = (f.Form.height - f.picHelp.height) / 2;
}

} // namespace

void Form1::Form_Resize() {
    if (SmallScreen == True)
        shrinkForSmallScreen(*this);
    else
        lblIme.size = lblMoto.size = 8;

    placeTopBar(*this);
    Columns col = columns(*this);
    placeLeftColumn(*this, col);
    placeAnnouncement(*this, col);
    placeTopRight(*this, col);
    placeLadderHead(*this, col);
    placeQuestion(*this, col);
    placeCentred(*this, col);
    placeFrames(*this, col);
    placeNotes(*this, col);
    placeLadder(*this);
    placeSponsor(*this, col);
    placeHelp(*this);

    for (int i = 1; i <= 5; ++i) Image2[i].top = Image2[0].top;
    imgHelp.left = static_cast<int>(LayoutGap);
    imgHelp.top = 0;
    imgPotpis.visible = true;
    lblInfo.caption = "Informacije o igri";
    Label1[0].visible = true;
    imgPotpis.visible = true;
    if (lblFirma[2].caption == kWebAddress) lblFirma[2].visible = true;
}

} // namespace kvz
