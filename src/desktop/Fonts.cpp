// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fonts.h"

#include "text/DisplayCode.h"

#include <QFontDatabase>
#include <QResource>
#include <cmath>
#include <fontconfig/fontconfig.h>

namespace kvz::desktop {

namespace {

const char* const kSansFamily = "Liberation Sans";
const char* const kTahomaFamily = "DejaVu Sans";

const char* const kBundledFonts[] = {
    ":/fonts/LiberationSans-Regular.ttf",
    ":/fonts/LiberationSans-Bold.ttf",
    ":/fonts/DejaVuSans.ttf",
    ":/fonts/DejaVuSans-Bold.ttf",
};

// Every generic name resolves to the bundled faces; the rendering is the same on every
// desktop: smoothed, unhinted, without colour fringes.
const char* const kOwnFontConfiguration = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <match target="pattern">
    <edit name="family" mode="append" binding="weak"><string>Liberation Sans</string></edit>
    <edit name="family" mode="append" binding="weak"><string>DejaVu Sans</string></edit>
  </match>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>true</bool></edit>
    <edit name="hinting" mode="assign"><bool>false</bool></edit>
    <edit name="rgba" mode="assign"><const>none</const></edit>
  </match>
</fontconfig>
)";

} // namespace

bool useOnlyBundledFonts() {
    FcConfig* config = FcConfigCreate();
    if (config != nullptr &&
        FcConfigParseAndLoadFromMemory(
            config, reinterpret_cast<const FcChar8*>(kOwnFontConfiguration), FcTrue) &&
        FcConfigBuildFonts(config) && FcConfigSetCurrent(config)) {
        FcConfigDestroy(config); // the current configuration holds its own reference
        return true;
    }
    if (config != nullptr) FcConfigDestroy(config);
    return false;
}

bool registerBundledFonts() {
    bool all = true;
    for (const char* file : kBundledFonts) {
        // The fonts are stored uncompressed in the program (see CMakeLists.txt): registered
        // where they lie, they are neither copied nor read in full, only the parts drawn.
        const QResource font(QString::fromLatin1(file));
        const QByteArray data =
            font.compressionAlgorithm() == QResource::NoCompression
                ? QByteArray::fromRawData(reinterpret_cast<const char*>(font.data()), font.size())
                : font.uncompressedData();
        if (data.isEmpty() || QFontDatabase::addApplicationFontFromData(data) < 0) all = false;
    }
    return all;
}

QFont fontFor(const std::string& fontName, double points, bool bold, double pixelsPerPoint) {
    QFont font(QString::fromLatin1(fontName == "Tahoma" ? kTahomaFamily : kSansFamily));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * pixelsPerPoint))));
    font.setBold(bold);
    // Layout must not depend on the scale the text is drawn at.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QString shownText(const std::string& fontName, const std::string& text, Script script) {
    QString shown;
    if (fontName == kDisplayFont) {
        const std::u32string letters = displayIn(text, script);
        shown = QString::fromUcs4(letters.data(), static_cast<qsizetype>(letters.size()));
    } else {
        shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

} // namespace kvz::desktop
