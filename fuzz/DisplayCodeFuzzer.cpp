// SPDX-License-Identifier: GPL-3.0-or-later
// The display code: any bytes are decoded, converted and shown without a fault, and what
// converts comes back unchanged the way there and back.
#include "FuzzCheck.h"
#include "data/DatabaseCheck.h"
#include "text/DisplayCode.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);

    if (auto decoded = kvz::decodeUtf8(bytes)) FUZZ_CHECK(kvz::encodeUtf8(*decoded) == bytes);

    auto converted = kvz::toDisplayCode(bytes);
    if (converted.ok()) {
        FUZZ_CHECK(kvz::isDisplayText(converted.text));
        // What the display font shows reads back as the same display code.
        auto shown = kvz::encodeUtf8(kvz::displayToCyrillic(converted.text));
        auto again = kvz::toDisplayCode(shown);
        FUZZ_CHECK(again.ok() && again.text == converted.text);
    }

    // Texts read from a file may hold any byte; painting them in either alphabet must not
    // fail or lose a character.
    FUZZ_CHECK(kvz::displayToCyrillic(bytes).size() == bytes.size());
    FUZZ_CHECK(kvz::displayToLatin(bytes).size() >= bytes.size());
    return 0;
}
