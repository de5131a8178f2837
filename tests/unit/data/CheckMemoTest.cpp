// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/CheckMemo.h"

#include "data/DatabaseCheck.h"
#include "support/TestSupport.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kvz;

// A database that passed its check is remembered as it was; any change to it, even one that
// keeps its size and sets its times back, has it read through again and refused when bad.
TEST(CheckMemo, aFileThatPassedIsRememberedUntilAnyOfItsBytesChange) {
    test::TempDir dir;
    const std::string file = dir.file("Baza.mdb");
    createDatabase(file, test::sampleFixture(2));
    const CheckMemo memo(dir.file("cache/checked"));
    openCheckedDatabase(file, nullptr, &memo);
    const std::string passed = CheckMemo::stampOf(file);
    EXPECT_TRUE(memo.holds(passed));

    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    Connection(file, kDatabasePassword).exec("UPDATE tbKviz SET Tac = 9 WHERE rowid = 2");
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    ASSERT_EQ(std::filesystem::file_size(file), static_cast<std::uintmax_t>(before.st_size));
    EXPECT_FALSE(memo.holds(CheckMemo::stampOf(file)));
    EXPECT_THROW(openCheckedDatabase(file, nullptr, &memo), BadDatabase);
    EXPECT_TRUE(memo.holds(passed)) << "a refused file is not remembered";

    // A memo that cannot be kept costs a check, nothing else.
    Connection(file, kDatabasePassword).exec("UPDATE tbKviz SET Tac = 1 WHERE rowid = 2");
    const CheckMemo nowhere(dir.file("Baza.mdb/checked"));
    EXPECT_NO_THROW(openCheckedDatabase(file, nullptr, &nowhere));
    EXPECT_FALSE(nowhere.holds(CheckMemo::stampOf(file)));
}
