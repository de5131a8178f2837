#include "common/BankImport.h"

#include <gtest/gtest.h>

using namespace kvz;

TEST(BankImport, jsonQuestionsAreConvertedAndKeepTheirOrder) {
    auto bank = parseBank(R"([
  {"Pitanje": "Који град лежи на ушћу Саве у Дунав?", "A": "Нови Сад", "B": "Београд",
   "V": "Шабац", "G": "Земун", "RB": 2, "Tac": 2, "Odred": "Београд лежи на ушћу."},
  {"Pitanje": "Ko je napisao „Na Drini ćupriju“?", "A": "Ivo Andrić", "B": "Meša Selimović",
   "V": "Njegoš", "G": "Đura Jakšić", "RB": "7", "Tac": "А", "Odred": null}
])",
                          BankFormat::Json, std::nullopt);
    ASSERT_TRUE(bank.problems.empty()) << bank.problems[0].message;
    ASSERT_EQ(bank.questions.size(), 2u);
    EXPECT_EQ(bank.questions[0].pitanje, "Koji grad le`i na u{}u Save u Dunav?");
    EXPECT_EQ(bank.questions[0].answers[1], "Beograd");
    EXPECT_EQ(bank.questions[0].line, 2);
    EXPECT_EQ(bank.questions[1].pitanje, "Ko je napisao \"Na Drini }upriju\"?");
    EXPECT_EQ(bank.questions[1].answers[2], "Wego{");
    EXPECT_EQ(bank.questions[1].answers[3], "\\ura Jak{i}");
    EXPECT_EQ(bank.questions[1].rb, 7);
    EXPECT_EQ(bank.questions[1].tac, 1);
    EXPECT_FALSE(bank.questions[1].odred);
    EXPECT_EQ(bank.questions[1].line, 4);
}

TEST(BankImport, everyBadRowIsReportedWithItsLine) {
    auto bank = parseBank(R"([
  {"Pitanje": "", "A": "a", "B": "b", "V": "v", "G": "g", "RB": 1, "Tac": 1},
  {"Pitanje": "p", "A": "a", "B": "b", "V": "v", "RB": 1, "Tac": 1},
  {"Pitanje": "p", "A": "a", "B": "b", "V": "v", "G": "g", "RB": 16, "Tac": 1},
  {"Pitanje": "p", "A": "a", "B": "b", "V": "v", "G": "g", "RB": 3, "Tac": 5},
  {"Pitanje": "New York?", "A": "a", "B": "b", "V": "v", "G": "g", "RB": 3, "Tac": 1},
  {"Pitanje": "dobro", "A": "a", "B": "b", "V": "v", "G": "g", "RB": 3, "Tac": "g"}
])",
                          BankFormat::Json, std::nullopt);
    ASSERT_EQ(bank.problems.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(bank.problems[static_cast<std::size_t>(i)].line, i + 2);
    EXPECT_NE(bank.problems[1].message.find("\"G\""), std::string::npos);
    EXPECT_NE(bank.problems[2].message.find("RB"), std::string::npos);
    EXPECT_NE(bank.problems[3].message.find("Tac"), std::string::npos);
    ASSERT_EQ(bank.questions.size(), 1u);
    EXPECT_EQ(bank.questions[0].tac, 4);
}

TEST(BankImport, aNumberBeyondAnyTypeIsReportedAsBadJsonNotThrown) {
    auto bank = parseBank(R"([{"Pitanje": "p", "RB": 1e999}])", BankFormat::Json, std::nullopt);
    EXPECT_TRUE(bank.questions.empty());
    ASSERT_EQ(bank.problems.size(), 1u);
    EXPECT_NE(bank.problems[0].message.find("not valid JSON"), std::string::npos);
}

TEST(BankImport, csvWithQuotedFieldsAndTheLevelFromTheCommandLine) {
    auto bank = parseBank("Pitanje,A,B,V,G,Tac,Odred\n"
                          "\"Koliko je 2 + 2, ako je 3 + 3 \"\"šest\"\"?\",3,4,5,6,B,\n"
                          "\"Pitanje u\ndva reda\",a,b,v,g,4,Napomena\n"
                          "nedostaje,a,b\n",
                          BankFormat::Csv, 5);
    ASSERT_EQ(bank.problems.size(), 1u);
    EXPECT_EQ(bank.problems[0].line, 5);
    ASSERT_EQ(bank.questions.size(), 2u);
    EXPECT_EQ(bank.questions[0].pitanje, "Koliko je 2 + 2, ako je 3 + 3 \"{est\"?");
    EXPECT_EQ(bank.questions[0].tac, 2);
    EXPECT_EQ(bank.questions[0].rb, 5);
    EXPECT_EQ(bank.questions[1].pitanje,
              "Pitawe u dva reda"); // line breaks in a cell become blanks
    EXPECT_EQ(*bank.questions[1].odred, "Napomena");
    EXPECT_EQ(bank.questions[1].line, 3);
}

TEST(BankImport, theUsualMultipleChoiceTextFormatNeedsALevel) {
    const char* text =
        "Glavni grad Srbije je\n"
        "A. Niš\nB) Beograd\nC. Kragujevac\nD. Subotica\nANSWER: B\n"
        "\n"
        "Koja je boja neba\nu vedar dan?\nA. plava\nB. zelena\nC. crvena\nD. žuta\nANSWER: A\n"
        "\n"
        "Nepotpuno\nA. jedan\nB. dva\nANSWER: A\n";
    auto bank = parseBank(text, BankFormat::Text, 1);
    ASSERT_EQ(bank.questions.size(), 2u);
    EXPECT_EQ(bank.questions[0].answers[1], "Beograd");
    EXPECT_EQ(bank.questions[0].tac, 2);
    EXPECT_EQ(bank.questions[1].pitanje, "Koja je boja neba u vedar dan?");
    EXPECT_EQ(bank.questions[1].answers[3], "`uta");
    EXPECT_EQ(bank.questions[1].line, 8);
    ASSERT_EQ(bank.problems.size(), 1u);
    EXPECT_EQ(bank.problems[0].line, 16);

    const char* one = "P\nA. a\nB. b\nC. c\nD. d\nANSWER: D\n";
    for (std::optional<int> level : {std::optional<int>(), std::optional(0), std::optional(16)}) {
        auto refused = parseBank(one, BankFormat::Text, level);
        EXPECT_TRUE(refused.questions.empty());
        ASSERT_EQ(refused.problems.size(), 1u);
        EXPECT_NE(refused.problems[0].message.find("level"), std::string::npos);
    }
}
