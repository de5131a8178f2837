// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/StateDump.h"

#include "app/Form1.h"

#include <cmath>

namespace kvz::script {

namespace {

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

// One game-state field as the dump shows it.
Json field(Boolean b) {
    return b != False;
}

Json field(double v) {
    return number(v);
}

template <class T>
requires std::is_integral_v<T> || std::is_same_v<T, std::string> Json field(const T& v) {
    return v;
}

Json field(const std::optional<QuestionRow>& row) {
    return question(row);
}

// Lists the game indexes from 1: entry 0 is not the game's.
template <class List> Json field(const List& list) requires requires {
    list.begin() + 1;
} &&(!std::is_same_v<List, std::string>) {
    Json j = Json::array();
    for (auto it = list.begin() + std::min<std::ptrdiff_t>(1, std::ssize(list)); it != list.end();
         ++it)
        j.push_back(*it);
    return j;
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
#define KVZ_DUMP_FIELD(type, name, init) j[#name] = field(f.name);
    KVZ_GAME_FIELDS(KVZ_DUMP_FIELD)
#undef KVZ_DUMP_FIELD
    return j;
}

} // namespace kvz::script
