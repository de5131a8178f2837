#include "app/Messages.h"

#include "app/Form1.h"

namespace kvz {

void reportDatabaseError(Form1& form, const DbError& error) {
    std::string text =
        error.notADatabase()
            ? "Datoteka Baza.mdb je ostecena ili nije baza ove igre. Vratite ispravnu bazu u "
              "folder igre."
            : std::string("Greska u bazi podataka: ") + error.what();
    form.platform().messageBox(text, "Kvizomat", MessageIcon::Critical);
    form.endProgram();
}

} // namespace kvz
