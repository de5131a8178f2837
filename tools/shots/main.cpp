// SPDX-License-Identifier: GPL-3.0-or-later
// kvizomat-shots: plays a driver script and saves the window, as the program paints it, at
// every labelled dump: a repeatable way to look at any state of a game.
#include "Fonts.h"
#include "FormPainter.h"
#include "app/Form1.h"
#include "script/ScriptRunner.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv) {
    const bool latin = argc > 1 && std::string(argv[1]) == "--latin";
    if (latin) {
        --argc;
        ++argv;
    }
    if (argc != 4) {
        std::cerr << "usage: kvizomat-shots [--latin] FOLDER SCRIPT OUTDIR\n"
                     "  runs SCRIPT (kvizomat-script's language) on the program folder FOLDER and\n"
                     "  saves OUTDIR/LABEL.png at every 'dump LABEL', in Latin letters if asked\n";
        return 2;
    }
    kvz::desktop::useOnlyBundledFonts();
    QApplication app(argc, argv);
    kvz::desktop::registerBundledFonts();
    std::ifstream in(argv[2]);
    if (!in) {
        std::cerr << "kvizomat-shots: cannot read " << argv[2] << "\n";
        return 1;
    }
    std::stringstream script;
    script << in.rdbuf();
    const std::string outDir = argv[3];
    kvz::desktop::FormPainter painter;
    if (latin) painter.setScript(kvz::desktop::Script::Latin);
    int saved = 0;
    auto shoot = [&](kvz::Form1& form, const kvz::Json& dump) {
        if (!dump["label"].is_string()) return;
        const double scale = 1.0 / kvz::desktop::kTwipsPerPixel;
        QImage image(static_cast<int>(form.Form.width * scale),
                     static_cast<int>(form.Form.height * scale), QImage::Format_ARGB32);
        image.fill(Qt::black);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        painter.paint(p, form, QRectF(0, 0, form.Form.width, form.Form.height));
        p.end();
        std::string file = outDir + "/" + dump["label"].get<std::string>() + ".png";
        if (image.save(QString::fromStdString(file)))
            ++saved;
        else
            std::cerr << "kvizomat-shots: cannot write " << file << "\n";
    };
    auto result = kvz::script::runScript(
        script.str(), argv[1], [](const kvz::Json&) {}, shoot);
    if (result.status != kvz::script::kRanToEnd) {
        std::cerr << "kvizomat-shots: " << result.error << "\n";
        return result.status;
    }
    std::cout << "saved " << saved << " picture(s)\n";
    return 0;
}
