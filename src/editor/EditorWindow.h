// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/model/QuestionStore.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableView;
class QUndoStack;

namespace kvz::editor {

class QuestionFilter;
class QuestionForm;
class QuestionTable;

// Where the editor finds what it needs beside it.
struct EditorPlaces {
    QString templateFile; // the game's template database, for a new bank
    QString gameProgram;  // the game, for "play this bank"
};

// The editor's window: the levels with their balance, the questions of the chosen level, and
// the form of the chosen question. Every change goes to the bank at once, one transaction
// each, and can be undone.
class EditorWindow : public QMainWindow {
    Q_OBJECT
  public:
    EditorWindow(EditorPlaces places, bool latin);
    ~EditorWindow() override;

    // Opens the bank at `path`; on failure says why and keeps what was open. Returns success.
    bool openBank(const QString& path);
    const QuestionStore* store() const { return store_.get(); }
    QuestionForm* form() const { return form_; }
    QTableView* table() const { return table_; }
    QListWidget* levels() const { return levels_; }
    QLineEdit* searchField() const { return search_; }

    // Runs a change on the open bank; a failure is told and the view shows the bank as it is.
    bool change(const std::function<void(QuestionStore&)>& step);

    // Imports a file and reports it in a dialog (unless `quiet`); the import can be undone.
    void importBank(const QString& path, bool quiet = false);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void applyTexts();
    void reload();
    void showBalance();
    void chooseRow();
    void saveQuestion();
    void newQuestion();
    void deleteQuestion();
    void newBank();
    void openChosen();
    void reopen();
    void importChosen();
    void exportQuestions(bool levelOnly);
    void playBank();
    void setLatin(bool latin);
    void refuse(const std::string& cyrillic, const QString& detail = {});
    void updateActions();
    int chosenLevel() const;
    // Shows a line in the status bar, in the chosen letters now and after a change of them.
    void tell(const std::string& cyrillic, const QString& rest = {});

    EditorPlaces places_;
    bool latin_;
    QString path_;
    std::unique_ptr<QuestionStore> store_;
    QUndoStack* undo_;
    QuestionTable* model_;
    QuestionFilter* filter_;
    QListWidget* levels_;
    QTableView* table_;
    QLineEdit* search_;
    QLabel* searchLabel_;
    QuestionForm* form_;
    QLabel* status_;
    std::string told_;
    QString toldRest_;

    struct Actions {
        QAction *newBank, *open, *reopen, *import, *exportLevel, *exportAll, *play, *quit;
        QAction *undo, *redo, *newQuestion, *save, *remove, *find, *latin;
        QMenu *file, *edit, *view;
    } a_{};
};

} // namespace kvz::editor
