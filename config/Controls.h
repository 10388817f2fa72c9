#pragma once

#include <QFont>
#include <QFrame>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;
namespace platform {
class Label;
}

// Small builders for the tool's forms, which place every control at a fixed position.

// A font of the given pixel size. "Arial" is asked for by name, so that the font configuration
// picks its metric-compatible stand-in (Liberation Sans, Nimbus Sans). SystemFont stands in for
// "System" and "MS Sans Serif", which have no stand-in of their own.
QFont ArialFont(int Pixels, bool Bold = false);
QFont SystemFont(int Pixels, bool Bold = false);

// Pixel sizes of the point sizes the forms use, at the 96 dots per inch they were drawn for.
inline constexpr int Pt8 = 11;
inline constexpr int Pt10 = 13;

// Fills the widget's background with the application work space colour, or the button face.
void SetWorkspaceColour(QWidget *Widget);
void SetButtonFaceColour(QWidget *Widget);
// Makes the text of the widget black.
void SetBlackText(QWidget *Widget);

// A panel: a frame of the given shape and shadow at the given place.
QFrame *CreatePanel(QWidget *Parent, const QString &Name, const QRect &Geometry,
                    QFrame::Shape Shape, QFrame::Shadow Shadow);
// A label sized to its caption with its top left corner at Left, Top.
platform::Label *CreateLabel(QWidget *Parent, const QString &Name, int Left, int Top,
                             const QString &Caption, const QFont &Font);
// Shows Text on the label as it is, "&" included: for values such as names, which carry no access
// key. With AutoSize the label is sized to the text.
void SetShownText(platform::Label *Label, const QString &Text, bool AutoSize);
// A push button; "&" in the caption marks its access key.
QPushButton *CreateButton(QWidget *Parent, const QString &Name, const QRect &Geometry,
                          const QString &Caption);
// A picture from the resources, drawn at its natural size from the top left corner.
QLabel *CreatePicture(QWidget *Parent, const QString &Name, const QRect &Geometry,
                      const QString &Resource, const QSize &NaturalSize);
// The window icon the tool's forms carry.
void SetToolIcon(QWidget *Form);
