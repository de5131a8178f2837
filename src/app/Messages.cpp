#include "app/Messages.h"

#include "app/Form1.h"
#include "data/DatabaseCheck.h"

namespace kvz {

namespace {

std::string fieldFaultText(FieldFault fault) {
    switch (fault) {
    case FieldFault::Empty:
        return "je prazno";
    case FieldFault::NotDisplayText:
        return "ima znakove koje igra ne moze da prikaze";
    case FieldFault::TooLong:
        return "je duze od " + std::to_string(kMaxTextBytes) + " znakova";
    case FieldFault::BadLevel:
        return "nije nivo od 1 do 15";
    case FieldFault::BadAnswer:
        return "nije odgovor od 1 do 4";
    case FieldFault::BadCounter:
        return "nije ispravan brojac";
    }
    return "nije ispravno";
}

// What is wrong, then what to do: a file that cannot be used at all must be replaced; a
// faulty row can also be mended.
std::string faultText(const DatabaseFault& f) {
    const std::string replace = " Vratite ispravnu bazu u folder igre.";
    using Kind = DatabaseFault::Kind;
    switch (f.kind) {
    case Kind::Empty:
        return "Datoteka Baza.mdb je prazna." + replace;
    case Kind::NotEncrypted:
        return "Datoteka Baza.mdb nije zasticena lozinkom igre." + replace;
    case Kind::Damaged:
        return "Datoteka Baza.mdb je ostecena ili nije baza ove igre." + replace;
    case Kind::MissingTable:
        return "U bazi nema tabele " + f.table + "." + replace;
    case Kind::MissingField:
        return "U tabeli " + f.table + " nema polja " + f.field + "." + replace;
    case Kind::SettingsRows:
        return "Tabela tbStat mora imati tacno jedan red, a ima ih " + std::to_string(f.rows) +
               "." + replace;
    case Kind::TooFewResults:
        return "Tabela tbRezultati mora imati najmanje 10 redova, a ima ih " +
               std::to_string(f.rows) + "." + replace;
    case Kind::BadField:
        break;
    }
    std::string where =
        "U tabeli " + f.table + (f.row != 0 ? ", red " + std::to_string(f.row) : "");
    return where + ", polje " + f.field + " " + fieldFaultText(f.fieldFault) +
           ". Ispravite bazu ili vratite ispravnu u folder igre.";
}

} // namespace

void reportDatabaseError(Form1& form, const DbError& error) {
    std::string text;
    if (const auto* bad = dynamic_cast<const BadDatabase*>(&error))
        text = faultText(bad->fault());
    else if (error.notADatabase())
        text = faultText(DatabaseFault()); // damaged, found while in use
    else
        text = std::string("Greska u bazi podataka: ") + error.what();
    form.platform().messageBox(text, "Kvizomat", MessageIcon::Critical);
    form.endProgram();
}

} // namespace kvz
