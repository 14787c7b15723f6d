#pragma once

// A form: a top-level window whose controls keep the positions and sizes they were declared with.
// A window smaller than its controls scrolls; a larger one shows more of its own colour.

#include "platform/classes.h"
#include "platform/graphics.h"

#include <QScrollArea>

class TForm : public QScrollArea
{
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int FontHeight READ FontHeight WRITE SetFontHeight)
    // The window's icon file (a resource path).
    Q_PROPERTY(QString Icon READ IconFile WRITE LoadIcon)

public:
    // For a form whose class then applies its declaration (setupUi) to itself: the declaration
    // creates the controls on the form, and the form gathers them onto its client area before it
    // is first shown.
    explicit TForm(TComponent *Owner);
    // For a form built without a declaration.
    TForm(TComponent *Owner, int Dummy);
    ~TForm() override;

    TComponent *Owner() const { return FOwner; }
    // The widget the controls stand on, inside the scrolling frame.
    QWidget *ClientArea() const { return FClientArea; }

    // Screen position of the window's outer top-left corner.
    int Left() const { return FLeft; }
    void SetLeft(int Value);
    int Top() const { return FTop; }
    void SetTop(int Value);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int FontHeight() const { return FFontHeight; }
    void SetFontHeight(int Value);
    QString IconFile() const { return FIconFile; }
    void LoadIcon(const QString &File);

protected:
    bool event(QEvent *Event) override;
    void closeEvent(QCloseEvent *Event) override;

private:
    void GatherControls();

    TComponent *FOwner;
    QWidget *FClientArea;
    QObjectList FFrameParts;
    bool FGathered = false;
    int FLeft = 0;
    int FTop = 0;
    TColor FColor = clBtnFace;
    int FFontHeight = 0;
    QString FIconFile;
};
