// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/model/QuestionDraft.h"

#include <QWidget>
#include <array>
#include <functional>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kvz::editor {

// The form of one question: its text, four answers with a radio button for the right one,
// the level and the explanation. Every change is checked at once by the game's own rules; a
// field the game would refuse shows why, and the question cannot be saved.
class QuestionForm : public QWidget {
    Q_OBJECT
  public:
    // `store` answers whether a text exists already; it may change (see setStore).
    explicit QuestionForm(QWidget* parent = nullptr);

    void setStore(const QuestionStore* store) { store_ = store; }
    void setLatin(bool latin);
    // Shows a stored question, or an empty one of `level` for a new question (id 0).
    void showQuestion(const Question& q);
    void showNew(int level);
    std::int64_t questionId() const { return id_; }
    // The form as the game would store it, and what the check says of it.
    const DraftVerdict& verdict() const { return verdict_; }
    bool changed() const;

    // The field widgets, for the window's shortcuts and the tests.
    QLineEdit* textField() const { return text_; }
    QLineEdit* answerField(std::size_t i) const { return answers_[i]; }
    QRadioButton* rightButton(std::size_t i) const { return right_[i]; }
    QPushButton* saveButton() const { return save_; }

  signals:
    void saveRequested();

  protected:
    // Lets the editor's undo and redo keys through a field with nothing of its own to undo.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void applyTexts();
    void recheck();
    Draft draft() const;
    void mark(QWidget* field, QLabel* reason, const std::string& error);

    const QuestionStore* store_ = nullptr;
    bool latin_ = false;
    std::int64_t id_ = 0;
    Draft shown_; // the draft as last shown, to tell an edit from none
    DraftVerdict verdict_;

    QLabel* textLabel_;
    QLineEdit* text_;
    std::array<QLabel*, kDraftFields> reasons_;
    std::array<QLineEdit*, 4> answers_;
    std::array<QRadioButton*, 4> right_;
    QButtonGroup* rightGroup_;
    QLabel* levelLabel_;
    QSpinBox* level_;
    QLabel* noteLabel_;
    QPlainTextEdit* note_;
    QLabel* warnings_;
    QPushButton* save_;
};

} // namespace kvz::editor
