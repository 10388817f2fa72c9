// A small program of our own for the Xvfb harness's test: windows at known places, a button and
// a line edit whose use it records in files, and a key that ends it with a known exit code.
//
//   xvfb_probe <x> <y> <record-folder>
//
// "Probe": frameless and on top, 200 x 100 at x, y; its button "WriteButton" at 10, 10 (100 x 30)
// appends "clicked\n" to <record-folder>/clicks.txt. "Probe Zweite Übersicht": 160 x 80 at 400,
// 300, with a line edit whose text goes to <record-folder>/typed.txt on Return. "Probe Ghost": 50 x
// 20 at 600, 50, placed without the window manager. Ctrl+Q in any of them ends the program with
// exit code 3.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

namespace {

void append(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(bytes);
}

void addQuitKey(QWidget *window)
{
    auto *quit = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Q")), window);
    quit->setContext(Qt::WindowShortcut);
    QObject::connect(quit, &QShortcut::activated, qApp, [] { QCoreApplication::exit(3); });
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4)
        return 2;
    const int x = args.at(1).toInt();
    const int y = args.at(2).toInt();
    const QString folder = args.at(3);

    QWidget probe(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    probe.setWindowTitle(QStringLiteral("Probe"));
    probe.setFixedSize(200, 100);
    probe.move(x, y);
    auto *button = new QPushButton(QStringLiteral("Write"), &probe);
    button->setObjectName(QStringLiteral("WriteButton"));
    button->setGeometry(10, 10, 100, 30);
    QObject::connect(button, &QPushButton::clicked, &app,
                     [&] { append(folder + QStringLiteral("/clicks.txt"), "clicked\n"); });
    addQuitKey(&probe);

    QWidget second;
    second.setWindowTitle(QStringLiteral("Probe Zweite \u00dcbersicht"));
    second.setFixedSize(160, 80);
    second.move(400, 300);
    auto *edit = new QLineEdit(&second);
    edit->setObjectName(QStringLiteral("TypeEdit"));
    edit->setGeometry(10, 10, 140, 24);
    QObject::connect(edit, &QLineEdit::returnPressed, &app, [&] {
        append(folder + QStringLiteral("/typed.txt"), edit->text().toUtf8() + '\n');
    });
    addQuitKey(&second);

    QWidget ghost(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    ghost.setWindowTitle(QStringLiteral("Probe Ghost"));
    ghost.setGeometry(600, 50, 50, 20);

    probe.show();
    second.show();
    ghost.show();
    return app.exec();
}
