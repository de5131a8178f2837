// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuestionTable.h"

#include "Texts.h"
#include "editor/model/QuestionDraft.h"

#include <QColor>

namespace kvz::editor {

namespace {

const char* const kLetters[5] = {"?", "А", "Б", "В", "Г"};

} // namespace

void QuestionTable::setQuestions(std::vector<Question> questions) {
    beginResetModel();
    questions_ = std::move(questions);
    refused_.clear();
    for (const Question& q : questions_) refused_.push_back(!questionProblems(fieldsOf(q)).empty());
    endResetModel();
}

void QuestionTable::setLatin(bool latin) {
    beginResetModel();
    latin_ = latin;
    endResetModel();
}

int QuestionTable::rowOf(std::int64_t id) const {
    for (std::size_t i = 0; i < questions_.size(); ++i)
        if (questions_[i].id == id) return static_cast<int>(i);
    return -1;
}

int QuestionTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(questions_.size());
}

int QuestionTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant QuestionTable::data(const QModelIndex& index, int role) const {
    const auto row = static_cast<std::size_t>(index.row());
    if (!index.isValid() || row >= questions_.size()) return {};
    const Question& q = questions_[row];
    if (role == Qt::ForegroundRole && refused_[row]) return QColor(Qt::red);
    if (role == Qt::UserRole) // the sort key
        return index.column() == Level ? QVariant(q.level) : data(index, Qt::DisplayRole);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    auto shown = [&](const std::string& display) {
        return QString::fromStdString(shownText(display, latin_));
    };
    switch (index.column()) {
    case Level:
        return q.level;
    case Text:
        return shown(q.text);
    case A:
    case B:
    case V:
    case G:
        return shown(q.answers[static_cast<std::size_t>(index.column() - A)]);
    case Right:
        return say(kLetters[q.right >= 1 && q.right <= 4 ? q.right : 0], latin_);
    case Check:
        return refused_[row] ? say("игра одбија", latin_) : say("у реду", latin_);
    default:
        return {};
    }
}

QVariant QuestionTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kHeads[Columns] = {"Ниво", "Питање", "А",     "Б",
                                                "В",    "Г",      "Тачан", "Провјера"};
    return section >= 0 && section < Columns ? say(kHeads[section], latin_) : QVariant();
}

void QuestionFilter::setLevel(int level) {
    level_ = level;
    invalidateFilter();
}

void QuestionFilter::setSearch(const QString& typed) {
    search_ = Search(typed.toStdString());
    invalidateFilter();
}

bool QuestionFilter::filterAcceptsRow(int row, const QModelIndex&) const {
    const auto* table = static_cast<const QuestionTable*>(sourceModel());
    const Question& q = table->at(row);
    return (level_ == 0 || q.level == level_) && search_.matches(q);
}

bool QuestionFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(Qt::UserRole), b = right.data(Qt::UserRole);
    if (left.column() == QuestionTable::Level) return a.toInt() < b.toInt();
    return QString::localeAwareCompare(a.toString(), b.toString()) < 0;
}

} // namespace kvz::editor
