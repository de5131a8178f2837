// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/BankImport.h"

#include <gtest/gtest.h>
#include <istream>
#include <streambuf>

using namespace kvz;

namespace {

// Whether a problem on `line` says `words`; a failure lists every problem reported.
::testing::AssertionResult mentions(const ParsedBank& bank, int line, const std::string& words) {
    for (const auto& p : bank.problems)
        if (p.line == line && p.message.find(words) != std::string::npos)
            return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "no \"" << words << "\" on line " << line;
    for (const auto& p : bank.problems) failure << "\n  " << p.line << ": " << p.message;
    return failure;
}

// The whole bank refused, with `words` said of `line`.
::testing::AssertionResult refused(const ParsedBank& bank, int line, const std::string& words) {
    if (!bank.questions.empty())
        return ::testing::AssertionFailure() << bank.questions.size() << " questions taken";
    return mentions(bank, line, words);
}

// A source of `rows` bank rows made as they are read, which notes how much of it has been
// read when asked.
class GeneratedBank : public std::streambuf {
  public:
    GeneratedBank(BankFormat format, int rows) : format_(format), rows_(rows) {
        chunk_ = format == BankFormat::Json  ? "["
                 : format == BankFormat::Csv ? "Pitanje,A,B,V,G,RB,Tac\n"
                                             : "";
        setg(chunk_.data(), chunk_.data(), chunk_.data() + chunk_.size());
    }
    int made() const { return made_; }

  protected:
    int_type underflow() override {
        if (made_ == rows_) return traits_type::eof();
        const std::string n = std::to_string(++made_);
        if (format_ == BankFormat::Json)
            chunk_ = std::string(made_ > 1 ? "," : "") + R"({"Pitanje": "Pitanje )" + n +
                     R"(?", "A": "a", "B": "b", "V": "v", "G": "g", "RB": 1, "Tac": 1})" +
                     (made_ == rows_ ? "]" : "") + "\n";
        else if (format_ == BankFormat::Csv)
            chunk_ = "Pitanje " + n + "?,a,b,v,g,1,1\n";
        else
            chunk_ = "Pitanje " + n + "?\nA. a\nB. b\nC. c\nD. d\nANSWER: A\n\n";
        setg(chunk_.data(), chunk_.data(), chunk_.data() + chunk_.size());
        return traits_type::to_int_type(chunk_[0]);
    }

  private:
    BankFormat format_;
    int rows_;
    int made_ = 0;
    std::string chunk_;
};

} // namespace

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
    const BankQuestion &first = bank.questions[0], &second = bank.questions[1];
    EXPECT_EQ(first.pitanje, "Koji grad le`i na u{}u Save u Dunav?");
    EXPECT_EQ(first.answers[1], "Beograd");
    EXPECT_EQ(second.pitanje, "Ko je napisao \"Na Drini }upriju\"?");
    EXPECT_EQ(second.answers[2] + "|" + second.answers[3], "Wego{|\\ura Jak{i}");
    EXPECT_EQ(std::pair(second.rb, second.tac), std::pair(7, 1));
    EXPECT_FALSE(second.odred);
    EXPECT_EQ(std::pair(first.line, second.line), std::pair(2, 4));
}

TEST(BankImport, everyBadRowIsReportedWithItsLine) {
    auto bank = parseBank(R"([
  {"Pitanje": "", "A": "a", "B": "b", "V": "v", "G": "g", "RB": 1, "Tac": 1},
  {"Pitanje": "p", "A": "a", "B": "b", "V": "v", "RB": 1, "Tac": 1},
  {"Pitanje": "p", "A": "a", "B": "b", "V": "v", "G": "g", "RB": 16, "Tac": 1},
  {"Pitanje": "p", "A": "a", "B": "b", "V": "v", "G": "g", "RB": 3, "Tac": 5},
  {"Pitanje": "Ωmega?", "A": "a", "B": "b", "V": "v", "G": "g", "RB": 3, "Tac": 1},
  {"Pitanje": "dobro", "A": "a", "B": "b", "V": "v", "G": "g", "RB": 3, "Tac": "g"}
])",
                          BankFormat::Json, std::nullopt);
    ASSERT_EQ(bank.problems.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(bank.problems[static_cast<std::size_t>(i)].line, i + 2);
    EXPECT_TRUE(mentions(bank, 3, "\"G\"") && mentions(bank, 4, "RB") && mentions(bank, 5, "Tac"));
    ASSERT_EQ(bank.questions.size(), 1u);
    EXPECT_EQ(bank.questions[0].tac, 4);
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
    EXPECT_EQ(std::pair(bank.questions[0].rb, bank.questions[0].tac), std::pair(5, 2));
    // Line breaks in a cell become blanks.
    EXPECT_EQ(bank.questions[1].pitanje, "Pitawe u dva reda");
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
        auto bad = parseBank(one, BankFormat::Text, level);
        EXPECT_TRUE(refused(bad, 1, "level"));
        EXPECT_EQ(bad.problems.size(), 1u);
    }
    // A wrong answer letter is told in the format's own letters.
    auto letter = parseBank("P\nA. a\nB. b\nC. c\nD. d\nANSWER: V\n", BankFormat::Text, 1);
    ASSERT_EQ(letter.problems.size(), 1u);
    EXPECT_TRUE(mentions(letter, letter.problems[0].line, "A, B, C or D"));
    EXPECT_EQ(letter.problems[0].message.find("V"), std::string::npos);
}

TEST(BankImport, hostileInputIsRefusedWithAReasonNotACrash) {
    // Nesting far deeper than any bank, in a field and as the whole file.
    const std::string deep(70'000, '[');
    auto nested =
        parseBank(R"([{"Pitanje": )" + deep + std::string(70'000, ']') + "}]", BankFormat::Json, 1);
    EXPECT_TRUE(refused(nested, 1, "nested deeper than"));
    EXPECT_TRUE(mentions(nested, 1, "\"Pitanje\" must be text, a number or null"));
    EXPECT_FALSE(parseBank(deep, BankFormat::Json, 1).problems.empty());
    // A number beyond any type is bad JSON, not an exception.
    auto huge = parseBank(R"([{"Pitanje": "p", "RB": 1e999}])", BankFormat::Json, std::nullopt);
    EXPECT_TRUE(refused(huge, 1, "not valid JSON"));
    EXPECT_EQ(huge.problems.size(), 1u);

    // Lines far longer than any question, in the plain-text format and in CSV.
    const std::string longLine(200'000, 'x');
    auto text = parseBank(longLine + "\nA. a\nB. b\nC. c\nD. d\nANSWER: A\n", BankFormat::Text, 1);
    EXPECT_TRUE(refused(text, 1, "longer than"));
    auto option = parseBank("P\nA. " + longLine + "\nB. b\nC. c\nD. d\nANSWER: " + longLine,
                            BankFormat::Text, 1);
    EXPECT_TRUE(option.questions.empty() && !option.problems.empty());
    auto csv = parseBank("Pitanje,A,B,V,G,RB,Tac\n" + longLine + ",a,b,v,g,1,1\n", BankFormat::Csv,
                         std::nullopt);
    EXPECT_TRUE(mentions(csv, 2, "longer than"));
}

TEST(BankImport, everyFormatIsReadAsItGoesNotWholeFirst) {
    for (BankFormat format : {BankFormat::Json, BankFormat::Csv, BankFormat::Text}) {
        SCOPED_TRACE(static_cast<int>(format));
        GeneratedBank source(format, 1000);
        std::istream in(&source);
        int firstSeenAt = 0, questions = 0;
        std::vector<BankProblem> problems;
        readBank(in, format, 1,
                 {[&](BankQuestion&&) {
                      if (questions++ == 0) firstSeenAt = source.made();
                  },
                  [&](BankProblem&& p) { problems.push_back(std::move(p)); },
                  {}});
        EXPECT_TRUE(problems.empty()) << problems[0].message;
        EXPECT_EQ(questions, 1000);
        EXPECT_LE(firstSeenAt, 3) << "the first row waited for the rest";
    }
}

TEST(BankImport, csvThatWouldChangeTheDataQuietlyIsRefused) {
    // A stray quote in a field without quotes, text after a closing quote, an open quote.
    auto quotes = parseBank("Pitanje,A,B,V,G,RB,Tac\n"
                            "Sta je \"kvizomat,a,b,v,g,1,1\n"
                            "\"Dobro\" pitanje,a,b,v,g,1,1\n"
                            "\"Nezatvoreno,a,b,v,g,1,1\n",
                            BankFormat::Csv, std::nullopt);
    EXPECT_TRUE(refused(quotes, 2, "quote"));
    EXPECT_TRUE(mentions(quotes, 3, "after the closing quote") &&
                mentions(quotes, 4, "not closed"));

    // A misspelt column and a column given twice are refused before any row.
    const std::string row = "P,a,b,v,g,1,1,x\n";
    EXPECT_TRUE(refused(parseBank("Pitanje,A,B,V,G,RB,Tac,Odgovor\n" + row, BankFormat::Csv, {}), 1,
                        "unknown column \"Odgovor\""));
    EXPECT_TRUE(refused(parseBank("Pitanje,A,B,V,G,RB,Tac,Pitanje\n" + row, BankFormat::Csv, {}), 1,
                        "\"Pitanje\" is given twice"));

    // The same in JSON: an unknown or repeated key.
    auto keys = parseBank(R"([{"Pitanje": "P", "A": "a", "B": "b", "V": "v", "G": "g", "RB": 1,
  "Tac": 1, "Odgovor": "x"},
 {"Pitanje": "P", "A": "a", "B": "b", "V": "v", "G": "g", "RB": 1, "Tac": 1, "Tac": 2}])",
                          BankFormat::Json, {});
    EXPECT_TRUE(refused(keys, 2, "unknown key \"Odgovor\""));
    EXPECT_TRUE(mentions(keys, 3, "\"Tac\" is given twice"));
}

TEST(BankImport, aByteOrderMarkIsSkippedInEveryFormat) {
    const std::pair<BankFormat, std::string> banks[] = {
        {BankFormat::Json, R"([{"Pitanje": "Prvo pitanje", "A": "a", "B": "b", "V": "v", "G": "g",
                              "RB": 1, "Tac": 1}])"},
        {BankFormat::Csv, "Pitanje,A,B,V,G,RB,Tac\nPrvo pitanje,a,b,v,g,1,1\n"},
        {BankFormat::Text, "Prvo pitanje\nA. a\nB. b\nC. c\nD. d\nANSWER: D\n"}};
    for (const auto& [format, text] : banks) {
        auto bank = parseBank("\xEF\xBB\xBF" + text, format,
                              format == BankFormat::Text ? std::optional(1) : std::nullopt);
        ASSERT_EQ(bank.questions.size(), 1u) << bank.problems[0].message;
        EXPECT_EQ(bank.questions[0].pitanje, "Prvo pitawe");
    }
}

TEST(BankImport, aLevelIsAWholeNumberFromOneToFifteenAndNothingElse) {
    EXPECT_EQ(levelNumber("3"), 3);
    EXPECT_EQ(levelNumber("15"), 15);
    for (const char* bad : {"3x", "x3", "", "0", "16", "015", " 3", "3.0", "-1"})
        EXPECT_FALSE(levelNumber(bad)) << bad;
}
