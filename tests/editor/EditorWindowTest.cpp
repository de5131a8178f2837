// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's window driven as a user drives it, by keys and clicks, on a bank file.
#include "EditorWindow.h"

#include "QuestionForm.h"
#include "support/TestSupport.h"
#include "text/DisplayCode.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

namespace kvz::editor {
namespace {

std::vector<std::string> storedTexts(const EditorWindow& w) {
    std::vector<std::string> out;
    for (const Question& q : w.store()->questions()) out.push_back(q.text);
    return out;
}

// Types text as a keyboard would, letters beyond ASCII among them.
void type(QWidget* field, const QString& text) {
    field->setFocus();
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, field,
                            c.unicode() < 128 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown,
                            QString(c), Qt::NoModifier);
}

std::string display(const char* typed) {
    return toDisplayCode(typed).text;
}

TEST(EditorWindow, aQuestionTypedInLatinIsCheckedSavedFoundUndoneAndRedone) {
    test::TempDir dir;
    setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
    int argc = 1;
    char name[] = "kvizomat-editor";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    const std::string bank = dir.file("Baza.mdb");
    QuestionStore::createFromTemplate(KVZ_PROGRAM_DIR "/Baza.mdb", bank);

    EditorWindow w({QString(), QStringLiteral("/bin/false")}, true);
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_TRUE(w.openBank(QString::fromStdString(bank)));
    ASSERT_TRUE(storedTexts(w).empty());

    QuestionForm* form = w.form();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
    type(form->textField(), QStringLiteral("Ko je napisao Na Drini ćupriju?"));
    const char* answers[] = {"Ivo Andrić", "Meša Selimović", "Branko Ćopić", "Danilo Kiš"};
    for (std::size_t i = 0; i < 3; ++i) type(form->answerField(i), QString::fromUtf8(answers[i]));
    QTest::mouseClick(form->rightButton(0), Qt::LeftButton);
    EXPECT_FALSE(form->saveButton()->isEnabled()) << "saveable with answer G empty";
    type(form->answerField(3), QString::fromUtf8(answers[3]));
    EXPECT_TRUE(form->saveButton()->isEnabled());
    // A character the display cannot show is refused at once, and taken back.
    type(form->textField(), QStringLiteral("{"));
    EXPECT_FALSE(form->saveButton()->isEnabled());
    EXPECT_FALSE(form->textField()->accessibleDescription().isEmpty());
    QTest::keyClick(form->textField(), Qt::Key_Backspace);
    ASSERT_TRUE(form->saveButton()->isEnabled());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    const std::string question = display("Ko je napisao Na Drini ćupriju?");
    ASSERT_EQ(storedTexts(w), std::vector<std::string>{question});
    EXPECT_EQ(w.store()->questions()[0].answers[3], display("Danilo Kiš"));
    EXPECT_EQ(w.store()->questions()[0].right, 1);

    // An edit of the saved question, then undone and redone from the keyboard.
    form->answerField(1)->selectAll();
    type(form->answerField(1), QStringLiteral("Dobrica Ćosić"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(w.store()->questions()[0].answers[1], display("Dobrica Ćosić"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.store()->questions()[0].answers[1], display("Meša Selimović"));
    EXPECT_EQ(form->answerField(1)->text(), QString::fromUtf8("Meša Selimović"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(storedTexts(w).empty());
    for (int redo = 0; redo < 2; ++redo)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z,
                        Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(storedTexts(w), std::vector<std::string>{question});
    EXPECT_EQ(w.store()->questions()[0].answers[1], display("Dobrica Ćosić"));

    // The search finds it in Cyrillic and by an answer; the level shows its lone question.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
    type(w.searchField(), QString::fromUtf8("ЋУПРИЈ"));
    EXPECT_EQ(w.table()->model()->rowCount(), 1);
    w.searchField()->clear();
    type(w.searchField(), QStringLiteral("kiš"));
    EXPECT_EQ(w.table()->model()->rowCount(), 1);
    type(w.searchField(), QStringLiteral("x"));
    EXPECT_EQ(w.table()->model()->rowCount(), 0);
    EXPECT_TRUE(w.levels()->item(1)->text().contains(QStringLiteral(": 1 ")));
    EXPECT_FALSE(w.levels()->item(1)->toolTip().isEmpty()); // one question is too few

    // Every control a screen reader meets has a name (a spin box's own line edit is the box's).
    for (QWidget* child : w.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLineEdit*>(child) || qobject_cast<QPushButton*>(child) ||
                             qobject_cast<QRadioButton*>(child) || child == w.table() ||
                             child == w.levels();
        if (control && child->isVisible() && !qobject_cast<QSpinBox*>(child->parentWidget())) {
            EXPECT_FALSE(child->accessibleName().isEmpty()) << child->metaObject()->className();
        }
    }
}

} // namespace
} // namespace kvz::editor
