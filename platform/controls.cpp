#include "platform/controls.h"

#include "platform/application.h"

#include <QEvent>
#include <QFocusEvent>
#include <QImage>
#include <QPainter>
#include <QStyleOption>
#include <qdrawutil.h>

#include <exception>
#include <limits>

namespace
{

void FillWith(QWidget *Control, QPalette::ColorRole Role, TColor Color)
{
    QPalette Scheme = Control->palette();
    Scheme.setColor(Role, ColorToRgb(Color, QPalette()));
    Control->setPalette(Scheme);
}

} // namespace

// ---- TLabel -------------------------------------------------------------------------------------

TLabel::TLabel(QWidget *Parent) : QLabel(Parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TLabel::SetCaption(const QString &Value)
{
    QLabel::setText(Value);
    AdjustWidth();
}

void TLabel::SetColor(TColor Value)
{
    FColor = Value;
    FillWith(this, QPalette::Window, Value);
    setAutoFillBackground(true);
}

void TLabel::changeEvent(QEvent *Event)
{
    QLabel::changeEvent(Event);
    if (Event->type() == QEvent::FontChange)
        AdjustWidth();
}

// QLabel's own size hint is a pixel wider than the text and 7 pixels wide when empty; the label
// must be exactly as wide as its caption so that its colour ends where the text does.
void TLabel::AdjustWidth()
{
    if (text().isEmpty())
        return;
    resize(fontMetrics().horizontalAdvance(text()), height());
}

// ---- TEdit --------------------------------------------------------------------------------------

TEdit::TEdit(QWidget *Parent) : QLineEdit(Parent)
{
    // A field takes any text of any length; Qt would cut it at 32767 characters.
    setMaxLength(std::numeric_limits<int>::max());
}

void TEdit::SetColor(TColor Value)
{
    FColor = Value;
    FillWith(this, QPalette::Base, Value);
}

void TEdit::SetFontHeight(int Value)
{
    FFontHeight = Value;
    setFont(FontWithHeight(font(), Value));
}

void TEdit::focusInEvent(QFocusEvent *Event)
{
    QLineEdit::focusInEvent(Event);
    const Qt::FocusReason Reason = Event->reason();
    // Qt selects on Tab but not when the window first gives the field its focus; a click places
    // the caret, and a return from another window or a popup keeps what was selected then.
    const bool Returning = FLeftForOtherWindow && (Reason == Qt::ActiveWindowFocusReason ||
                                                   Reason == Qt::PopupFocusReason);
    FLeftForOtherWindow = false;
    if (Reason != Qt::MouseFocusReason && !Returning)
        selectAll();
}

void TEdit::focusOutEvent(QFocusEvent *Event)
{
    FLeftForOtherWindow =
        Event->reason() == Qt::ActiveWindowFocusReason || Event->reason() == Qt::PopupFocusReason;
    QLineEdit::focusOutEvent(Event);
}

// ---- TBitBtn ------------------------------------------------------------------------------------

TBitBtn::TBitBtn(QWidget *Parent) : QPushButton(Parent)
{
    // Outside a dialog a QPushButton ignores Enter; an auto-default button presses on it.
    setAutoDefault(true);
    connect(this, &QPushButton::clicked, this, &TBitBtn::DispatchClick);
}

void TBitBtn::LoadGlyph(const QString &File)
{
    FGlyphFile = File;
    const QImage Image = ReadPicture(File);
    if (Image.isNull())
        qWarning("cannot read the glyph %s", qUtf8Printable(File));
    SetGlyph(Image);
}

void TBitBtn::SetGlyph(const QImage &Value)
{
    QImage Image = Value.convertToFormat(QImage::Format_ARGB32);
    for (int Y = 0; Y < Image.height(); ++Y)
    {
        auto *Line = reinterpret_cast<QRgb *>(Image.scanLine(Y));
        for (int X = 0; X < Image.width(); ++X)
            if (Line[X] == qRgb(255, 255, 255))
                Line[X] = qRgba(0, 0, 0, 0);
    }
    FGlyph = QPixmap::fromImage(Image);
    update();
}

void TBitBtn::paintEvent(QPaintEvent *Event)
{
    QPushButton::paintEvent(Event);
    if (FGlyph.isNull())
        return;
    QPainter Painter(this);
    // Centred on the whole face, not on the style's content rectangle, so that a glyph wider
    // than the face loses the same margin on both sides; pressed, it moves by a pixel.
    QPoint Origin((width() - FGlyph.width()) / 2, (height() - FGlyph.height()) / 2);
    if (isDown())
        Origin += QPoint(1, 1);
    Painter.drawPixmap(Origin, FGlyph);
}

// Qt calls this from inside its own frames; no error may travel into them.
void TBitBtn::DispatchClick()
{
    try
    {
        emit Click(this);
    }
    catch (...)
    {
        ReportEscapedError(std::current_exception());
    }
}

// ---- TImage -------------------------------------------------------------------------------------

TImage::TImage(QWidget *Parent) : QWidget(Parent) {}

void TImage::LoadPicture(const QString &File)
{
    FPictureFile = File;
    const QImage Image = ReadPicture(File);
    if (Image.isNull())
        qWarning("cannot read the picture %s", qUtf8Printable(File));
    FPicture = QPixmap::fromImage(Image);
    update();
}

void TImage::paintEvent(QPaintEvent *)
{
    if (FPicture.isNull())
        return;
    QPainter Painter(this);
    Painter.drawPixmap(0, 0, FPicture);
}

// ---- TStaticText --------------------------------------------------------------------------------

TStaticText::TStaticText(QWidget *Parent) : QLabel(Parent)
{
    setTextFormat(Qt::PlainText);
}

void TStaticText::SetColor(TColor Value)
{
    FColor = Value;
    update();
}

void TStaticText::SetFontColor(TColor Value)
{
    FFontColor = Value;
    update();
}

void TStaticText::SetFontHeight(int Value)
{
    FFontHeight = Value;
    setFont(FontWithHeight(font(), Value));
}

void TStaticText::SetBorderStyle(TStaticBorderStyle Value)
{
    FBorderStyle = Value;
    update();
}

void TStaticText::SetBevelKind(TBevelKind Value)
{
    FBevelKind = Value;
    update();
}

void TStaticText::SetBevelOuter(TBevelCut Value)
{
    FBevelOuter = Value;
    update();
}

void TStaticText::SetBevelInner(TBevelCut Value)
{
    FBevelInner = Value;
    update();
}

namespace
{

// One bevel, one pixel wide, around Area; returns the area inside it.
QRect DrawBevel(QPainter &Painter, QRect Area, TBevelCut Cut, const QColor &Light,
                const QColor &Dark)
{
    if (Cut == bvNone)
        return Area;
    if (Cut != bvSpace)
    {
        const QColor &TopLeft = Cut == bvRaised ? Light : Dark;
        const QColor &BottomRight = Cut == bvRaised ? Dark : Light;
        Painter.setPen(TopLeft);
        Painter.drawLine(Area.topLeft(), Area.topRight());
        Painter.drawLine(Area.topLeft(), Area.bottomLeft());
        Painter.setPen(BottomRight);
        Painter.drawLine(Area.bottomLeft(), Area.bottomRight());
        Painter.drawLine(Area.topRight(), Area.bottomRight());
    }
    return Area.adjusted(1, 1, -1, -1);
}

} // namespace

void TStaticText::paintEvent(QPaintEvent *)
{
    QPainter Painter(this);
    const QPalette Scheme;
    QRect Area = rect();
    if (FBorderStyle == sbsSingle)
    {
        Painter.setPen(ColorToRgb(clBlack, Scheme));
        Painter.drawRect(Area.adjusted(0, 0, -1, -1));
        Area.adjust(1, 1, -1, -1);
    }
    else if (FBorderStyle == sbsSunken)
    {
        qDrawShadePanel(&Painter, Area, Scheme, true, 1);
        Area.adjust(1, 1, -1, -1);
    }
    if (FBevelKind != bkNone)
    {
        // The outer bevel uses the strong shades and the inner one the soft shades, as a raised
        // button edge does.
        Area = DrawBevel(Painter, Area, FBevelOuter, Scheme.color(QPalette::Light),
                         Scheme.color(QPalette::Shadow));
        Area = DrawBevel(Painter, Area, FBevelInner, Scheme.color(QPalette::Midlight),
                         Scheme.color(QPalette::Dark));
    }
    Painter.fillRect(Area, ColorToRgb(FColor, Scheme));
    Painter.setPen(ColorToRgb(FFontColor, Scheme));
    Painter.setFont(font());
    Painter.drawText(Area, static_cast<int>(alignment()), text());
}
