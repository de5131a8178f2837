// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Schema.h"

namespace kvz {

void createSchema(const Connection& conn, bool withCollaborators) {
    // Columns without a declared type keep whatever value they are given, so a bank can
    // hold a Tac written as text exactly as the game must cope with it.
    conn.exec("CREATE TABLE tbKviz (ID INTEGER PRIMARY KEY, Pitanje, A, B, V, G, RB INTEGER, "
              "Tac, Odred)");
    conn.exec("CREATE INDEX tbKviz_RB ON tbKviz (RB)");
    conn.exec("CREATE TABLE tbStat (Slova BOOLEAN, Start INTEGER, Tac INTEGER, Netac INTEGER, "
              "PTac INTEGER, PNetac INTEGER, Reklama INTEGER, Ime, Datum, Firma, Mjesto, Mail, "
              "Adresa, TelFax, Moto)");
    conn.exec("CREATE TABLE tbRezultati (Ime, RB INTEGER, Skor REAL, Datum)");
    if (withCollaborators) conn.exec("CREATE TABLE tbSar (Saradnik)");
}

} // namespace kvz
