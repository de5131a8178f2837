// SPDX-License-Identifier: GPL-3.0-or-later
// Player names: the name functions take any bytes, and the name box, fed any characters,
// holds printable display code that normalises to a stable name.
#include "FuzzCheck.h"
#include "app/Form1.h"
#include "common/Fixture.h"
#include "data/DatabaseCheck.h"
#include "script/ScriptedPlatform.h"
#include "text/Names.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

bool isSeparator(char c) {
    return c == ' ' || c == '-';
}

void checkNameFunctions(const std::string& bytes) {
    std::string name = bytes;
    kvz::ProperCaseName(name);
    if (!name.empty()) {
        FUZZ_CHECK(!isSeparator(name.front()) && !isSeparator(name.back()));
        for (std::size_t i = 1; i < name.size(); ++i)
            FUZZ_CHECK(!(isSeparator(name[i - 1]) && isSeparator(name[i])));
    }
    std::string again = name;
    FUZZ_CHECK(kvz::ProperCaseName(again) == name); // a stored name stays as it is
    FUZZ_CHECK(kvz::JoinLetterPairs(bytes).size() <= bytes.size());
    std::string stripped = bytes;
    FUZZ_CHECK(kvz::StripEdgeSeparators(stripped).size() <= bytes.size());
    FUZZ_CHECK(kvz::CollapseSeparators(bytes).size() <= bytes.size());
    for (char c : bytes) {
        char upper = c, lower = c;
        kvz::UpperDisplay(upper);
        kvz::LowerDisplay(lower);
    }
}

std::unique_ptr<kvz::script::ScriptedPlatform> platform;
kvz::Generator generator;
std::unique_ptr<kvz::Form1> form;

// The window on a small database in a folder of its own, opened once.
kvz::Form1& window() {
    if (!form) {
        char folder[] = "/tmp/kvizomat-fuzz-XXXXXX";
        if (mkdtemp(folder) == nullptr) std::abort();
        kvz::Json stat = {{"Slova", true}, {"Start", 0},  {"Tac", 0},    {"Netac", 0},
                          {"PTac", 0},     {"PNetac", 0}, {"Reklama", 0}};
        kvz::Json results = kvz::Json::array();
        for (int i = 0; i < 10; ++i) results.push_back({{"Ime", ""}, {"RB", 0}, {"Skor", 0}});
        kvz::createDatabase(
            std::string(folder) + "/Baza.mdb",
            {{"tbStat", stat}, {"tbKviz", kvz::Json::array()}, {"tbRezultati", results}});
        platform = std::make_unique<kvz::script::ScriptedPlatform>(folder);
        form = std::make_unique<kvz::Form1>(*platform, generator);
        form->Main();
        FUZZ_CHECK(!form->ended);
    }
    return *form;
}

// Characters typed into the name box, which then loses the focus.
void checkNameBox(const std::uint8_t* data, std::size_t size) {
    kvz::Form1& box = window();
    box.Text1.caption.clear();
    box.setFocus(&box.Text1);
    for (std::size_t i = 0; i < size; ++i) box.keyPress(data[i]);
    FUZZ_CHECK(kvz::isDisplayText(box.Text1.caption));
    FUZZ_CHECK(box.Text1.maxLength == 0 ||
               static_cast<int>(box.Text1.caption.size()) <= box.Text1.maxLength);
    box.setFocus(nullptr);
    std::string stored = box.Text1.caption;
    FUZZ_CHECK(kvz::ProperCaseName(stored) == box.Text1.caption);
    FUZZ_CHECK(!box.ended);
    platform->takeEvents(); // the beeps of refused keys
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkNameFunctions(std::string(reinterpret_cast<const char*>(data), size));
    for (std::size_t i = 0; i + 4 <= size; i += 4) {
        std::int32_t key = 0;
        std::memcpy(&key, data + i, sizeof key);
        int filtered = key;
        bool passes = kvz::FilterNameKey(filtered);
        FUZZ_CHECK(passes ? filtered == key : filtered == 0);
    }
    checkNameBox(data, size);
    return 0;
}
