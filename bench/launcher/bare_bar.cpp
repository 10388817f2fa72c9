// The yardstick for the launcher's start-up: a bare Qt program that shows what the bar shows, a
// frameless stay-on-top window of 262 x 22 with the move handle and eight buttons carrying the
// bar's glyphs, and nothing else.
//
// With --with-text it also lays out one line of text in a hidden window before showing the bar,
// which is what starting the font system costs a program that has any text at all.
#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QToolButton>
#include <QWidget>

#include <cstring>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget bar(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    bar.setFixedSize(262, 22);
    bar.move(25, 0);
    const char *glyphs[]
        = {"qbar", "dv", "config", "ocr", "cabinet", "phone", "help", "about", "exit"};
    int left = 1;
    for (const char *glyph : glyphs) {
        auto *button = new QToolButton(&bar);
        button->setAutoRaise(true);
        button->setIcon(QIcon(QStringLiteral(":/launcher/%1.png").arg(QLatin1String(glyph))));
        button->setIconSize(QSize(23, 17));
        button->setGeometry(left, 1, 29, 21);
        left += 29;
    }
    QLabel text(QStringLiteral("About Quixbar"));
    if (argc > 1 && !std::strcmp(argv[1], "--with-text"))
        text.adjustSize();
    bar.show();
    return QApplication::exec();
}
