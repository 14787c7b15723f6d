// The main window as the user meets it: initial state, keyboard, hints, stacking, resizing,
// colours on screen.

#include "gui_fixture.h"

#include <QAccessible>
#include <QCursor>
#include <QHelpEvent>
#include <QImage>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QtMath>

#include <map>

namespace
{

using Window = OrmizaWindow;

TEST_F(Window, RunShowsZerosEmptyResultsAndSelectsTheFirstField)
{
    QWidget *Focus = nullptr;
    QString Selected;
    QTimer::singleShot(0, W,
                       [&]
                       {
                           EXPECT_TRUE(QTest::qWaitForWindowActive(W));
                           Focus = QApplication::focusWidget();
                           Selected = W->Edit1->selectedText();
                           App.Terminate();
                       });
    App.Run();

    EXPECT_EQ(Focus, W->Edit1);
    EXPECT_EQ(Selected, QStringLiteral("0")) << "typing must replace the 0";
    EXPECT_EQ(FieldTexts(), std::vector<QString>(12, QStringLiteral("0")));
    for (TLabel *L : Results())
    {
        EXPECT_TRUE(L->Caption().isEmpty());
        EXPECT_EQ(L->geometry(), QRect(480, L->y(), 5, 13)) << L->objectName().toStdString();
        EXPECT_EQ(L->palette().color(QPalette::Window), QColor(0, 255, 255));
        EXPECT_TRUE(L->autoFillBackground());
    }
    EXPECT_EQ(W->windowTitle(), QStringLiteral("Ormiza"));
}

TEST_F(Window, TabVisitsFieldsThenButtonsAndWraps)
{
    Show();
    const std::vector<QWidget *> Cycle = {W->Edit1,  W->Edit2,  W->Edit3,   W->Edit4,  W->Edit5,
                                          W->Edit7,  W->Edit8,  W->Edit9,   W->Edit10, W->Edit12,
                                          W->Edit13, W->Edit14, W->BitBtn1, W->BitBtn2};
    ASSERT_EQ(QApplication::focusWidget(), W->Edit1);
    for (std::size_t I = 1; I <= Cycle.size(); ++I)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *Expected = Cycle[I % Cycle.size()];
        ASSERT_EQ(QApplication::focusWidget(), Expected) << "after Tab number " << I;
        if (auto *Field = qobject_cast<TEdit *>(Expected))
        {
            EXPECT_EQ(Field->selectedText(), Field->Text()) << "entered by Tab: all selected";
        }
    }
    for (std::size_t I = Cycle.size(); I > 0; --I)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        ASSERT_EQ(QApplication::focusWidget(), Cycle[I - 1]) << "after Shift+Tab";
    }
}

TEST_F(Window, MouseClickInAFieldPlacesTheCaretWithoutSelecting)
{
    Show();
    Type(W->Edit3, QStringLiteral("12345"));
    QTest::mouseClick(W->Edit3, Qt::LeftButton, {}, QPoint(8, 10));
    ASSERT_EQ(QApplication::focusWidget(), W->Edit3);
    EXPECT_TRUE(W->Edit3->selectedText().isEmpty());
}

TEST_F(Window, EnterAndEscInAFieldDoNothing)
{
    Show();
    TypeWorkedExample();
    for (Qt::Key Key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(W->Edit5, Key);
    EXPECT_TRUE(Reports.empty());
    EXPECT_TRUE(W->L1->Caption().isEmpty()) << "Enter in a field must not calculate";
    EXPECT_TRUE(W->isVisible());
    EXPECT_FALSE(App.Terminated());
}

TEST_F(Window, SpaceOrEnterOnAFocusedButtonPressesIt)
{
    Show();
    for (Qt::Key Key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
    {
        W->BitBtn1->setFocus(Qt::TabFocusReason);
        const std::size_t Before = Reports.size();
        QTest::keyClick(W->BitBtn1, Key);
        EXPECT_EQ(Reports.size(), Before + 1) << "Calculate with all zeros reports an error";
    }
    W->BitBtn2->setFocus(Qt::TabFocusReason);
    QTest::keyClick(W->BitBtn2, Qt::Key_Return);
    EXPECT_TRUE(App.Terminated());
}

TEST_F(Window, ClosingTheWindowEndsTheLoop)
{
    bool Closed = false;
    QTimer::singleShot(0, W, [&] { Closed = W->close(); });
    App.Run(); // returns only once the loop has ended
    EXPECT_TRUE(Closed);
    EXPECT_TRUE(App.Terminated());
}

// The hint a user sees on resting the pointer at Point of the client area, if any.
std::optional<QString> HintAt(QWidget *Client, QPoint Point)
{
    QWidget *Target = Client->childAt(Point);
    if (Target == nullptr)
        Target = Client;
    const QPoint Local = Target->mapFrom(Client, Point);
    QHelpEvent Event(QEvent::ToolTip, Local, Target->mapToGlobal(Local));
    QApplication::sendEvent(Target, &Event);
    if (!Event.isAccepted())
        return std::nullopt;
    return QToolTip::text();
}

TEST_F(Window, HintsOnlyWhereListed)
{
    Show();
    std::map<QString, QString> Expected = {
        {"Image1", "Принципиальная схема узла"},
        {"BitBtn1", "Рассчитать!"},
        {"BitBtn2", "Выход из программы."},
        {"StaticText1", "Ormiza"},
        {"Label5", "Максимальная окружающая температура, tокр.max"},
        {"Label13", "Максимальная температура перегрева транзистора VT1, tпер.max"},
        {"Label15", "Rт.переход-среда"},
        {"Label28", "h22э транзистора VT1, Cm. (Находится по выходным характеристикам "
                    "транзистора из справочника)."},
    };
    QWidget *Client = W->ClientArea();
    int Controls = 0;
    for (QWidget *Control : Client->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
    {
        ++Controls;
        const QString Name = Control->objectName();
        auto *Caption = qobject_cast<TLabel *>(Control);
        const bool IsCaption = Caption != nullptr && Name.startsWith(QStringLiteral("Label")) &&
                               Caption->Caption() != QStringLiteral("o");
        std::optional<QString> Want;
        if (Expected.count(Name) != 0)
            Want = Expected[Name];
        else if (IsCaption)
            Want = Caption->Caption();
        // The caption's start: never under a raised "o".
        const QPoint Point = Control->geometry().topLeft() + QPoint(2, 4);
        EXPECT_EQ(HintAt(Client, Point), Want) << Name.toStdString();
    }
    EXPECT_EQ(Controls, 57);
    // Over a raised "o": no hint, although the caption under it has one.
    for (TLabel *Mark : {W->Label6, W->Label14, W->Label16})
        EXPECT_EQ(HintAt(Client, Mark->geometry().center()), std::nullopt);
    // On the window's own green: none either.
    EXPECT_EQ(HintAt(Client, QPoint(700, 470)), std::nullopt);
}

TEST_F(Window, StackingFollowsCreationOrder)
{
    Show();
    QWidget *Client = W->ClientArea();
    for (TLabel *Mark : {W->Label6, W->Label14, W->Label16})
        EXPECT_EQ(Client->childAt(Mark->geometry().center()), Mark)
            << "the o lies over its caption";
    // Each field overlaps the one above it by a few pixels; the lower one covers the overlap.
    const auto Fields = this->Fields();
    for (std::size_t I = 1; I < Fields.size(); ++I)
    {
        const QRect Overlap = Fields[I - 1]->geometry() & Fields[I]->geometry();
        ASSERT_FALSE(Overlap.isEmpty()) << Fields[I]->objectName().toStdString();
        EXPECT_EQ(Client->childAt(Overlap.center()), Fields[I]);
    }
    // A long result runs under the buttons, which stay on top.
    W->L3->SetCaption(QString(40, QLatin1Char('8')));
    W->L9->SetCaption(QString(40, QLatin1Char('8')));
    EXPECT_EQ(Client->childAt(W->BitBtn1->geometry().topLeft() + QPoint(5, 1)), W->BitBtn1);
    EXPECT_EQ(Client->childAt(W->BitBtn2->geometry().topLeft() + QPoint(5, 3)), W->BitBtn2);
}

// The blanks left in a caption for its raised "o" lie under the mark, so the unit reads as
// degrees; and no caption reaches the fields.
TEST_F(Window, CaptionsFitTheirLayout)
{
    Show();
    struct TMark
    {
        TLabel *Caption;
        TLabel *Mark;
    };
    for (const TMark &M : {TMark{W->Label5, W->Label6}, TMark{W->Label13, W->Label14},
                           TMark{W->Label15, W->Label16}})
    {
        const QString Text = M.Caption->Caption();
        const qsizetype GapEnd = Text.lastIndexOf(QLatin1Char(' ')) + 1;
        const qsizetype GapStart = Text.indexOf(QStringLiteral("  "));
        const QFontMetrics Metrics = M.Caption->fontMetrics();
        const int BlanksFrom = M.Caption->x() + Metrics.horizontalAdvance(Text.left(GapStart));
        const int BlanksTo = M.Caption->x() + Metrics.horizontalAdvance(Text.left(GapEnd));
        EXPECT_LE(BlanksFrom, M.Mark->x() + 1) << M.Caption->objectName().toStdString();
        EXPECT_GE(BlanksTo, M.Mark->geometry().right()) << M.Caption->objectName().toStdString();
        EXPECT_LT(M.Mark->y(), M.Caption->y()) << "raised";
    }
    for (QWidget *Control : W->ClientArea()->findChildren<TLabel *>())
        if (Control->x() == 24)
        {
            EXPECT_LT(Control->geometry().right(), 482) << Control->objectName().toStdString();
        }
}

TEST_F(Window, PicturesGlyphsAndIcon)
{
    EXPECT_EQ(W->Image1->Picture().size(), QSize(175, 114));
    EXPECT_EQ(W->BitBtn1->Glyph().size(), QSize(140, 40));
    EXPECT_EQ(W->BitBtn2->Glyph().size(), QSize(70, 30));
    for (TBitBtn *Button : {W->BitBtn1, W->BitBtn2})
        EXPECT_EQ(Button->Glyph().toImage().pixelColor(0, 0).alpha(), 0) << "white is transparent";
    // The icon is read without Qt's icon plugin; it must read as the plugin reads it.
    const QImage Icon =
        W->windowIcon().pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage ByPlugin =
        QImage(QStringLiteral(":/ormiza/ormiza.ico")).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(ByPlugin.size(), QSize(32, 32));
    EXPECT_EQ(Icon, ByPlugin);
}

TEST_F(Window, PointerShapes)
{
    for (TEdit *Field : Fields())
        EXPECT_EQ(Field->cursor().shape(), Qt::IBeamCursor);
    for (QWidget *Button : {static_cast<QWidget *>(W->BitBtn1), static_cast<QWidget *>(W->BitBtn2)})
        EXPECT_EQ(Button->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(W->Image1->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(W->StaticText1->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(W->Label2->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Window, ScreenReaderNamesEachFieldByItsCaption)
{
    const std::vector<TLabel *> Captions = {W->Label2,  W->Label3,  W->Label4,  W->Label5,
                                            W->Label7,  W->Label8,  W->Label9,  W->Label10,
                                            W->Label11, W->Label13, W->Label15, W->Label28};
    for (std::size_t I = 0; I < Captions.size(); ++I)
    {
        QAccessibleInterface *Field = QAccessible::queryAccessibleInterface(Fields()[I]);
        ASSERT_NE(Field, nullptr);
        EXPECT_EQ(Field->text(QAccessible::Name), Captions[I]->Caption())
            << Fields()[I]->objectName().toStdString();
    }
    for (TBitBtn *Button : {W->BitBtn1, W->BitBtn2})
        EXPECT_FALSE(
            QAccessible::queryAccessibleInterface(Button)->text(QAccessible::Name).isEmpty());
}

TEST_F(Window, LargerAddsGreenSmallerScrollsAndNothingMoves)
{
    Show();
    std::vector<QRect> Layout;
    for (QWidget *C : W->ClientArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        Layout.push_back(C->geometry());
    const auto LayoutNow = [&]
    {
        std::vector<QRect> Now;
        for (QWidget *C : W->ClientArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            Now.push_back(C->geometry());
        return Now;
    };

    W->resize(1000, 700);
    QApplication::processEvents();
    EXPECT_FALSE(W->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(W->verticalScrollBar()->isVisible());
    const QImage Large = W->grab().toImage();
    const qreal Ratio = Large.devicePixelRatio();
    for (QPoint P : {QPoint(990, 690), QPoint(900, 100), QPoint(100, 600)})
        EXPECT_EQ(Large.pixelColor((P * Ratio).x(), (P * Ratio).y()), QColor(0, 128, 0));
    EXPECT_EQ(LayoutNow(), Layout);

    W->resize(400, 300);
    QApplication::processEvents();
    EXPECT_TRUE(W->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(W->verticalScrollBar()->isVisible());
    EXPECT_EQ(LayoutNow(), Layout);
}

// A handful of colours where the window shows them; in a run with QT_SCALE_FACTOR=2 the same
// points, scaled, must show the same colours.
TEST_F(Window, ColoursOnScreen)
{
    Show();
    const QImage Shot = W->grab().toImage();
    const qreal Ratio = Shot.devicePixelRatio();
    const auto At = [&](QPoint P) {
        return Shot.pixelColor(qFloor(P.x() * Ratio + Ratio / 2),
                               qFloor(P.y() * Ratio + Ratio / 2));
    };
    EXPECT_EQ(At(QPoint(10, 470)), QColor(0, 128, 0)) << "window";
    EXPECT_EQ(At(QPoint(482, 270)), QColor(0, 255, 255)) << "empty result box";
    EXPECT_EQ(At(W->Label6->geometry().bottomRight() - QPoint(0, 0)), QColor(0, 255, 0)) << "mark";
    EXPECT_EQ(At(QPoint(205, 20)), QColor(0, 0, 128)) << "banner";
    EXPECT_EQ(At(W->Label26->geometry().topRight()), QColor(166, 202, 240)) << "result caption";
    EXPECT_EQ(At(W->Label2->geometry().topRight()), QColor(0, 255, 0)) << "input caption";
    EXPECT_EQ(At(W->Edit4->geometry().center() + QPoint(30, 0)),
              QApplication::palette().color(QPalette::ToolTipBase))
        << "field";
}

} // namespace
