// SPDX-License-Identifier: GPL-3.0-or-later
// Timer5: the knowledge typewriter. The motto is typed letter by letter while the five logo
// pictures take turns; between two passes a collaborator's name is shown.
#include "app/Form1.h"

#include <algorithm>
#include <string_view>

namespace kvz {

namespace {

constexpr std::string_view kMotto = "JA HO]U DA ZNAM!!!";
constexpr int kLogoCount = 5;
constexpr Byte kLastLetterStep = 15; // the whole motto stands
constexpr Byte kBlankStep = 16;
constexpr Byte kNameStep = 17;
constexpr Byte kLastStep = 21;

// The motto up to its n-th letter; a blank is typed together with the letter after it.
std::string typedMotto(int letters) {
    std::size_t end = 0;
    for (int typed = 0; typed < letters && end < kMotto.size(); ++end)
        if (kMotto[end] != ' ') ++typed;
    return std::string(kMotto.substr(0, end));
}

// Shows a name drawn at random from the collaborators' list; with no list the label
// stays as it is.
void showCollaborator(Form1& f) {
    // Never index past the names actually read, whatever the count says.
    auto available = static_cast<std::int64_t>(f.Collaborators.size()) - 1;
    int count = static_cast<int>(std::clamp<std::int64_t>(f.CollaboratorCount, 0, available));
    if (count > 0)
        f.lblZnam.caption = f.Collaborators[static_cast<std::size_t>(f.rnd().draw(count))];
}

void turnLogo(Form1& f, int step) {
    f.imgMudrost[(step + kLogoCount - 1) % kLogoCount].visible = false;
    f.imgMudrost[step % kLogoCount].visible = true;
}

} // namespace

void Form1::Timer5_Timer() {
    Byte s = TypewriterStep;
    if (s <= kLastLetterStep) {
        lblZnam.caption = typedMotto(s);
        turnLogo(*this, s);
    } else if (s == kNameStep) {
        showCollaborator(*this);
    } else if (s == kBlankStep || s >= kLastStep) {
        lblZnam.caption = "";
    }
    TypewriterStep = s >= kLastStep ? 0 : static_cast<Byte>(s + 1);
}

void Form1::StopTypewriter() {
    Timer5.setEnabled(false);
    TypewriterStep = 0;
    for (int i = 0; i < kLogoCount; ++i) imgMudrost[i].visible = false;
}

} // namespace kvz
