// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Form1.h"
#include "support/FakePlatform.h"
#include "support/TestSupport.h"

#include <memory>

namespace kvz::test {

// The window started on a database made from a fixture, on a screen of a given size.
struct PresentationForm {
    explicit PresentationForm(const Json& fixture = sampleFixture(),
                              ScreenSize screen = {15360, 11520}) {
        createDatabase(dir.file("Baza.mdb"), fixture);
        platform.folder = dir.path().string();
        platform.screen = screen;
        form = std::make_unique<Form1>(platform, rnd);
        form->Main();
    }

    TempDir dir;
    FakePlatform platform;
    Generator rnd;
    std::unique_ptr<Form1> form;
};

} // namespace kvz::test
