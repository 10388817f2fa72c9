#include "Controls.h"

#include "platform/form.h"

#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

QFont ArialFont(int Pixels, bool Bold)
{
    QFont Font(QStringLiteral("Arial"));
    Font.setPixelSize(Pixels);
    Font.setBold(Bold);
    return Font;
}

QFont SystemFont(int Pixels, bool Bold)
{
    // The system fonts of the forms' design were narrow; the common sans-serif stand-ins are
    // wider, so the narrower Arial stand-in keeps the fixed layouts readable.
    return ArialFont(Pixels, Bold);
}

namespace {
void SetBackground(QWidget *Widget, QPalette::ColorRole Role)
{
    QPalette Palette = Widget->palette();
    Palette.setColor(QPalette::Window, Palette.color(Role));
    Widget->setPalette(Palette);
    Widget->setAutoFillBackground(true);
}
} // namespace

void SetWorkspaceColour(QWidget *Widget)
{
    // The work space behind documents, darker than a dialog's face.
    SetBackground(Widget, QPalette::Dark);
}

void SetButtonFaceColour(QWidget *Widget)
{
    SetBackground(Widget, QPalette::Button);
}

void SetBlackText(QWidget *Widget)
{
    QPalette Palette = Widget->palette();
    Palette.setColor(QPalette::WindowText, Qt::black);
    Palette.setColor(QPalette::ButtonText, Qt::black);
    Palette.setColor(QPalette::Text, Qt::black);
    Widget->setPalette(Palette);
}

QFrame *CreatePanel(QWidget *Parent, const QString &Name, const QRect &Geometry,
                    QFrame::Shape Shape, QFrame::Shadow Shadow)
{
    auto *Panel = new QFrame(Parent);
    Panel->setObjectName(Name);
    Panel->setFrameShape(Shape);
    Panel->setFrameShadow(Shadow);
    Panel->setGeometry(Geometry);
    return Panel;
}

platform::Label *CreateLabel(QWidget *Parent, const QString &Name, int Left, int Top,
                             const QString &Caption, const QFont &Font)
{
    auto *Label = new platform::Label(Caption, Parent);
    Label->setObjectName(Name);
    Label->setFont(Font);
    Label->move(Left, Top);
    Label->adjustSize();
    return Label;
}

void SetShownText(platform::Label *Label, const QString &Text, bool AutoSize)
{
    QString Caption = Text;
    Caption.replace(QLatin1Char('&'), QLatin1String("&&"));
    Label->setCaption(Caption);
    if (AutoSize)
        Label->adjustSize();
}

QPushButton *CreateButton(QWidget *Parent, const QString &Name, const QRect &Geometry,
                          const QString &Caption)
{
    auto *Button = new QPushButton(Caption, Parent);
    Button->setObjectName(Name);
    Button->setGeometry(Geometry);
    Button->setAutoDefault(false);
    return Button;
}

QLabel *CreatePicture(QWidget *Parent, const QString &Name, const QRect &Geometry,
                      const QString &Resource, const QSize &NaturalSize)
{
    auto *Picture = new QLabel(Parent);
    Picture->setObjectName(Name);
    Picture->setGeometry(Geometry);
    Picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Through QIcon, so that the @2x version is drawn on a high-density screen.
    Picture->setPixmap(QIcon(Resource).pixmap(NaturalSize));
    return Picture;
}

void SetToolIcon(QWidget *Form)
{
    Form->setWindowIcon(QIcon(QStringLiteral(":/config/icon.png")));
}
