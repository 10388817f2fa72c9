// Forms and the literal texts of the platform layer: captions with access keys, hints and window
// titles shown exactly as given, border styles, client size, centring and the show signal.
#include "platform/form.h"
#include "support/gui.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTextDocument>
#include <QWindow>

using namespace testsupport;

namespace {

class FormTest : public GuiTest
{
};

// What a label shows, drawn on white.
QImage render(QLabel &label)
{
    label.setFixedSize(120, 30);
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    label.setPalette(palette);
    label.setAutoFillBackground(true);
    QImage image(label.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    label.render(&image);
    return image;
}

// A plain-text QLabel showing text without any access-key processing.
QImage renderPlain(const QString &text)
{
    QLabel label;
    label.setTextFormat(Qt::PlainText);
    label.setText(text);
    return render(label);
}

QImage renderCaption(const QString &caption)
{
    platform::Label label(caption);
    return render(label);
}

} // namespace

// "&" marks an access key and goes, "&&" is one "&", a lone "&" at the end stays.
TEST_F(FormTest, StripAccessKeys)
{
    const struct
    {
        const char *caption;
        const char *shown;
    } cases[] = {
        {"&OK", "OK"}, {"E&xit", "Exit"}, {"a&&b", "a&b"},    {"&&&x", "&x"},
        {"a&", "a&"},  {"", ""},          {"plain", "plain"}, {"<b>x</b>", "<b>x</b>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(platform::stripAccessKeys(QString::fromUtf8(c.caption)),
                  QString::fromUtf8(c.shown));
    }
}

// A label keeps its caption and shows it without markers; markup is plain text.
TEST_F(FormTest, LabelHoldsCaptionAndShownText)
{
    const struct
    {
        const char *caption;
        const char *text;
    } cases[] = {
        {"&OK", "OK"},
        {"a&&b", "a&b"},
        {"<b>x</b>", "<b>x</b>"},
        {"Caption.Label", "Caption.Label"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.caption);
        platform::Label label(QString::fromUtf8(c.caption));
        EXPECT_EQ(label.caption(), QString::fromUtf8(c.caption));
        EXPECT_EQ(label.text(), QString::fromUtf8(c.text));
        EXPECT_EQ(label.textFormat(), Qt::PlainText);
    }
}

// "&OK" draws "OK" with the O underlined: it differs from a plain "OK" only in one short
// horizontal line under the first letter.
TEST_F(FormTest, LabelUnderlinesTheAccessKey)
{
    const QImage marked = renderCaption(QStringLiteral("&OK"));
    const QImage plain = renderPlain(QStringLiteral("OK"));
    ASSERT_EQ(marked.size(), plain.size());
    QRect differing;
    for (int y = 0; y < marked.height(); ++y)
        for (int x = 0; x < marked.width(); ++x)
            if (marked.pixel(x, y) != plain.pixel(x, y))
                differing |= QRect(x, y, 1, 1);
    ASSERT_FALSE(differing.isNull()) << "no underline drawn";
    const QFontMetrics metrics(QLabel().font());
    EXPECT_LE(differing.height(), 3) << "more than a line differs";
    EXPECT_LE(differing.right(), metrics.horizontalAdvance(QLatin1Char('O')) + 1)
        << "the underline reaches beyond the first letter";
    // Below the middle of the line of text: under the letter, not through it.
    EXPECT_GT(differing.top(), marked.height() / 2);
}

// "a&&b" draws "a&b", and markup draws as its characters, exactly as a plain-text label would;
// a rich-text label would draw the markup differently.
TEST_F(FormTest, LabelDrawsOtherCaptionsLiterally)
{
    EXPECT_EQ(renderCaption(QStringLiteral("a&&b")), renderPlain(QStringLiteral("a&b")));
    EXPECT_NE(renderCaption(QStringLiteral("a&&b")), renderPlain(QStringLiteral("a&&b")));
    EXPECT_EQ(renderCaption(QStringLiteral("<b>x</b>")), renderPlain(QStringLiteral("<b>x</b>")));
    QLabel rich;
    rich.setTextFormat(Qt::RichText);
    rich.setText(QStringLiteral("<b>x</b>"));
    EXPECT_NE(renderCaption(QStringLiteral("<b>x</b>")), render(rich));
}

// A hint reads back as given, and its tooltip shows exactly that text: markup, entities,
// runs of blanks and line breaks included.
TEST_F(FormTest, HintIsPlainText)
{
    const char *cases[] = {
        "a<br>b", "<b>bold</b>", "Tom & Jerry", "&amp;", "two  blanks", "line\nbreak", "Hint.Exit",
    };
    for (const char *text : cases) {
        SCOPED_TRACE(text);
        const QString hint = QString::fromUtf8(text);
        QWidget widget;
        platform::setHint(&widget, hint);
        EXPECT_EQ(platform::hint(&widget), hint);
        ASSERT_TRUE(Qt::mightBeRichText(widget.toolTip())) << "a tooltip Qt would guess wrong";
        QTextDocument shown;
        shown.setHtml(widget.toolTip());
        EXPECT_EQ(shown.toPlainText(), hint);
    }
    QWidget widget;
    platform::setHint(&widget, QStringLiteral("x"));
    platform::setHint(&widget, QString());
    EXPECT_TRUE(widget.toolTip().isEmpty());
    EXPECT_TRUE(platform::hint(&widget).isEmpty());
}

// A window title shows exactly the caption, Qt's "[*]" placeholder included.
TEST_F(FormTest, CaptionIsShownLiterally)
{
    const char *cases[] = {
        "Dovrane Configuration 3.4.2.2c", "[*]", "a [*] b", "[*][*]", "&Config", "<b>x</b>", "",
    };
    for (const char *text : cases) {
        SCOPED_TRACE(text);
        const QString caption = QString::fromUtf8(text);
        platform::Form form;
        platform::setCaption(&form, caption);
        form.winId();
        ASSERT_NE(form.windowHandle(), nullptr);
        EXPECT_EQ(form.windowHandle()->title(), caption);
        EXPECT_EQ(platform::caption(&form), caption);
    }
}

// The border styles give the frames asked for, and stay-on-top survives a change of style.
TEST_F(FormTest, BorderStyles)
{
    using platform::BorderStyle;
    const struct
    {
        const char *name;
        BorderStyle style;
        bool frameless;
        bool title;
        bool minimize;
    } cases[] = {
        {"none", BorderStyle::None, true, false, false},
        {"dialog", BorderStyle::Dialog, false, true, false},
        {"single", BorderStyle::Single, false, true, true},
    };
    for (const auto &c : cases) {
        for (bool onTop : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (onTop ? " on top" : ""));
            platform::Form form;
            form.setStayOnTop(onTop);
            form.setBorderStyle(c.style);
            const Qt::WindowFlags flags = form.windowFlags();
            EXPECT_EQ(form.borderStyle(), c.style);
            EXPECT_TRUE(form.isWindow());
            EXPECT_EQ(flags.testFlag(Qt::FramelessWindowHint), c.frameless);
            EXPECT_EQ(flags.testFlag(Qt::WindowTitleHint), c.title);
            EXPECT_EQ(flags.testFlag(Qt::WindowMinimizeButtonHint), c.minimize);
            EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
            EXPECT_EQ(flags.testFlag(Qt::WindowStaysOnTopHint), onTop);
        }
    }
}

// A client size is fixed: the user cannot resize the form.
TEST_F(FormTest, ClientSizeIsFixed)
{
    platform::Form form;
    form.setClientSize(369, 72);
    EXPECT_EQ(form.size(), QSize(369, 72));
    EXPECT_EQ(form.minimumSize(), QSize(369, 72));
    EXPECT_EQ(form.maximumSize(), QSize(369, 72));
}

// Centred on the screen: the middle of the form is the middle of the available area.
TEST_F(FormTest, CentreOnScreen)
{
    platform::Form form;
    form.setClientSize(441, 259);
    form.centerOnScreen();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(std::abs(form.geometry().center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(form.geometry().center().y() - area.center().y()), 1);
}

// shown() comes each time the form becomes visible, while it is visible, and not otherwise.
TEST_F(FormTest, ShownOnEveryShow)
{
    platform::Form form;
    int shown = 0;
    QObject::connect(&form, &platform::Form::shown, &form, [&] {
        ++shown;
        EXPECT_TRUE(form.isVisible());
    });
    form.show();
    form.show();
    EXPECT_EQ(shown, 1);
    form.hide();
    EXPECT_EQ(shown, 1);
    form.show();
    EXPECT_EQ(shown, 2);
}
