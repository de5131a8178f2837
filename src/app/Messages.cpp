#include "app/Messages.h"

#include "app/Form1.h"
#include "data/DatabaseCheck.h"
#include "data/DatabaseLock.h"

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
    case Kind::PendingLog:
        return "Pored baze je datoteka " + f.field +
               " sa izmjenama koje drugi program jos nije upisao u Baza.mdb. Zatvorite taj "
               "program da ih upise, pa pokrenite igru ponovo.";
    case Kind::ForeignJournal:
        return "Pored baze je datoteka " + f.field +
               " koja ne pripada ovoj bazi. Premjestite je iz foldera igre i pokrenite igru "
               "ponovo; baza nije dirana.";
    case Kind::JournalInReadOnlyFolder:
        return "Pored baze je datoteka " + f.field +
               " sa upisom koji je prekinut, a folder igre ne dozvoljava upis da se baza "
               "vrati u red. Dozvolite upis u folder i pokrenite igru ponovo.";
    case Kind::BadField:
        break;
    }
    std::string where =
        "U tabeli " + f.table + (f.row != 0 ? ", red " + std::to_string(f.row) : "");
    return where + ", polje " + f.field + " " + fieldFaultText(f.fieldFault) +
           ". Ispravite bazu ili vratite ispravnu u folder igre.";
}

// A write the game could not store: what stops it and what to do. Everything written before
// it is in the file.
std::string writeFailureText(DbError::Cause cause) {
    const std::string kept = " Igra se zatvara; sve sto je upisano ranije ostaje sacuvano.";
    if (cause == DbError::Cause::DiskFull)
        return "Upis u bazu nije uspio: na disku nema mjesta." + kept +
               " Oslobodite mjesto na disku i pokrenite igru ponovo.";
    return "Upis u bazu nije uspio: folder igre ili datoteka Baza.mdb ne dozvoljava upis." + kept +
           " Dozvolite upis i pokrenite igru ponovo.";
}

std::string inUseText(const DatabaseInUse& e) {
    return std::string("Baza podataka je zauzeta: ") +
           (e.byGame() ? "na njoj je vec otvorena igra." : "na njoj radi drugi program.") +
           " Zatvorite ga i pokrenite igru ponovo.";
}

} // namespace

void reportDatabaseError(Form1& form, const DbError& error) {
    std::string text;
    if (const auto* bad = dynamic_cast<const BadDatabase*>(&error))
        text = faultText(bad->fault());
    else if (const auto* inUse = dynamic_cast<const DatabaseInUse*>(&error))
        text = inUseText(*inUse);
    else if (error.notADatabase())
        text = faultText(DatabaseFault()); // damaged, found while in use
    else if (error.cause() == DbError::Cause::DiskFull ||
             (error.cause() == DbError::Cause::NotWritable && form.shown))
        text = writeFailureText(error.cause());
    else
        text = std::string("Greska u bazi podataka: ") + error.what();
    form.platform().messageBox(text, "Kvizomat", MessageIcon::Critical);
    form.endProgram();
}

} // namespace kvz
