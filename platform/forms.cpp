#include "platform/forms.h"

#include "platform/application.h"

#include <QCloseEvent>
#include <QEvent>
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QPointer>

TForm::TForm(TComponent *Owner) : TForm(Owner, 0) {}

TForm::TForm(TComponent *Owner, int) : FOwner(Owner), FClientArea(new QWidget)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setWidget(FClientArea);
    viewport()->setBackgroundRole(QPalette::Window);
    viewport()->setAutoFillBackground(true);
    FClientArea->setAutoFillBackground(false);
    // Whatever is a child now belongs to the scrolling frame; everything added later is a control.
    FFrameParts = children();
}

TForm::~TForm() = default;

void TForm::SetLeft(int Value)
{
    FLeft = Value;
    move(FLeft, FTop);
}

void TForm::SetTop(int Value)
{
    FTop = Value;
    move(FLeft, FTop);
}

void TForm::SetColor(TColor Value)
{
    FColor = Value;
    QPalette Scheme = palette();
    Scheme.setColor(QPalette::Window, ColorToRgb(Value, QPalette()));
    setPalette(Scheme);
}

void TForm::SetFontHeight(int Value)
{
    FFontHeight = Value;
    setFont(FontWithHeight(font(), Value));
}

void TForm::LoadIcon(const QString &File)
{
    FIconFile = File;
    const QImage Image = ReadPicture(File);
    if (Image.isNull())
        qWarning("cannot read the icon %s", qUtf8Printable(File));
    setWindowIcon(QIcon(QPixmap::fromImage(Image)));
}

bool TForm::event(QEvent *Event)
{
    if (Event->type() == QEvent::Polish && !FGathered)
        GatherControls();
    return QScrollArea::event(Event);
}

void TForm::closeEvent(QCloseEvent *Event)
{
    // Closing the main form ends the program, as the Exit command does.
    if (Application != nullptr && Application->MainForm() == this)
        Application->Terminate();
    QScrollArea::closeEvent(Event);
}

// Moves the declared controls from the form itself onto the client area, where the scrolling
// frame can move them as a whole. Their stacking and tab order are kept: the move appends each
// control on top of the ones already moved, in the order the declaration created them, and the
// tab order is laid again afterwards because a change of parent may lose it.
void TForm::GatherControls()
{
    FGathered = true;
    QList<QPointer<QWidget>> TabChain;
    for (QWidget *Next = nextInFocusChain(); Next != this; Next = Next->nextInFocusChain())
        if (Next->parentWidget() == this && Next->focusPolicy() & Qt::TabFocus)
            TabChain.append(Next);

    const QObjectList Children = children(); // a copy: the move changes the list
    for (QObject *Child : Children)
    {
        auto *Control = qobject_cast<QWidget *>(Child);
        if (Control == nullptr || FFrameParts.contains(Child))
            continue;
        const QRect Geometry = Control->geometry();
        Control->setParent(FClientArea);
        Control->setGeometry(Geometry);
    }
    for (qsizetype I = 1; I < TabChain.size(); ++I)
        if (TabChain[I - 1] && TabChain[I])
            QWidget::setTabOrder(TabChain[I - 1], TabChain[I]);

    // The declared client size is the smallest that shows every control without scrolling.
    FClientArea->setMinimumSize(size());
}
