// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Messages.h"

#include "app/Form1.h"
#include "data/DatabaseCheck.h"
#include "data/DatabaseLock.h"

namespace kvz {

namespace {

std::string fieldFaultText(FieldFault fault) {
    switch (fault) {
    case FieldFault::Empty:
        return "је празно";
    case FieldFault::NotDisplayText:
        return "има знакове које игра не може да прикаже";
    case FieldFault::TooLong:
        return "је дуже од " + std::to_string(kMaxTextBytes) + " знакова";
    case FieldFault::BadLevel:
        return "није ниво од 1 до 15";
    case FieldFault::BadAnswer:
        return "није одговор од 1 до 4";
    case FieldFault::BadCounter:
        return "није исправан бројач";
    }
    return "није исправно";
}

std::string readOnlyText(const DatabaseFault& f) {
    const std::string what = f.kind == DatabaseFault::Kind::ReadOnlyFolder
                                 ? "Фасцикла игре " + f.path
                                 : "Датотека " + f.path;
    return what + " је само за читање, па игра не би могла да сачува бројаче ни рекордере. "
                  "Дајте јој право уписа или покрените игру из фасцикле у коју смије да пише.";
}

// What is wrong, then what to do: a file that cannot be used at all must be replaced; a
// faulty row can also be mended.
std::string faultText(const DatabaseFault& f) {
    const std::string replace = " Вратите исправну базу у фасциклу игре.";
    using Kind = DatabaseFault::Kind;
    switch (f.kind) {
    case Kind::Empty:
        return "Датотека Baza.mdb је празна." + replace;
    case Kind::NotEncrypted:
        return "Датотека Baza.mdb није заштићена лозинком игре." + replace;
    case Kind::Damaged:
        return "Датотека Baza.mdb је оштећена или није база ове игре." + replace;
    case Kind::MissingTable:
        return "У бази нема табеле " + f.table + "." + replace;
    case Kind::MissingField:
        return "У табели " + f.table + " нема поља " + f.field + "." + replace;
    case Kind::SettingsRows:
        return "Табела tbStat мора имати тачно један ред, а има их " + std::to_string(f.rows) +
               "." + replace;
    case Kind::TooFewResults:
        return "Табела tbRezultati мора имати најмање 10 редова, а има их " +
               std::to_string(f.rows) + "." + replace;
    case Kind::ReadOnlyFile:
    case Kind::ReadOnlyFolder:
        return readOnlyText(f);
    case Kind::PendingLog:
        return "Поред базе је датотека " + f.field +
               " са измјенама које други програм још није уписао у Baza.mdb. Затворите тај "
               "програм да их упише, па покрените игру поново.";
    case Kind::ForeignJournal:
        return "Поред базе је датотека " + f.field +
               " која не припада овој бази. Премјестите је из фасцикле игре и покрените игру "
               "поново; база није дирана.";
    case Kind::JournalInReadOnlyFolder:
        return "Поред базе је датотека " + f.field +
               " са уписом који је прекинут, а фасцикла игре не дозвољава упис да се база "
               "врати у ред. Дозволите упис у фасциклу и покрените игру поново.";
    case Kind::BadField:
        break;
    }
    std::string where =
        "У табели " + f.table + (f.row != 0 ? ", ред " + std::to_string(f.row) : "");
    return where + ", поље " + f.field + " " + fieldFaultText(f.fieldFault) +
           ". Исправите базу или вратите исправну у фасциклу игре.";
}

// A write the game could not store: what stops it and what to do. Everything written before
// it is in the file.
std::string writeFailureText(DbError::Cause cause) {
    const std::string kept = " Игра се затвара; све што је уписано раније остаје сачувано.";
    if (cause == DbError::Cause::DiskFull)
        return "Упис у базу није успио: на диску нема мјеста." + kept +
               " Ослободите мјеста на диску и покрените игру поново.";
    return "Упис у базу није успио: фасцикла игре или датотека Baza.mdb не дозвољава упис." + kept +
           " Дозволите упис и покрените игру поново.";
}

std::string inUseText(const DatabaseInUse& e) {
    return std::string("База података је заузета: ") +
           (e.byGame() ? "на њој је већ отворена игра." : "на њој ради други програм.") +
           " Затворите га и покрените игру поново.";
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
        text = std::string("Грешка у бази података: ") + error.what();
    form.endWithError(text);
}

void reportFailure(Form1& form, const std::exception& error) {
    if (const auto* db = dynamic_cast<const DbError*>(&error))
        reportDatabaseError(form, *db);
    else
        form.endWithError(std::string("Грешка у игри: ") + error.what());
}

} // namespace kvz
