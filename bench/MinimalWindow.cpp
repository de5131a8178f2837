// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of the start-up figures: a Qt Widgets program that only opens an empty window
// of the given size and reports its first painted frame as the game does.
#include "FirstFrame.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const int width = args.size() > 2 ? args[1].toInt() : 794;
    const int height = args.size() > 2 ? args[2].toInt() : 594;
    QWidget window;
    window.resize(width, height);
    kvz::desktop::FirstFrameProbe probe(window);
    window.show();
    return QApplication::exec();
}
