// SPDX-License-Identifier: GPL-3.0-or-later
// Installing the display font on a first start, and not again once it is installed.
#include "app/Form1.h"
#include "data/Settings.h"
#include "support/FakePlatform.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

using namespace kvz;
using namespace kvz::test;

namespace {

const std::string kNtKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const std::string kOtherKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts";

class FontInstallation : public ::testing::Test {
  protected:
    FontInstallation() {
        Json fixture = sampleFixture();
        fixture["tbStat"]["Slova"] = false;
        createDatabase(dir_.file("Baza.mdb"), fixture);
        writeFile(dir_.file("_ARIAL.TTF"), "font beside the program");
        platform_.folder = dir_.path().string();
    }

    // One run of the program up to its opening screen.
    Form1& start() {
        form_ = std::make_unique<Form1>(platform_, generator_);
        form_->Main();
        return *form_;
    }

    bool slovaStored() const { return storedSetting(dir_.file("Baza.mdb"), "Slova").truth(); }

    std::string installedFont() const { return platform_.folder + "/fonts/_ARIAL.TTF"; }

    TempDir dir_;
    FakePlatform platform_;
    Generator generator_;
    std::unique_ptr<Form1> form_;
};

TEST_F(FontInstallation, aFirstStartCopiesAndRegistersTheFontAndRemembersIt) {
    Form1& f = start();
    EXPECT_EQ(readFile(installedFont()), "font beside the program");
    EXPECT_EQ(platform_.registeredKeys, std::vector<std::string>{kOtherKey});
    EXPECT_EQ(f.FontsKey, kOtherKey);
    EXPECT_TRUE(slovaStored());
    EXPECT_TRUE(f.Text1.visible) << "only the NT family needs a restart";
    EXPECT_NE(f.lblFirma[2].caption, "Restartajte kompjuter");
}

TEST_F(FontInstallation, onTheNtFamilyTheFirstStartAsksForARestartAndKeepsAnInstalledFont) {
    platform_.nt = true;
    std::filesystem::create_directories(platform_.folder + "/fonts");
    writeFile(installedFont(), "installed font");
    Form1& first = start();
    EXPECT_EQ(readFile(installedFont()), "installed font");
    EXPECT_EQ(platform_.registeredKeys, std::vector<std::string>{kNtKey});
    EXPECT_TRUE(first.lblFirma[2].visible);
    EXPECT_EQ(first.lblFirma[2].caption, "Restartajte kompjuter");
    EXPECT_FALSE(first.Text1.visible);

    Form1& next = start();
    EXPECT_EQ(platform_.registeredKeys.size(), 1u) << "nothing is registered again";
    EXPECT_EQ(next.FontsKey, "");
    EXPECT_TRUE(next.Text1.visible);
    EXPECT_NE(next.lblFirma[2].caption, "Restartajte kompjuter");
}

TEST_F(FontInstallation, aFailedRegistrationIsSilentAndTriedAgainEvenWithoutTheFontFile) {
    std::filesystem::remove(dir_.file("_ARIAL.TTF"));
    platform_.registerSucceeds = false;
    start();
    EXPECT_FALSE(slovaStored());
    EXPECT_TRUE(platform_.messages.empty());
    platform_.registerSucceeds = true;
    start();
    EXPECT_FALSE(std::filesystem::exists(installedFont()));
    EXPECT_EQ(platform_.registeredKeys.size(), 2u);
    EXPECT_TRUE(slovaStored());
}

} // namespace
