#include "script/StateDump.h"

#include "app/Form1.h"

#include <cmath>

namespace kvz::script {

namespace {

bool truth(Boolean b) {
    return b != False;
}

// A whole size as an integer ("12", not "12.0"), so dumps read as the design values do.
Json number(double v) {
    double whole = std::round(v);
    if (whole == v && std::fabs(v) < 1e15) return static_cast<std::int64_t>(whole);
    return v;
}

Json drawnLines(const Control& c) {
    Json lines = Json::array();
    for (const DrawnLine& l : c.lines)
        lines.push_back({{"text", l.text},
                         {"x", l.x},
                         {"y", l.y},
                         {"font", l.font},
                         {"size", number(l.size)},
                         {"bold", l.bold}});
    return lines;
}

Json control(const Control& c) {
    Json j;
    j[c.kind == ControlKind::TextBox ? "text" : "caption"] = c.caption;
    j["visible"] = c.visible;
    j["back"] = c.back;
    j["fore"] = c.fore;
    j["left"] = c.left;
    j["top"] = c.top;
    j["width"] = c.width;
    j["height"] = c.height;
    j["font"] = c.font;
    j["size"] = number(c.size);
    j["bold"] = c.bold;
    j["tooltip"] = c.tooltip;
    if (c.kind == ControlKind::Image) j["picture"] = c.picture;
    if (c.kind == ControlKind::PictureBox) j["lines"] = drawnLines(c);
    return j;
}

Json question(const std::optional<QuestionRow>& row) {
    if (!row) return nullptr;
    Json fields = Json::array();
    for (const Value& v : row->fields) fields.push_back(valueToJson(v));
    return {{"position", row->position},
            {"RB", valueToJson(row->rb)},
            {"Tac", valueToJson(row->tac)},
            {"Odred", valueToJson(row->odred)},
            {"fields", fields}};
}

} // namespace

Json dumpControls(Form1& form) {
    Json j;
    j["Form1"] = {
        {"width", form.Form.width}, {"height", form.Form.height}, {"back", form.Form.back}};
    for (const Control* c : form.controls())
        if (c != &form.Form) j[c->key()] = control(*c);
    return j;
}

Json dumpTimers(Form1& form) {
    Json j;
    for (const Timer* t : form.timers())
        j[t->name()] = {{"enabled", t->enabled()}, {"interval", t->interval()}};
    return j;
}

Json dumpFields(const Form1& f) {
    Json j;
    j["QuestionNo"] = f.QuestionNo;
    j["SelectedAnswer"] = f.SelectedAnswer;
    j["MarkAwaitsJudgement"] = truth(f.MarkAwaitsJudgement);
    j["ReplacementUsed"] = truth(f.ReplacementUsed);
    j["HostCheckAvailable"] = truth(f.HostCheckAvailable);
    j["AnswersEnabled"] = truth(f.AnswersEnabled);
    j["AnswerLocked"] = truth(f.AnswerLocked);
    j["OdredShown"] = truth(f.OdredShown);
    j["AnnounceStep"] = f.AnnounceStep;
    j["CelebrateStep"] = f.CelebrateStep;
    j["BonusTick"] = f.BonusTick;
    j["BonusRunning"] = truth(f.BonusRunning);
    j["AdvertShown"] = truth(f.AdvertShown);
    j["SmallScreen"] = truth(f.SmallScreen);
    j["ResultsMode"] = truth(f.ResultsMode);
    j["ResultPending"] = truth(f.ResultPending);
    j["FriendCallStep"] = f.FriendCallStep;
    j["FriendCertainty"] = f.FriendCertainty;
    j["FriendCallRunning"] = truth(f.FriendCallRunning);
    j["ChartRevealStep"] = f.ChartRevealStep;
    j["RecordRowCursor"] = f.RecordRowCursor;
    j["WrongAnswerStep"] = f.WrongAnswerStep;
    j["LadderBlinkStep"] = f.LadderBlinkStep;
    j["LadderBlinkMode"] = truth(f.LadderBlinkMode);
    j["TypewriterStep"] = f.TypewriterStep;
    j["WinCelebrating"] = truth(f.WinCelebrating);
    j["WinStep"] = f.WinStep;
    j["LayoutGap"] = number(f.LayoutGap);
    j["ChartHeight"] = f.ChartHeight;
    j["ChartTop"] = f.ChartTop;
    j["QuestionCount"] =
        std::vector<std::int64_t>(f.QuestionCount.begin() + 1, f.QuestionCount.end());
    j["RsQuestion"] = question(f.RsQuestion);
    j["Collaborators"] = std::vector<std::string>(
        f.Collaborators.begin() + std::min<std::ptrdiff_t>(1, std::ssize(f.Collaborators)),
        f.Collaborators.end());
    j["CollaboratorCount"] = f.CollaboratorCount;
    j["FontsKey"] = f.FontsKey;
    return j;
}

} // namespace kvz::script
