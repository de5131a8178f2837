// SPDX-License-Identifier: GPL-3.0-or-later
// Fixtures: any JSON is refused with a reason or made into a database whose export holds
// the same rows.
#include "FuzzCheck.h"
#include "common/Fixture.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

std::size_t rowsOf(const kvz::Json& fixture, const char* table) {
    auto it = fixture.find(table);
    if (it == fixture.end() || it->is_null()) return 0;
    return it->is_array() ? it->size() : 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto fixture = kvz::Json::parse(data, data + size, nullptr, false);
    if (fixture.is_discarded()) return 0;
    // An in-memory database: the same SQL without a file or a key to derive.
    kvz::Connection conn(":memory:", kvz::kDatabasePassword, kvz::Connection::Mode::Create);
    try {
        kvz::fillDatabase(conn, fixture);
    } catch (const std::runtime_error&) {
        return 0; // refused with a reason (kvz::DbError is one as well)
    }
    kvz::Json exported = kvz::exportDatabase(conn);
    for (const char* table : {"tbStat", "tbKviz", "tbRezultati", "tbSar"})
        FUZZ_CHECK(rowsOf(exported, table) == rowsOf(fixture, table));
    return 0;
}
