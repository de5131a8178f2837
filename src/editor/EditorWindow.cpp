// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorWindow.h"

#include "QuestionForm.h"
#include "QuestionTable.h"
#include "Texts.h"
#include "data/DatabaseLock.h"
#include "editor/model/BankTransfer.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

namespace kvz::editor {

namespace {

const QString kGroup = QStringLiteral("editor/");

// One change of the bank that can be undone. The change itself is made before the command
// is pushed, so that a failed one never enters the history.
class BankCommand : public QUndoCommand {
  public:
    using Step = std::function<void(QuestionStore&)>;
    BankCommand(EditorWindow& window, const QString& text, Step redo, Step undo)
        : QUndoCommand(text), window_(window), redo_(std::move(redo)), undo_(std::move(undo)) {}
    void redo() override {
        if (!std::exchange(first_, false)) window_.change(redo_);
    }
    void undo() override { window_.change(undo_); }

  private:
    EditorWindow& window_;
    Step redo_, undo_;
    bool first_ = true;
};

// What an open refused says: a game on the file first, as the player can mend that.
std::string whyNotOpened(const std::exception& e) {
    if (const auto* inUse = dynamic_cast<const DatabaseInUse*>(&e))
        return inUse->byGame() ? "Игра је покренута над овом базом. Затворите игру, па "
                                 "отворите базу поново."
                               : "Други програм управо пише у ову базу. Сачекајте да заврши, па "
                                 "отворите базу поново.";
    if (const auto* db = dynamic_cast<const DbError*>(&e); db && db->notADatabase())
        return "Ово није база питања игре, или је оштећена.";
    return "Базу није могуће отворити.";
}

} // namespace

EditorWindow::EditorWindow(EditorPlaces places, bool latin)
    : places_(std::move(places)), latin_(latin) {
    undo_ = new QUndoStack(this);
    model_ = new QuestionTable(this);
    filter_ = new QuestionFilter(this);
    filter_->setSourceModel(model_);

    levels_ = new QListWidget(this);
    levels_->setMinimumWidth(230);
    search_ = new QLineEdit(this);
    search_->setClearButtonEnabled(true);
    searchLabel_ = new QLabel(this);
    searchLabel_->setBuddy(search_);
    table_ = new QTableView(this);
    table_->setModel(filter_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(QuestionTable::Level, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The question gets the room; the form beside shows its answers.
    auto* header = table_->horizontalHeader();
    header->setSectionResizeMode(QuestionTable::Text, QHeaderView::Stretch);
    for (int column : {QuestionTable::Level, QuestionTable::Right, QuestionTable::Check})
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    for (int column = QuestionTable::A; column <= QuestionTable::G; ++column)
        table_->setColumnHidden(column, true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    form_ = new QuestionForm(this);

    auto* middle = new QWidget(this);
    auto* column = new QVBoxLayout(middle);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel_);
    searchRow->addWidget(search_);
    column->addLayout(searchRow);
    column->addWidget(table_);
    auto* split = new QSplitter(this);
    split->addWidget(levels_);
    split->addWidget(middle);
    split->addWidget(form_);
    split->setStretchFactor(1, 3);
    split->setStretchFactor(2, 2);
    split->setSizes({230, 620, 400});
    setCentralWidget(split);
    status_ = new QLabel(this);
    statusBar()->addWidget(status_, 1);

    buildMenus();
    connect(levels_, &QListWidget::currentRowChanged, this,
            [this](int row) { filter_->setLevel(row < 0 ? 0 : row); });
    connect(search_, &QLineEdit::textChanged, filter_, &QuestionFilter::setSearch);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &EditorWindow::chooseRow);
    connect(form_, &QuestionForm::saveRequested, this, &EditorWindow::saveQuestion);
    connect(undo_, &QUndoStack::cleanChanged, this, &EditorWindow::updateActions);
    connect(undo_, &QUndoStack::indexChanged, this, &EditorWindow::updateActions);

    applyTexts();
    reload();
    resize(1200, 720);
    restoreGeometry(QSettings().value(kGroup + QStringLiteral("geometry")).toByteArray());
    restoreState(QSettings().value(kGroup + QStringLiteral("state")).toByteArray());
}

EditorWindow::~EditorWindow() {
    // The stack, a child, clears itself as it goes and would tell a window already half gone.
    disconnect(undo_, nullptr, this, nullptr);
}

void EditorWindow::buildMenus() {
    auto action = [this](QMenu* menu, QKeySequence key, auto slot) {
        auto* act = menu->addAction(QString());
        act->setShortcut(key);
        connect(act, &QAction::triggered, this, slot);
        return act;
    };
    a_.file = menuBar()->addMenu(QString());
    a_.newBank =
        action(a_.file, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N), &EditorWindow::newBank);
    a_.open = action(a_.file, QKeySequence::Open, &EditorWindow::openChosen);
    a_.reopen = action(a_.file, QKeySequence(Qt::CTRL | Qt::Key_R), &EditorWindow::reopen);
    a_.file->addSeparator();
    a_.import = action(a_.file, QKeySequence(Qt::CTRL | Qt::Key_I), &EditorWindow::importChosen);
    a_.exportLevel =
        action(a_.file, QKeySequence(Qt::CTRL | Qt::Key_E), [this] { exportQuestions(true); });
    a_.exportAll = action(a_.file, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
                          [this] { exportQuestions(false); });
    a_.file->addSeparator();
    a_.play = action(a_.file, QKeySequence(Qt::Key_F5), &EditorWindow::playBank);
    a_.file->addSeparator();
    a_.quit = action(a_.file, QKeySequence(Qt::CTRL | Qt::Key_Q), &QWidget::close);

    a_.edit = menuBar()->addMenu(QString());
    a_.undo = action(a_.edit, QKeySequence::Undo, [this] { undo_->undo(); });
    a_.redo =
        action(a_.edit, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [this] { undo_->redo(); });
    a_.edit->addSeparator();
    a_.newQuestion = action(a_.edit, QKeySequence::New, &EditorWindow::newQuestion);
    a_.save = action(a_.edit, QKeySequence::Save, &EditorWindow::saveQuestion);
    a_.remove =
        action(a_.edit, QKeySequence(Qt::CTRL | Qt::Key_Delete), &EditorWindow::deleteQuestion);
    a_.find = action(a_.edit, QKeySequence::Find, [this] {
        search_->setFocus();
        search_->selectAll();
    });

    a_.view = menuBar()->addMenu(QString());
    a_.latin =
        action(a_.view, QKeySequence(Qt::Key_F12), [this] { setLatin(a_.latin->isChecked()); });
    a_.latin->setCheckable(true);
    a_.latin->setChecked(latin_);
}

void EditorWindow::applyTexts() {
    auto set = [this](QAction* act, const char* text) { act->setText(say(text, latin_)); };
    a_.file->setTitle(say("&Датотека", latin_));
    set(a_.newBank, "&Нова банка…");
    set(a_.open, "&Отвори банку…");
    set(a_.reopen, "Отвори &поново");
    set(a_.import, "&Увези питања…");
    set(a_.exportLevel, "&Извези ниво…");
    set(a_.exportAll, "Извези &све…");
    set(a_.play, "&Играј ову банку");
    set(a_.quit, "&Крај");
    a_.edit->setTitle(say("&Уреди", latin_));
    set(a_.undo, "&Поништи");
    set(a_.redo, "П&онови");
    set(a_.newQuestion, "&Ново питање");
    set(a_.save, "&Сачувај питање");
    set(a_.remove, "&Обриши питање");
    set(a_.find, "&Тражи");
    a_.view->setTitle(say("&Приказ", latin_));
    set(a_.latin, "&Латиница");
    searchLabel_->setText(say("Тра&жи:", latin_));
    search_->setAccessibleName(say("Тражи", latin_));
    search_->setPlaceholderText(say("ћирилицом или латиницом", latin_));
    levels_->setAccessibleName(say("Нивои", latin_));
    table_->setAccessibleName(say("Питања", latin_));
    status_->setAccessibleName(say("Стање", latin_));
    setWindowTitle(say("Квизомат – уређивач питања", latin_) +
                   (path_.isEmpty() ? QString() : QStringLiteral(" – ") + path_));
    status_->setText(say(told_, latin_) + toldRest_);
    model_->setLatin(latin_);
    form_->setLatin(latin_);
    showBalance();
}

void EditorWindow::setLatin(bool latin) {
    latin_ = latin;
    // The game's choice of letters: the same setting, so both read alike.
    QSettings().setValue(QStringLiteral("script"),
                         latin ? QStringLiteral("latin") : QStringLiteral("cyrillic"));
    applyTexts();
}

bool EditorWindow::openBank(const QString& path) {
    try {
        auto store = std::make_unique<QuestionStore>(path.toStdString());
        store_ = std::move(store);
    } catch (const std::exception& e) {
        refuse(whyNotOpened(e), QString::fromStdString(e.what()));
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    QSettings().setValue(kGroup + QStringLiteral("lastFile"), path_);
    undo_->clear();
    form_->setStore(store_.get());
    form_->showNew(1);
    reload();
    applyTexts();
    tell("Отворена база: ", path_);
    return true;
}

void EditorWindow::tell(const std::string& cyrillic, const QString& rest) {
    told_ = cyrillic;
    toldRest_ = rest;
    status_->setText(say(told_, latin_) + toldRest_);
}

void EditorWindow::refuse(const std::string& cyrillic, const QString& detail) {
    QMessageBox box(QMessageBox::Warning, say("Квизомат – уређивач питања", latin_),
                    say(cyrillic, latin_), QMessageBox::Ok, this);
    if (!detail.isEmpty()) box.setDetailedText(detail);
    box.exec();
}

bool EditorWindow::change(const std::function<void(QuestionStore&)>& step) {
    if (!store_) return false;
    bool done = true;
    try {
        step(*store_);
    } catch (const std::exception& e) {
        done = false;
        // The history no longer matches the bank: it goes, and the view shows the bank.
        QTimer::singleShot(0, undo_, &QUndoStack::clear);
        const auto* db = dynamic_cast<const DbError*>(&e);
        const bool full = db && db->cause() == DbError::Cause::DiskFull;
        refuse(std::string("Промјена није уписана у базу; база је остала каква је била.") +
                   (full ? " Диск је пун." : ""),
               QString::fromStdString(e.what()));
    }
    reload();
    return done;
}

void EditorWindow::reload() {
    const std::int64_t current = form_->questionId();
    std::vector<Question> questions;
    try {
        if (store_) questions = store_->questions();
    } catch (const std::exception& e) {
        refuse("Питања није могуће прочитати из базе.", QString::fromStdString(e.what()));
    }
    model_->setQuestions(std::move(questions));
    showBalance();
    if (current != 0) {
        const int row = model_->rowOf(current);
        if (row < 0) {
            form_->showNew(chosenLevel() == 0 ? 1 : chosenLevel());
        } else {
            const QModelIndex at = filter_->mapFromSource(model_->index(row, 0));
            if (at.isValid()) table_->setCurrentIndex(at);
            form_->showQuestion(model_->at(row));
        }
    }
    updateActions();
}

void EditorWindow::showBalance() {
    const auto balance = levelBalance(model_->questions());
    const QSignalBlocker block(levels_);
    const int row = levels_->currentRow();
    levels_->clear();
    levels_->addItem(say("Сви нивои (", latin_) + QString::number(model_->questions().size()) +
                     QLatin1Char(')'));
    for (int level = 1; level <= 15; ++level) {
        const LevelBalance& b = balance[static_cast<std::size_t>(level)];
        QString text = say("Ниво ", latin_) + QString::number(level) + QStringLiteral(": ") +
                       QString::number(b.questions) + QStringLiteral("  (");
        static const char* const kLetters[4] = {"А", "Б", "В", "Г"};
        for (std::size_t i = 0; i < 4; ++i)
            text += say(kLetters[i], latin_) + QLatin1Char(' ') + QString::number(b.right[i]) +
                    (i < 3 ? QStringLiteral(", ") : QStringLiteral(")"));
        auto* item = new QListWidgetItem(text, levels_);
        if (b.lopsided()) {
            item->setForeground(QColor(0xb0, 0, 0));
            item->setToolTip(say(b.questions < 2 ? "Мање од два питања: замјена питања враћа исто."
                                                 : "Једно слово је тачно у више од 35 % питања.",
                                 latin_));
            item->setData(Qt::AccessibleDescriptionRole, item->toolTip());
        }
    }
    levels_->setCurrentRow(row < 0 ? 0 : row);
}

int EditorWindow::chosenLevel() const {
    return std::max(0, levels_->currentRow());
}

void EditorWindow::chooseRow() {
    const QModelIndex at = filter_->mapToSource(table_->currentIndex());
    if (at.isValid()) form_->showQuestion(model_->at(at.row()));
}

void EditorWindow::newQuestion() {
    table_->clearSelection();
    form_->showNew(chosenLevel() == 0 ? 1 : chosenLevel());
    form_->textField()->setFocus();
}

void EditorWindow::saveQuestion() {
    if (!store_ || !form_->saveButton()->isEnabled()) return;
    Question q = form_->verdict().question;
    if (q.id == 0) {
        std::int64_t id = 0;
        if (!change([&](QuestionStore& s) { id = s.add(q); })) return;
        q.id = id;
        undo_->push(new BankCommand(
            *this, say("додавање питања", latin_), [q](QuestionStore& s) { s.restore({q}); },
            [id](QuestionStore& s) { s.takeBack({id}); }));
        form_->showQuestion(q);
        reload();
    } else {
        const auto before = store_->find(q.id);
        if (!before || !change([&](QuestionStore& s) { s.update(q); })) return;
        undo_->push(new BankCommand(
            *this, say("измјена питања", latin_), [q](QuestionStore& s) { s.update(q); },
            [old = *before](QuestionStore& s) { s.update(old); }));
    }
    tell("Питање је уписано у базу.");
}

void EditorWindow::deleteQuestion() {
    const std::int64_t id = form_->questionId();
    const auto q = store_ && id != 0 ? store_->find(id) : std::nullopt;
    if (!q || !change([id](QuestionStore& s) { s.remove(id); })) return;
    undo_->push(new BankCommand(
        *this, say("брисање питања", latin_), [id](QuestionStore& s) { s.remove(id); },
        [old = *q](QuestionStore& s) { s.restore({old}); }));
    tell("Питање је обрисано.");
}

void EditorWindow::newBank() {
    const QString path =
        QFileDialog::getSaveFileName(this, say("Нова банка", latin_), QStringLiteral("Baza.mdb"),
                                     say("База игре (*.mdb)", latin_));
    if (path.isEmpty()) return;
    try {
        QuestionStore::createFromTemplate(places_.templateFile.toStdString(), path.toStdString());
    } catch (const std::exception& e) {
        refuse("Нову банку није могуће направити.", QString::fromStdString(e.what()));
        return;
    }
    openBank(path);
}

void EditorWindow::openChosen() {
    const QString path = QFileDialog::getOpenFileName(this, say("Отвори банку", latin_), path_,
                                                      say("База игре (*.mdb)", latin_));
    if (!path.isEmpty()) openBank(path);
}

void EditorWindow::reopen() {
    if (!path_.isEmpty()) openBank(path_);
}

void EditorWindow::importChosen() {
    const QString path =
        QFileDialog::getOpenFileName(this, say("Увези питања", latin_), QString(),
                                     say("Питања (*.txt *.csv *.json);;Сви фајлови (*)", latin_));
    if (!path.isEmpty()) importBank(path);
}

void EditorWindow::importBank(const QString& path, bool quiet) {
    if (!store_) return;
    // Rows that state no level (the teachers' text never does) go to the chosen level.
    std::optional<int> level;
    if (chosenLevel() != 0) {
        level = chosenLevel();
    } else if (bankFormatOf(path.toStdString()) == BankFormat::Text) {
        bool ok = false;
        level = QInputDialog::getInt(this, say("Увоз питања", latin_),
                                     say("Ниво питања из овог фајла:", latin_), 1, 1, 15, 1, &ok);
        if (!ok) return;
    }
    QProgressDialog progress(say("Увоз питања…", latin_), say("Прекини", latin_), 0, 100, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    ImportReport report;
    change([&](QuestionStore& s) {
        report =
            importFile(s, path.toStdString(), level, [&](std::int64_t done, std::int64_t total) {
                progress.setValue(total > 0 ? static_cast<int>(done * 100 / total) : 0);
                return !progress.wasCanceled();
            });
    });
    progress.reset();
    if (!report.added.empty()) {
        const std::vector<std::int64_t> ids = report.added;
        std::vector<Question> added;
        for (auto id : ids)
            if (auto q = store_->find(id)) added.push_back(*q);
        undo_->push(new BankCommand(
            *this, say("увоз питања", latin_), [added](QuestionStore& s) { s.restore(added); },
            [ids](QuestionStore& s) { s.takeBack(ids); }));
    }
    if (!report.added.empty()) tell("Увезено питања: ", QString::number(report.added.size()));
    if (quiet) return;
    QString summary = report.cancelled ? say("Увоз је прекинут; ништа није увезено.", latin_)
                      : report.problems.empty()
                          ? say("Увезено питања: ", latin_) + QString::number(report.added.size())
                          : say("Ништа није увезено: ови редови имају грешке.", latin_);
    QString details;
    for (const auto& p : report.problems)
        details += say("ред ", latin_) + QString::number(p.line) + QStringLiteral(": ") +
                   QString::fromStdString(p.message) + QLatin1Char('\n');
    for (const auto& w : report.warnings)
        details += say("упозорење, ред ", latin_) + QString::number(w.line) + QStringLiteral(": ") +
                   QString::fromStdString(w.message) + QLatin1Char('\n');
    QDialog dialog(this);
    dialog.setWindowTitle(say("Извјештај о увозу", latin_));
    auto* layout = new QVBoxLayout(&dialog);
    auto* head = new QLabel(summary, &dialog);
    head->setAccessibleName(say("Исход увоза", latin_));
    layout->addWidget(head);
    auto* rows = new QPlainTextEdit(details, &dialog);
    rows->setReadOnly(true);
    rows->setAccessibleName(say("Редови извјештаја", latin_));
    rows->setMinimumSize(640, 240);
    layout->addWidget(rows);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.exec();
}

void EditorWindow::exportQuestions(bool levelOnly) {
    const int level = levelOnly ? chosenLevel() : 0;
    std::vector<Question> chosen;
    for (const Question& q : model_->questions())
        if (level == 0 || q.level == level) chosen.push_back(q);
    QString filter;
    const QString path = QFileDialog::getSaveFileName(
        this, say("Извези питања", latin_),
        level == 0 ? QStringLiteral("pitanja.csv")
                   : QStringLiteral("nivo-%1.csv").arg(level, 2, 10, QLatin1Char('0')),
        QStringLiteral("CSV (*.csv);;JSON (*.json)"), &filter);
    if (path.isEmpty()) return;
    const ExportFormat format = path.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive)
                                    ? ExportFormat::Json
                                    : ExportFormat::Csv;
    QProgressDialog progress(say("Извоз питања…", latin_), say("Прекини", latin_), 0, 100, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    try {
        const bool written = exportFile(chosen, format, path.toStdString(),
                                        [&](std::int64_t done, std::int64_t total) {
                                            progress.setValue(static_cast<int>(done * 100 / total));
                                            return !progress.wasCanceled();
                                        });
        if (written)
            tell("Извезено питања: ", QString::number(chosen.size()));
        else
            tell("Извоз је прекинут.");
    } catch (const std::exception& e) {
        refuse("Фајл није могуће уписати.", QString::fromStdString(e.what()));
    }
}

void EditorWindow::playBank() {
    if (!store_) return;
    const auto balance = levelBalance(model_->questions());
    for (int level = 1; level <= 15; ++level)
        if (balance[static_cast<std::size_t>(level)].questions == 0)
            return refuse("Ниво " + std::to_string(level) +
                          " нема ниједно питање: игра треба бар једно питање на сваком нивоу.");
    for (const Question& q : model_->questions())
        if (!questionProblems(fieldsOf(q)).empty())
            return refuse("Игра одбија бар једно питање (означено црвено у табели). Исправите "
                          "га, па играјте.");
    const QFileInfo file(path_);
    if (file.fileName() != QLatin1String("Baza.mdb"))
        return refuse("Игра игра само базу која се зове Baza.mdb. Сачувајте банку под тим "
                      "именом у фасцикли за себе.");
    // The game takes the bank for itself: the editor lets it go first.
    form_->setStore(nullptr);
    store_.reset();
    undo_->clear();
    reload();
    if (!QProcess::startDetached(places_.gameProgram,
                                 {QStringLiteral("--dir"), file.absolutePath()})) {
        refuse("Игру није могуће покренути.", places_.gameProgram);
        openBank(path_);
        return;
    }
    tell("Игра је покренута. Кад је затворите, отворите банку поново (Ctrl+R).");
}

void EditorWindow::updateActions() {
    const bool open = store_ != nullptr;
    a_.undo->setEnabled(undo_->canUndo());
    a_.redo->setEnabled(undo_->canRedo());
    for (QAction* act :
         {a_.import, a_.exportLevel, a_.exportAll, a_.play, a_.newQuestion, a_.save, a_.remove})
        act->setEnabled(open);
    a_.reopen->setEnabled(!open && !path_.isEmpty());
    form_->setEnabled(open);
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    QSettings().setValue(kGroup + QStringLiteral("geometry"), saveGeometry());
    QSettings().setValue(kGroup + QStringLiteral("state"), saveState());
    event->accept();
}

} // namespace kvz::editor
