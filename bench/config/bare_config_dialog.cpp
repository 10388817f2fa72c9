// A bare Qt dialog with the controls of the Dovrane configuration dialog (three number fields with
// their labels and pictures, a radio group of five items, five lists of fifteen sizes, four
// buttons), at the same size, built and filled in the plainest way. The start-up benchmark compares
// DvConf32 with it.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle("Bare Configuration");
    dialog.setFixedSize(560, 313);

    auto *dpi = new QGroupBox("Copy resolutions", &dialog);
    dpi->setGeometry(16, 10, 273, 121);
    const char *names[] = {"Black and White", "Grey scale", "Colour"};
    for (int i = 0; i < 3; ++i) {
        QPixmap picture(32, 16);
        picture.fill(QColor::fromHsv(i * 100, 80, 200));
        auto *image = new QLabel(dpi);
        image->setPixmap(picture);
        image->setGeometry(17, 28 + 34 * i, 33, 17);
        (new QLabel(names[i], dpi))->setGeometry(64, 25 + 34 * i, 96, 16);
        auto *spin = new QSpinBox(dpi);
        spin->setRange(10, 600);
        spin->setValue(200 - 50 * i);
        spin->setGeometry(208, 21 + 34 * i, 57, 26);
    }

    auto *sizes = new QGroupBox("Paper sizes", &dialog);
    sizes->setGeometry(16, 146, 273, 153);
    const QStringList paper
        = {"A2", "A3",        "A4",     "A5",    "A6",        "B4",        "B5",     "C6",
           "DL", "Executive", "Hagaki", "Legal", "US Letter", "Statement", "Tabloid"};
    for (int i = 0; i < 5; ++i) {
        auto *radio = new QRadioButton(QString::number(i + 1), sizes);
        radio->setGeometry(8, 17 + 26 * i, 30, 26);
        radio->setChecked(i == 3);
        auto *list = new QComboBox(sizes);
        list->addItems(paper);
        list->setCurrentIndex(i + 1);
        list->setGeometry(40, 16 + 27 * i, 225, 24);
    }

    auto *source = new QGroupBox("Scanner driver (Default Source)", &dialog);
    source->setGeometry(312, 10, 233, 119);
    (new QPushButton("&Select Source", source))->setGeometry(48, 48, 145, 25);
    const char *buttons[] = {"&About", "&Cancel", "E&xit"};
    for (int i = 0; i < 3; ++i)
        (new QPushButton(buttons[i], &dialog))->setGeometry(368, 162 + 44 * i, 121, 33);
    QObject::connect(&dialog, &QDialog::finished, &app, &QApplication::quit);
    dialog.show();
    return app.exec();
}
