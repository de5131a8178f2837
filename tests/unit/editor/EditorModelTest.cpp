// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's model against real database files: its changes, its check, its search and
// the lock it shares with the game.
#include "data/BankRelease.h"
#include "data/DatabaseCheck.h"
#include "data/DatabaseLock.h"
#include "editor/model/BankTransfer.h"
#include "editor/model/Browse.h"
#include "editor/model/QuestionDraft.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kvz::editor {
namespace {

using test::TempDir;

Draft draft(const std::string& text, int level = 1, int right = 2) {
    return Draft{text, {"prvi", "drugi", "treći", "četvrti"}, level, right, {}};
}

Question typed(const std::string& text, int level = 1, int right = 2) {
    DraftVerdict v = checkDraft(draft(text, level, right), 0, nullptr);
    EXPECT_TRUE(v.ok()) << text;
    return v.question;
}

TEST(EditorModel, editsAndDeletesOfReleasedQuestionsSurviveTheNextReleaseAndRestoreUndoesADelete) {
    TempDir dir;
    const std::string player = dir.file("Baza.mdb"), newer = dir.file("novo.mdb");
    createDatabase(player, test::sampleFixture(1));
    createDatabase(newer, test::sampleFixture(1));
    markRelease(Connection(player, kDatabasePassword), 1, {});
    markRelease(Connection(newer, kDatabasePassword), 2, {});

    Question edited, deleted, restored, added;
    {
        QuestionStore store(player);
        auto all = store.questions();
        ASSERT_EQ(all.size(), 15u);
        edited = all[0];
        edited.text = typed("Ko je napisao Na Drini ćupriju?").text;
        store.update(edited);
        deleted = all[1];
        store.remove(deleted.id);
        restored = all[2];
        store.remove(restored.id);
        store.restore({restored});
        added = typed("Koliko nogu ima pauk?", 4);
        added.id = store.add(added);
        EXPECT_TRUE(store.textExists(added.text, 0));
        EXPECT_FALSE(store.textExists(added.text, added.id));
    }
    // Reopened: every change is in the file.
    {
        QuestionStore store(player);
        EXPECT_EQ(store.find(edited.id), edited);
        EXPECT_FALSE(store.find(deleted.id));
        EXPECT_EQ(store.find(restored.id), restored);
        EXPECT_EQ(store.find(added.id), added);
    }
    upgradeBank(Connection(player, kDatabasePassword), Connection(newer, kDatabasePassword));
    const auto upgraded = QuestionStore(player).questions();
    auto count = [&](const std::string& t) {
        return std::count_if(upgraded.begin(), upgraded.end(),
                             [&](const Question& q) { return q.text == t; });
    };
    EXPECT_EQ(count(edited.text), 1);
    EXPECT_EQ(count(deleted.text), 0) << "a deleted released question came back";
    EXPECT_EQ(count(restored.text), 1);
    EXPECT_EQ(count(added.text), 1);
    // The release's fifteen less the deleted one, beside the edit and the new question.
    EXPECT_EQ(upgraded.size(), 16u);
}

// The same bad rows go to the game's start-up check and to the editor's check of a form:
// both refuse the same field, and both take the good row.
TEST(EditorModel, theFormIsJudgedByTheStartupChecksRules) {
    struct Row {
        std::string text, answerA;
        int level, right;
        std::string note;
        const char* field; // what both refuse, or nullptr
    };
    const std::string longText(kMaxTextBytes + 1, 'a');
    const std::vector<Row> rows = {
        {"Glavni grad Srbije?", "Beograd", 1, 1, "", nullptr},
        {"Glavni grad Srbije?", "", 1, 1, "", "A"},
        {"", "Beograd", 1, 1, "", "Pitanje"},
        {longText, "Beograd", 1, 1, "", "Pitanje"},
        {"Glavni grad Srbije?", "Beograd", 16, 1, "", "RB"},
        {"Glavni grad Srbije?", "Beograd", 3, 5, "", "Tac"},
        {"Glavni grad Srbije?", "Beograd", 3, 1, longText, "Odred"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field ? row.field : "good row");
        Draft d = draft(row.text, row.level, row.right);
        d.answers[0] = row.answerA;
        d.note = row.note;
        const DraftVerdict v = checkDraft(d, 0, nullptr);

        TempDir dir;
        Json fixture = test::sampleFixture(1);
        Json bad = test::question(v.question.text.empty() ? row.text : v.question.text, row.level,
                                  row.right, row.note.empty() ? Json() : Json(row.note));
        bad["A"] = row.answerA;
        fixture["tbKviz"].push_back(bad);
        createDatabase(dir.file("Baza.mdb"), fixture);
        std::string startupRefuses;
        try {
            openCheckedDatabase(dir.file("Baza.mdb"));
        } catch (const BadDatabase& e) {
            startupRefuses = e.fault().field;
        }
        EXPECT_EQ(startupRefuses, row.field ? row.field : "");

        std::vector<std::string> editorRefuses;
        for (std::size_t i = 0; i < kDraftFields; ++i)
            if (!v.errors[i].empty()) editorRefuses.push_back(std::string(kQuestionFields[i]));
        EXPECT_EQ(editorRefuses,
                  row.field ? std::vector<std::string>{row.field} : std::vector<std::string>{});
        EXPECT_EQ(v.ok(), row.field == nullptr);
    }
}

TEST(EditorModel, aFormWarnsOfRepeatedAnswersAndOfWordsTheDisplayReadsOtherwise) {
    const DraftVerdict v = checkDraft(
        Draft{"Ko je bio Petar II?", {"Njegoš", "njegoš", "Karađorđe", "Miloš"}, 1, 1, {}}, 0,
        nullptr);
    EXPECT_TRUE(v.ok());
    ASSERT_EQ(v.warnings.size(), 2u);
    EXPECT_NE(v.warnings[0].find("II"), std::string::npos);
    EXPECT_NE(v.warnings[1].find("А и Б"), std::string::npos);
}

TEST(EditorModel, aSearchInEitherAlphabetFindsQuestionsWrittenInEither) {
    const Question latin = typed("Šta je najveće znanje?");
    const Question cyrillic = typed("Колико љубичастих цвјетова?");
    // Half a digraph ("znan") and an answer ("drugi") are found too.
    for (const char* query : {"ЗНАЊЕ", "znan", "šta"})
        EXPECT_TRUE(Search(query).matches(latin)) << query;
    for (const char* query : {"LJUBIČAST", "ЉУБ", "drugi"})
        EXPECT_TRUE(Search(query).matches(cyrillic)) << query;
    EXPECT_FALSE(Search("ljubičast").matches(latin));
    EXPECT_FALSE(Search("знање").matches(cyrillic));
}

TEST(EditorModel, aLevelIsLopsidedWithUnderTwoQuestionsOrOneLetterOverAThird) {
    std::vector<Question> qs;
    for (int right : {1, 2, 3, 4, 1, 2}) qs.push_back(typed("P" + std::to_string(right), 1, right));
    qs.push_back(typed("Sam", 2, 1));
    for (int right : {1, 1, 2}) qs.push_back(typed("Q", 3, right));
    const auto balance = levelBalance(qs);
    EXPECT_FALSE(balance[1].lopsided()); // A and B each 2 of 6: a third
    EXPECT_TRUE(balance[2].lopsided());
    EXPECT_TRUE(balance[3].lopsided());
    EXPECT_TRUE(balance[4].lopsided()); // empty
}

TEST(EditorModel, anImportWithOneBadRowAddsNothingAndNamesTheRow) {
    TempDir dir;
    createDatabase(dir.file("Baza.mdb"), test::sampleFixture(1));
    test::writeFile(dir.file("nastavnik.txt"), "Koliko je 2 + 2?\nA. 3\nB. 4\nC. 5\nD. 6\n"
                                               "ANSWER: B\n\nKoliko je 3 + 3?\nA. 6\nB. 7\n"
                                               "C. 8\nD. 9\nANSWER: E\n");
    QuestionStore store(dir.file("Baza.mdb"));
    const ImportReport bad = importFile(store, dir.file("nastavnik.txt"), 3, nullptr);
    ASSERT_FALSE(bad.problems.empty());
    EXPECT_EQ(bad.problems.front().line, 8);
    EXPECT_TRUE(bad.added.empty());
    EXPECT_EQ(store.questions().size(), 15u);

    // The same rows exported and read back give the same questions.
    std::vector<Question> two = {typed("Đak čita \"Seobe\"; zašto?", 2, 3),
                                 typed("Ljudi, njive, džak", 9, 4)};
    two[1].note = typed("Objašnjenje").text;
    for (auto format : {ExportFormat::Csv, ExportFormat::Json}) {
        const std::string file = dir.file(format == ExportFormat::Csv ? "x.csv" : "x.json");
        ASSERT_TRUE(exportFile(two, format, file, nullptr));
        const ImportReport back = importFile(store, file, std::nullopt, nullptr);
        ASSERT_TRUE(back.problems.empty()) << back.problems.front().message;
        ASSERT_EQ(back.added.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            Question q = *store.find(back.added[i]);
            q.id = 0;
            EXPECT_EQ(q, two[i]);
        }
    }
}

// A game window holds the bank in another process: the editor is refused and told it is the
// game; once the game has gone the bank opens.
TEST(EditorModel, theEditorIsRefusedABankAGameHasOpen) {
    TempDir dir;
    const std::string path = dir.file("Baza.mdb");
    createDatabase(path, test::sampleFixture(1));
    int ready[2], quit[2];
    ASSERT_TRUE(pipe(ready) == 0 && pipe(quit) == 0);
    const pid_t game = fork();
    if (game == 0) {
        DatabaseLock window(path, DatabaseLock::Kind::Window);
        DatabaseLock writer(path);
        char c = 1;
        (void)!write(ready[1], &c, 1);
        (void)!read(quit[0], &c, 1);
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    try {
        QuestionStore store(path);
        ADD_FAILURE() << "the bank opened while the game held it";
    } catch (const DatabaseInUse& e) {
        EXPECT_TRUE(e.byGame());
    }
    ASSERT_EQ(write(quit[1], &c, 1), 1);
    waitpid(game, nullptr, 0);
    EXPECT_NO_THROW(QuestionStore{path});
}

} // namespace
} // namespace kvz::editor
