// HalvaneHelp --contents FILE: shows the contents of an HTML help file.
#include "helpviewer.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HalvaneHelp"));
    const QStringList args = QApplication::arguments();
    if (args.size() != 3 || args.at(1) != QLatin1String("--contents")) {
        std::fputs("usage: HalvaneHelp --contents FILE\n", stderr);
        return 2;
    }
    platform::HelpViewer viewer;
    viewer.openContents(args.at(2));
    viewer.show();
    return QApplication::exec();
}
