// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Fixture.h"

#include "data/Schema.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace kvz {

namespace {

std::string quoted(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

template <std::size_t N>
std::string insertSql(const char* table, const std::array<std::string_view, N>& fields) {
    std::string cols, marks;
    for (std::size_t i = 0; i < N; ++i) {
        cols += (i ? ", " : "") + quoted(fields[i]);
        marks += i ? ", ?" : "?";
    }
    return std::string("INSERT INTO ") + table + " (" + cols + ") VALUES (" + marks + ")";
}

template <std::size_t N>
void insertRow(const Connection& conn, const char* table,
               const std::array<std::string_view, N>& fields, const Json& row) {
    if (!row.is_object()) throw std::runtime_error(std::string(table) + ": a row is not an object");
    for (const auto& [key, _] : row.items()) {
        bool known = false;
        for (auto f : fields) known = known || f == key;
        if (!known)
            throw std::runtime_error(std::string(table) + ": unknown field \"" + key + "\"");
    }
    auto st = conn.prepare(insertSql(table, fields));
    for (std::size_t i = 0; i < N; ++i) {
        auto it = row.find(std::string(fields[i]));
        st.bind(static_cast<int>(i) + 1, it == row.end() ? Value() : jsonToValue(*it));
    }
    st.run();
}

const Json& arrayOrEmpty(const Json& fixture, const char* key) {
    static const Json empty = Json::array();
    auto it = fixture.find(key);
    if (it == fixture.end() || it->is_null()) return empty;
    if (!it->is_array()) throw std::runtime_error(std::string(key) + " must be an array");
    return *it;
}

void fill(const Connection& conn, const Json& fixture) {
    if (auto it = fixture.find("tbStat"); it != fixture.end() && !it->is_null()) {
        if (it->is_array())
            for (const auto& row : *it) insertRow(conn, "tbStat", kStatFields, row);
        else
            insertRow(conn, "tbStat", kStatFields, *it);
    }
    for (const auto& row : arrayOrEmpty(fixture, "tbKviz"))
        insertRow(conn, "tbKviz", kQuestionFields, row);
    for (const auto& row : arrayOrEmpty(fixture, "tbRezultati"))
        insertRow(conn, "tbRezultati", kResultFields, row);
    const Json& names = arrayOrEmpty(fixture, "tbSar");
    if (names.empty()) return;
    auto st = conn.prepare("INSERT INTO tbSar (Saradnik) VALUES (?)");
    for (const auto& name : names) {
        st.bind(1, jsonToValue(name)).run();
        st.reset();
    }
}

template <std::size_t N>
Json rowsOf(const Connection& conn, const std::string& sql,
            const std::array<std::string_view, N>& fields) {
    Json rows = Json::array();
    auto st = conn.prepare(sql);
    while (st.step()) {
        Json row = Json::object();
        for (std::size_t i = 0; i < N; ++i)
            row[std::string(fields[i])] = valueToJson(st.column(static_cast<int>(i)));
        rows.push_back(std::move(row));
    }
    return rows;
}

template <std::size_t N>
std::string selectSql(const char* table, const std::array<std::string_view, N>& fields) {
    std::string cols;
    for (std::size_t i = 0; i < N; ++i) cols += (i ? ", " : "") + quoted(fields[i]);
    return "SELECT " + cols + " FROM " + table + " ORDER BY rowid";
}

} // namespace

Json valueToJson(const Value& v) {
    struct Visitor {
        Json operator()(std::monostate) const { return nullptr; }
        Json operator()(std::int64_t x) const { return x; }
        Json operator()(double x) const { return x; }
        Json operator()(const std::string& x) const { return x; }
        Json operator()(bool x) const { return x; }
    };
    return std::visit(Visitor{}, v.storage());
}

Value jsonToValue(const Json& j) {
    if (j.is_null()) return Value();
    if (j.is_boolean()) return Value(j.get<bool>());
    if (j.is_number_integer()) return Value(j.get<std::int64_t>());
    if (j.is_number_float()) return Value(j.get<double>());
    if (j.is_string()) return Value(j.get<std::string>());
    throw std::runtime_error("a field holds " + std::string(j.type_name()) +
                             "; only null, truth values, numbers and texts are allowed");
}

void fillDatabase(const Connection& conn, const Json& fixture) {
    if (!fixture.is_object()) throw std::runtime_error("the fixture must be a JSON object");
    for (const auto& [key, _] : fixture.items())
        if (key != "tbStat" && key != "tbKviz" && key != "tbRezultati" && key != "tbSar")
            throw std::runtime_error("unknown table \"" + key + "\"");
    createSchema(conn, fixture.contains("tbSar"));
    fill(conn, fixture);
}

void createDatabase(const std::string& path, const Json& fixture) {
    std::string temp = path + ".new";
    std::filesystem::remove(temp);
    try {
        Connection conn(temp, kDatabasePassword, Connection::Mode::Create);
        Transaction tx(conn);
        fillDatabase(conn, fixture);
        tx.commit();
    } catch (...) {
        std::filesystem::remove(temp);
        throw;
    }
    std::filesystem::rename(temp, path);
}

Json exportDatabase(const Connection& conn) {
    Transaction snapshot(conn, Transaction::Kind::Read);
    Json out = Json::object();
    Json stat = rowsOf(conn, selectSql("tbStat", kStatFields), kStatFields);
    for (auto& row : stat)
        if (row["Slova"].is_number()) row["Slova"] = row["Slova"].get<double>() != 0;
    if (stat.size() == 1)
        out["tbStat"] = stat[0];
    else if (!stat.empty())
        out["tbStat"] = stat;
    out["tbKviz"] = rowsOf(conn, selectSql("tbKviz", kQuestionFields), kQuestionFields);
    out["tbRezultati"] = rowsOf(conn, selectSql("tbRezultati", kResultFields), kResultFields);
    if (conn.tableExists("tbSar")) {
        Json names = Json::array();
        auto st = conn.prepare("SELECT Saradnik FROM tbSar ORDER BY rowid");
        while (st.step()) names.push_back(valueToJson(st.column(0)));
        out["tbSar"] = names;
    }
    return out;
}

} // namespace kvz
