#include "platform/graphics.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <cstdlib>

namespace
{

const QString WindowsSansSerif = QStringLiteral("MS Sans Serif");

// Measured on the window's 25 captions at 11 pixels, bold: with +0.7 px the captions are on average
// as wide as they were laid out for (from 5 px narrower to 13 px wider), the blanks left for the
// three raised "o" marks lie under the marks (at +0.6 the marks cover the start of the letter
// after them), and the widest caption still ends 3 px before the fields.
constexpr qreal WindowsSansSerifSpacing = 0.7;

} // namespace

QColor ColorToRgb(TColor Color, const QPalette &Scheme)
{
    switch (Color)
    {
    case clBlack:
        return QColor(0, 0, 0);
    case clGreen:
        return QColor(0, 128, 0);
    case clNavy:
        return QColor(0, 0, 128);
    case clRed:
        return QColor(255, 0, 0);
    case clLime:
        return QColor(0, 255, 0);
    case clAqua:
        return QColor(0, 255, 255);
    case clWhite:
        return QColor(255, 255, 255);
    case clSkyBlue:
        return QColor(166, 202, 240);
    case clBtnFace:
        return Scheme.color(QPalette::Button);
    case clWindow:
        return Scheme.color(QPalette::Base);
    case clWindowText:
        return Scheme.color(QPalette::WindowText);
    case clInfoBk:
        return Scheme.color(QPalette::ToolTipBase);
    case clInfoText:
        return Scheme.color(QPalette::ToolTipText);
    }
    return Scheme.color(QPalette::Window);
}

QFont FontWithHeight(QFont Font, int Height)
{
    Font.setPixelSize(std::abs(Height));
    if (Font.family() == WindowsSansSerif)
        Font.setLetterSpacing(QFont::AbsoluteSpacing, WindowsSansSerifSpacing);
    return Font;
}

void InstallFontSubstitutes()
{
    QFont::insertSubstitution(WindowsSansSerif, QStringLiteral("Liberation Sans"));
}

namespace
{

// Reads with the one built-in reader for Format, without asking plugins to recognise the data.
QImage ReadBuiltIn(const QByteArray &Data, const char *Format)
{
    QBuffer Device;
    Device.setData(Data);
    Device.open(QIODevice::ReadOnly);
    QImageReader Reader(&Device, Format);
    Reader.setAutoDetectImageFormat(false);
    return Reader.read();
}

// Little-endian fields; the callers have checked that the data is long enough.
quint32 Byte(const QByteArray &Data, qsizetype At)
{
    return static_cast<uchar>(Data.at(At));
}

quint16 Word16(const QByteArray &Data, qsizetype At)
{
    return static_cast<quint16>(Byte(Data, At) | Byte(Data, At + 1) << 8);
}

quint32 Word32(const QByteArray &Data, qsizetype At)
{
    return Word16(Data, At) | quint32{Word16(Data, At + 2)} << 16;
}

// The first image of an icon file. An icon image is a PNG, or a Windows bitmap without its file
// header, twice as high as the image (colour rows, then a one-bit transparency mask).
QImage ReadIcon(const QByteArray &File)
{
    constexpr qsizetype DirectorySize = 6;
    constexpr qsizetype EntrySize = 16;
    if (File.size() < DirectorySize + EntrySize || Word16(File, 0) != 0 || Word16(File, 2) != 1 ||
        Word16(File, 4) == 0)
        return {};
    const quint32 Size = Word32(File, DirectorySize + 8);
    const quint32 Offset = Word32(File, DirectorySize + 12);
    if (Offset > static_cast<quint32>(File.size()) || Size > File.size() - Offset)
        return {};
    const QByteArray Image = File.mid(Offset, Size);
    if (Image.startsWith("\x89PNG"))
        return ReadBuiltIn(Image, "png");

    constexpr qsizetype InfoSize = 40;
    if (Image.size() < InfoSize || Word32(Image, 0) < InfoSize)
        return {};
    const quint32 HeaderSize = Word32(Image, 0);
    const qint32 Width = static_cast<qint32>(Word32(Image, 4));
    const qint32 Height = static_cast<qint32>(Word32(Image, 8)) / 2;
    const quint16 BitCount = Word16(Image, 14);
    const quint32 ColoursUsed = Word32(Image, 32);
    if (Width <= 0 || Height <= 0 || Width > 1024 || Height > 1024 || BitCount == 0 ||
        BitCount > 32)
        return {};
    const quint32 Palette =
        ColoursUsed != 0 ? ColoursUsed : (BitCount <= 8 ? (1u << BitCount) : 0u);
    const qsizetype ColourStride = ((Width * BitCount + 31) / 32) * 4;
    const qsizetype MaskStride = ((Width + 31) / 32) * 4;
    const qsizetype ColourStart = HeaderSize + qsizetype{Palette} * 4;
    const qsizetype MaskStart = ColourStart + ColourStride * Height;
    if (MaskStart > Image.size())
        return {};

    // The same bitmap as a .bmp file: a file header in front, the true height in its header.
    QByteArray Bitmap = Image.left(MaskStart);
    qToLittleEndian<qint32>(Height, Bitmap.data() + 8);
    QByteArray FileHeader(14, '\0');
    FileHeader[0] = 'B';
    FileHeader[1] = 'M';
    qToLittleEndian<quint32>(static_cast<quint32>(14 + Bitmap.size()), FileHeader.data() + 2);
    qToLittleEndian<quint32>(static_cast<quint32>(14 + ColourStart), FileHeader.data() + 10);
    QImage Result = ReadBuiltIn(FileHeader + Bitmap, "bmp");
    if (Result.isNull())
        return {};

    Result = Result.convertToFormat(QImage::Format_ARGB32);
    if (MaskStart + MaskStride * Height <= Image.size())
        for (qint32 Y = 0; Y < Height; ++Y)
        {
            // Rows are stored bottom-up.
            const auto *Mask = reinterpret_cast<const uchar *>(Image.constData() + MaskStart +
                                                               MaskStride * (Height - 1 - Y));
            auto *Line = reinterpret_cast<QRgb *>(Result.scanLine(Y));
            for (qint32 X = 0; X < Width; ++X)
                if (Mask[X / 8] & (0x80 >> (X % 8)))
                    Line[X] = qRgba(0, 0, 0, 0);
        }
    return Result;
}

} // namespace

QImage ReadPicture(const QString &Path)
{
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
        return {};
    const QByteArray Data = File.readAll();
    const QString Suffix = Path.section(QLatin1Char('.'), -1).toLower();
    if (Suffix == QLatin1String("ico"))
        return ReadIcon(Data);
    return ReadBuiltIn(Data, Suffix.toLatin1().constData());
}
