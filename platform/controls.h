#pragma once

// The controls the window is declared with. Each is a small class over a Qt widget that adds the
// behaviour and the properties (named colours, fonts by pixel height, glyphs, pictures) the
// declaration relies on and that Qt does not give by itself.

#include "platform/classes.h"
#include "platform/graphics.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

// A caption. It sizes itself to its caption: its width follows the text and it grows to the right,
// its height stays as declared, and an empty caption keeps the declared width. With a Color set it
// fills its rectangle behind the text; without one it shows its parent through.
class TLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

public:
    explicit TLabel(QWidget *Parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString &Value);
    // Hides QLabel::setText so that every caption written, the declaration's included, resizes.
    void setText(const QString &Value) { SetCaption(Value); }

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);

protected:
    void changeEvent(QEvent *Event) override;

private:
    void AdjustWidth();

    TColor FColor = clBtnFace;
};

// A one-line text field. Entering it other than by a mouse click selects its whole text, so that
// typing replaces it; coming back to the window leaves the selection as it was.
class TEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int FontHeight READ FontHeight WRITE SetFontHeight)

public:
    explicit TEdit(QWidget *Parent = nullptr);

    QString Text() const { return text(); }
    void SetText(const QString &Value) { setText(Value); }

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int FontHeight() const { return FFontHeight; }
    void SetFontHeight(int Value);

protected:
    void focusInEvent(QFocusEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;

private:
    TColor FColor = clWindow;
    int FFontHeight = 0;
    bool FLeftForOtherWindow = false;
};

// A push button that shows a glyph centred on its face, white in the glyph being transparent.
// Space or Enter on the focused button presses it. A click is announced as Click(Sender); an error
// that escapes the handler is reported through the application and goes no further.
class TBitBtn : public QPushButton
{
    Q_OBJECT
    // The glyph's file (a resource path).
    Q_PROPERTY(QString Glyph READ GlyphFile WRITE LoadGlyph)

public:
    explicit TBitBtn(QWidget *Parent = nullptr);

    QString GlyphFile() const { return FGlyphFile; }
    void LoadGlyph(const QString &File);
    const QPixmap &Glyph() const { return FGlyph; }
    void SetGlyph(const QImage &Value);

signals:
    void Click(TObject *Sender);

protected:
    void paintEvent(QPaintEvent *Event) override;

private:
    void DispatchClick();

    QString FGlyphFile;
    QPixmap FGlyph;
};

// A picture drawn at its natural size from the control's top-left corner and clipped to the
// control; where the picture does not reach, the parent shows through.
class TImage : public QWidget
{
    Q_OBJECT
    // The picture's file (a resource path).
    Q_PROPERTY(QString Picture READ PictureFile WRITE LoadPicture)

public:
    explicit TImage(QWidget *Parent = nullptr);

    QString PictureFile() const { return FPictureFile; }
    void LoadPicture(const QString &File);
    const QPixmap &Picture() const { return FPicture; }

protected:
    void paintEvent(QPaintEvent *Event) override;

private:
    QString FPictureFile;
    QPixmap FPicture;
};

enum TStaticBorderStyle
{
    sbsNone,
    sbsSingle,
    sbsSunken
};

enum TBevelKind
{
    bkNone,
    bkTile,
    bkSoft,
    bkFlat
};

enum TBevelCut
{
    bvNone,
    bvLowered,
    bvRaised,
    bvSpace
};

// A fixed-size text on its own background, with an optional border line and two bevels inside it
// (outer, then inner), each one pixel. The text keeps to the top of the area left inside them.
class TStaticText : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TColor FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(int FontHeight READ FontHeight WRITE SetFontHeight)
    Q_PROPERTY(TStaticBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(TBevelKind BevelKind READ BevelKind WRITE SetBevelKind)
    Q_PROPERTY(TBevelCut BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(TBevelCut BevelInner READ BevelInner WRITE SetBevelInner)

public:
    explicit TStaticText(QWidget *Parent = nullptr);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value);
    int FontHeight() const { return FFontHeight; }
    void SetFontHeight(int Value);
    TStaticBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TStaticBorderStyle Value);
    TBevelKind BevelKind() const { return FBevelKind; }
    void SetBevelKind(TBevelKind Value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);

protected:
    void paintEvent(QPaintEvent *Event) override;

private:
    TColor FColor = clBtnFace;
    TColor FFontColor = clWindowText;
    int FFontHeight = 0;
    TStaticBorderStyle FBorderStyle = sbsNone;
    TBevelKind FBevelKind = bkNone;
    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvRaised;
};
