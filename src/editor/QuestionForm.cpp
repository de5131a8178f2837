// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuestionForm.h"

#include "Texts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace kvz::editor {

namespace {

const char* const kLetters[4] = {"А", "Б", "В", "Г"};

QLabel* reasonLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setStyleSheet(QStringLiteral("color: #b00000;"));
    label->setWordWrap(true);
    label->hide();
    return label;
}

} // namespace

QuestionForm::QuestionForm(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    for (auto& r : reasons_) r = reasonLabel(this);
    textLabel_ = new QLabel(this);
    text_ = new QLineEdit(this);
    textLabel_->setBuddy(text_);
    grid->addWidget(textLabel_, 0, 0);
    grid->addWidget(text_, 0, 1, 1, 2);
    grid->addWidget(reasons_[0], 1, 1, 1, 2);
    rightGroup_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < 4; ++i) {
        const int row = 2 + 2 * static_cast<int>(i);
        right_[i] = new QRadioButton(this);
        answers_[i] = new QLineEdit(this);
        rightGroup_->addButton(right_[i], static_cast<int>(i) + 1);
        grid->addWidget(right_[i], row, 0);
        grid->addWidget(answers_[i], row, 1, 1, 2);
        grid->addWidget(reasons_[i + 1], row + 1, 1, 1, 2);
    }
    grid->addWidget(reasons_[6], 10, 1, 1, 2);
    levelLabel_ = new QLabel(this);
    level_ = new QSpinBox(this);
    level_->setRange(1, 15);
    levelLabel_->setBuddy(level_);
    grid->addWidget(levelLabel_, 11, 0);
    grid->addWidget(level_, 11, 1);
    grid->addWidget(reasons_[5], 12, 1, 1, 2);
    noteLabel_ = new QLabel(this);
    note_ = new QPlainTextEdit(this);
    note_->setTabChangesFocus(true);
    note_->setMaximumHeight(80);
    noteLabel_->setBuddy(note_);
    grid->addWidget(noteLabel_, 13, 0);
    grid->addWidget(note_, 13, 1, 1, 2);
    grid->addWidget(reasons_[7], 14, 1, 1, 2);
    warnings_ = new QLabel(this);
    warnings_->setWordWrap(true);
    warnings_->setStyleSheet(QStringLiteral("color: #8a5a00;"));
    grid->addWidget(warnings_, 15, 0, 1, 3);
    save_ = new QPushButton(this);
    grid->addWidget(save_, 16, 2);
    grid->setRowStretch(17, 1);

    for (QLineEdit* field : answers_)
        connect(field, &QLineEdit::textChanged, this, &QuestionForm::recheck);
    connect(text_, &QLineEdit::textChanged, this, &QuestionForm::recheck);
    connect(note_, &QPlainTextEdit::textChanged, this, &QuestionForm::recheck);
    connect(level_, &QSpinBox::valueChanged, this, &QuestionForm::recheck);
    connect(rightGroup_, &QButtonGroup::idClicked, this, &QuestionForm::recheck);
    connect(save_, &QPushButton::clicked, this, &QuestionForm::saveRequested);
    // The texts first, then the choice of the right one: typing runs down the answers.
    QWidget* order[] = {text_,     answers_[0], answers_[1], answers_[2], answers_[3], right_[0],
                        right_[1], right_[2],   right_[3],   level_,      note_,       save_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    for (QWidget* field : order) field->installEventFilter(this);
    applyTexts();
    showNew(1);
}

bool QuestionForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool undo = key->matches(QKeySequence::Undo);
    const bool redo = key->matches(QKeySequence::Redo) ||
                      key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    if (!undo && !redo) return false;
    bool own = false; // whether the field has typing of its own to undo or redo
    if (auto* line = qobject_cast<QLineEdit*>(watched))
        own = undo ? line->isUndoAvailable() : line->isRedoAvailable();
    else if (auto* text = qobject_cast<QPlainTextEdit*>(watched))
        own = undo ? text->document()->isUndoAvailable() : text->document()->isRedoAvailable();
    if (own) return false;
    event->ignore(); // not the field's: the window's shortcut takes it
    return true;
}

void QuestionForm::setLatin(bool latin) {
    latin_ = latin;
    applyTexts();
    if (id_ != 0) {
        // The stored question again, in the other letters; an edit in progress is kept.
        if (!changed()) showQuestion(verdict_.question);
    }
    recheck();
}

void QuestionForm::applyTexts() {
    textLabel_->setText(say("Пи&тање:", latin_));
    text_->setAccessibleName(say("Питање", latin_));
    for (std::size_t i = 0; i < 4; ++i) {
        right_[i]->setText(say(std::string("&") + kLetters[i], latin_));
        right_[i]->setAccessibleName(say(std::string("Тачан одговор ") + kLetters[i], latin_));
        answers_[i]->setAccessibleName(say(std::string("Одговор ") + kLetters[i], latin_));
    }
    levelLabel_->setText(say("&Ниво:", latin_));
    level_->setAccessibleName(say("Ниво", latin_));
    noteLabel_->setText(say("&Објашњење:", latin_));
    note_->setAccessibleName(say("Објашњење", latin_));
    warnings_->setAccessibleName(say("Упозорења", latin_));
    save_->setText(say("Сачувај питање", latin_));
    save_->setAccessibleName(say("Сачувај питање", latin_));
    for (auto* r : reasons_) r->setAccessibleName(say("Зашто игра одбија поље", latin_));
}

Draft QuestionForm::draft() const {
    Draft d;
    d.text = text_->text().toStdString();
    for (std::size_t i = 0; i < 4; ++i) d.answers[i] = answers_[i]->text().toStdString();
    d.level = level_->value();
    d.right = rightGroup_->checkedId() > 0 ? rightGroup_->checkedId() : 0;
    d.note = note_->toPlainText().toStdString();
    return d;
}

bool QuestionForm::changed() const {
    const Draft d = draft();
    return d.text != shown_.text || d.answers != shown_.answers || d.level != shown_.level ||
           d.right != shown_.right || d.note != shown_.note;
}

void QuestionForm::showQuestion(const Question& q) {
    id_ = q.id;
    shown_ = draftOf(q, latin_);
    const QSignalBlocker blockers[] = {QSignalBlocker(text_), QSignalBlocker(note_),
                                       QSignalBlocker(level_)};
    text_->setText(QString::fromStdString(shown_.text));
    for (std::size_t i = 0; i < 4; ++i) {
        QSignalBlocker block(answers_[i]);
        answers_[i]->setText(QString::fromStdString(shown_.answers[i]));
    }
    note_->setPlainText(QString::fromStdString(shown_.note));
    level_->setValue(q.level >= 1 ? q.level : 1);
    rightGroup_->setExclusive(false);
    for (std::size_t i = 0; i < 4; ++i) right_[i]->setChecked(q.right == static_cast<int>(i) + 1);
    rightGroup_->setExclusive(true);
    recheck();
}

void QuestionForm::showNew(int level) {
    Question q;
    q.level = level;
    showQuestion(q);
}

void QuestionForm::mark(QWidget* field, QLabel* reason, const std::string& error) {
    // A new question's empty fields are not yet faults to point at.
    const QString why = id_ == 0 && !changed() ? QString() : say(error, latin_);
    reason->setText(why);
    reason->setVisible(!why.isEmpty());
    field->setStyleSheet(why.isEmpty() ? QString() : QStringLiteral("border: 2px solid #c00000;"));
    field->setAccessibleDescription(why);
}

void QuestionForm::recheck() {
    verdict_ = checkDraft(draft(), id_, store_);
    mark(text_, reasons_[0], verdict_.errors[0]);
    for (std::size_t i = 0; i < 4; ++i) mark(answers_[i], reasons_[i + 1], verdict_.errors[i + 1]);
    mark(level_, reasons_[5], verdict_.errors[5]);
    mark(right_[0], reasons_[6], verdict_.errors[6]);
    mark(note_, reasons_[7], verdict_.errors[7]);
    QStringList warnings;
    for (const std::string& w : verdict_.warnings) warnings << say(w, latin_);
    warnings_->setText(warnings.join(QLatin1Char('\n')));
    save_->setEnabled(verdict_.ok() && (id_ == 0 || changed()));
}

} // namespace kvz::editor
