// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/model/Browse.h"
#include "editor/model/QuestionStore.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <vector>

namespace kvz::editor {

// The questions of the open bank as a table: level, question, the four answers, the right
// answer and what the game's check says of the row.
class QuestionTable : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Level, Text, A, B, V, G, Right, Check, Columns };

    explicit QuestionTable(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setQuestions(std::vector<Question> questions);
    void setLatin(bool latin);
    const std::vector<Question>& questions() const { return questions_; }
    const Question& at(int row) const { return questions_[static_cast<std::size_t>(row)]; }
    // The table row of a question, -1 when it has none.
    int rowOf(std::int64_t id) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<Question> questions_;
    std::vector<bool> refused_; // rows the game's check refuses
    bool latin_ = false;
};

// The rows of one level (0: all) that a search finds.
class QuestionFilter : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    explicit QuestionFilter(QObject* parent = nullptr) : QSortFilterProxyModel(parent) {}
    void setLevel(int level);
    void setSearch(const QString& typed);

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

  private:
    int level_ = 0;
    Search search_{""};
};

} // namespace kvz::editor
