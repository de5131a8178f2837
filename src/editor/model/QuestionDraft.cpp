// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/model/QuestionDraft.h"

#include "common/BankImport.h"
#include "text/DisplayCode.h"

#include <algorithm>

namespace kvz::editor {

namespace {

// Our own texts are written in Cyrillic; the Latin choice reads them in Latin letters.
std::string reason(FieldFault fault) {
    switch (fault) {
    case FieldFault::Empty:
        return "Поље не смије бити празно.";
    case FieldFault::NotDisplayText:
        return "Поље има знак који игра не може да прикаже.";
    case FieldFault::TooLong:
        return "Текст је дужи од " + std::to_string(kMaxTextBytes) + " бајтова.";
    case FieldFault::BadLevel:
        return "Ниво мора бити од 1 до 15.";
    case FieldFault::BadAnswer:
        return "Тачан одговор мора бити А, Б, В или Г.";
    case FieldFault::BadCounter:
        break;
    }
    return "Игра не прихвата ову вриједност.";
}

// Display code has one case pair per letter, 32 apart (ž ` and Ž @ among them).
std::string folded(const std::string& display) {
    std::string out = display;
    for (char& c : out)
        if (c >= '@' && c <= '^') c = static_cast<char>(c + 32);
    return out;
}

const std::string kLetters[4] = {"А", "Б", "В", "Г"};

} // namespace

bool DraftVerdict::ok() const {
    return std::all_of(errors.begin(), errors.end(),
                       [](const std::string& e) { return e.empty(); });
}

DraftVerdict checkDraft(const Draft& draft, std::int64_t id, const QuestionStore* store) {
    DraftVerdict v;
    v.question.id = id;
    v.question.level = draft.level;
    v.question.right = draft.right;
    std::array<std::string*, 5> texts = {&v.question.text, &v.question.answers[0],
                                         &v.question.answers[1], &v.question.answers[2],
                                         &v.question.answers[3]};
    std::array<const std::string*, 5> typed = {&draft.text, &draft.answers[0], &draft.answers[1],
                                               &draft.answers[2], &draft.answers[3]};
    auto convert = [&](std::size_t field, const std::string& in, std::string& out) {
        // Emptiness is the game's check's to judge, below.
        ImportedField f = importField(std::string(kQuestionFields[field]), in, false);
        if (!f.problem.empty()) v.errors[field] = f.problem;
        for (std::string& w : f.warnings) v.warnings.push_back(std::move(w));
        out = f.display.value_or(std::string());
    };
    for (std::size_t i = 0; i < texts.size(); ++i) convert(i, *typed[i], *texts[i]);
    convert(7, draft.note, v.question.note);

    for (const FieldProblem& p : questionProblems(fieldsOf(v.question))) {
        const auto at = std::find(kQuestionFields.begin(), kQuestionFields.end(), p.field);
        auto& error = v.errors[static_cast<std::size_t>(at - kQuestionFields.begin())];
        if (error.empty()) error = reason(p.fault);
    }

    if (store && !v.question.text.empty() && store->textExists(v.question.text, id))
        v.warnings.push_back("Питање с истим текстом већ постоји.");
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t j = i + 1; j < 4; ++j)
            if (!v.question.answers[i].empty() &&
                folded(v.question.answers[i]) == folded(v.question.answers[j]))
                v.warnings.push_back("Одговори " + kLetters[i] + " и " + kLetters[j] + " су исти.");
    return v;
}

std::string shownText(const std::string& display, bool latin) {
    return encodeUtf8(latin ? displayToLatin(display) : displayToCyrillic(display));
}

Draft draftOf(const Question& q, bool latin) {
    Draft d;
    d.text = shownText(q.text, latin);
    for (std::size_t i = 0; i < 4; ++i) d.answers[i] = shownText(q.answers[i], latin);
    d.level = q.level;
    d.right = q.right;
    d.note = shownText(q.note, latin);
    return d;
}

} // namespace kvz::editor
