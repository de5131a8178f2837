// The start-up procedure and the program-wide helpers.
#include "app/Form1.h"
#include "app/Messages.h"
#include "data/DatabaseCheck.h"

namespace kvz {

void Form1::Main() {
    if (!platform_.fileExists(programFile("Baza.mdb"))) {
        endWithError("Kraj! Obrisana je baza podataka.");
        return;
    }
    try {
        openDatabase();
        InstallFontAtStart();
        Form_Load();
    } catch (const std::exception& e) {
        reportFailure(*this, e);
        return;
    }
    if (ended) return;
    shown = true;
    Form_Resize();
    Form_Activate();
    setFocus(&Text1);
}

void Form1::openDatabase() {
    const std::string path = programFile("Baza.mdb");
    Conn = openCheckedDatabase(path);
    if (platform_.databaseMode() != DatabaseMode::Scratch) requireWritable(path);
    switch (platform_.databaseMode()) {
    case DatabaseMode::Direct:
        Writes = directWriter(*Conn);
        break;
    case DatabaseMode::WriteBehind:
        Writes = backgroundWriter(path);
        break;
    case DatabaseMode::Scratch:
        Conn = Connection::inMemoryCopy(*Conn);
        Writes = directWriter(*Conn);
        break;
    }
    RsStat = std::make_unique<Settings>(*Conn, *Writes);
    RsResults = std::make_unique<Results>(*Conn, *Writes);
}

void Form1::PlayWav(const std::string& fullName) {
    platform_.playWav(fullName);
}

void Form1::PlayProgramSound(const std::string& fileName) {
    std::string full = programFile(fileName);
    if (platform_.fileExists(full)) PlayWav(full);
}

void Form1::endWithError(const std::string& text) {
    platform_.messageBox(text, "Kvizomat", MessageIcon::Critical);
    exitStatus = 1;
    endProgram();
}

void Form1::endProgram() {
    ended = true;
    focus = nullptr;
    finishWrites();
}

void Form1::finishWrites() {
    if (Writes == nullptr) return;
    try {
        Writes->settle();
    } catch (const std::exception& e) {
        reportFailure(*this, e);
    }
}

} // namespace kvz
