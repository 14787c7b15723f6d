// The committed pictures: their file formats, read byte by byte here, and the places and colours
// of the elements the window relies on; then that Qt reads the same pixels from the resource
// paths the window uses, and that the desktop icons are the program icon enlarged.

#include "bytes.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

const std::string SourceDir = ORMIZA_SOURCE_DIR;

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;
constexpr QRgb Panel = 0xFFCCFFCC; // (204, 255, 204)
constexpr QRgb Blue = 0xFF0000FF;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb DarkRed = 0xFF800000;
constexpr QRgb Cyan = 0xFF00FFFF;
constexpr QRgb Lime = 0xFF00FF00;

const std::array<QRgb, 16> StandardPalette = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
    0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

// ---- Reading the files ----------------------------------------------------------------------

struct TPicture
{
    int Width = 0;
    int Height = 0;
    int BitCount = 0;
    std::vector<QRgb> Palette;
    std::vector<unsigned> Indices; // top row first
    std::vector<bool> Transparent; // icons: the AND mask

    QRgb Pixel(int X, int Y) const
    {
        return Palette.at(Indices.at(static_cast<std::size_t>(Y * Width + X)));
    }
};

// A device-independent bitmap: the 40-byte header at Header, its palette right after it, and
// rows bottom-up from Pixels. Height is the number of colour rows to read.
TPicture ReadDib(const TBytes &B, std::size_t Header, std::size_t Pixels, int Height)
{
    if (U32(B, Header) != 40)
        throw std::runtime_error("not a BITMAPINFOHEADER");
    TPicture P;
    P.Width = static_cast<int>(U32(B, Header + 4));
    P.Height = Height;
    if (U16(B, Header + 12) != 1)
        throw std::runtime_error("planes must be 1");
    P.BitCount = static_cast<int>(U16(B, Header + 14));
    if (U32(B, Header + 16) != 0)
        throw std::runtime_error("compressed bitmap");
    if (P.BitCount != 4 && P.BitCount != 8)
        throw std::runtime_error("unexpected bit count " + std::to_string(P.BitCount));
    const std::uint32_t Used = U32(B, Header + 32);
    const std::uint32_t Entries = Used != 0 ? Used : 1u << P.BitCount;
    for (std::uint32_t I = 0; I < Entries; ++I)
    {
        const std::size_t At = Header + 40 + 4 * I;
        P.Palette.push_back(qRgb(B.at(At + 2), B.at(At + 1), B.at(At)));
    }
    const std::size_t Stride = (static_cast<std::size_t>(P.Width * P.BitCount) + 31) / 32 * 4;
    P.Indices.resize(static_cast<std::size_t>(P.Width * P.Height));
    for (int Y = 0; Y < P.Height; ++Y)
    {
        const std::size_t Row = Pixels + static_cast<std::size_t>(P.Height - 1 - Y) * Stride;
        for (int X = 0; X < P.Width; ++X)
        {
            const std::uint8_t Byte = B.at(Row + static_cast<std::size_t>(X * P.BitCount / 8));
            const unsigned Index = P.BitCount == 8 ? Byte : (X % 2 == 0 ? Byte >> 4 : Byte & 0x0Fu);
            if (Index >= P.Palette.size())
                throw std::runtime_error("pixel index outside the palette");
            P.Indices[static_cast<std::size_t>(Y * P.Width + X)] = Index;
        }
    }
    return P;
}

TPicture ReadBmp(const std::string &Name)
{
    const TBytes B = ReadFile(SourceDir + "/ui/resources/" + Name);
    if (B.size() < 54 || B[0] != 'B' || B[1] != 'M')
        throw std::runtime_error(Name + " is not a BMP file");
    if (U32(B, 2) != B.size())
        throw std::runtime_error(Name + ": the file size in the header is wrong");
    const auto Height = static_cast<std::int32_t>(U32(B, 22));
    if (Height <= 0)
        throw std::runtime_error(Name + ": expected a bottom-up bitmap");
    return ReadDib(B, 14, U32(B, 10), Height);
}

struct TIcon
{
    int Images = 0;
    int EntryWidth = 0;
    int EntryHeight = 0;
    int EntryColours = 0;
    int DibHeight = 0;
    TPicture Picture;
};

TIcon ReadIco(const std::string &Path)
{
    const TBytes B = ReadFile(Path);
    if (U16(B, 0) != 0 || U16(B, 2) != 1)
        throw std::runtime_error(Path + " is not an icon file");
    TIcon Icon;
    Icon.Images = static_cast<int>(U16(B, 4));
    Icon.EntryWidth = B.at(6) == 0 ? 256 : B.at(6);
    Icon.EntryHeight = B.at(7) == 0 ? 256 : B.at(7);
    Icon.EntryColours = B.at(8);
    const std::size_t Image = U32(B, 18);
    Icon.DibHeight = static_cast<int>(U32(B, Image + 8));
    const int Height = Icon.DibHeight / 2; // colour rows and mask rows together
    const std::size_t ColourBits = Image + 40 + 4 * (1u << U16(B, Image + 14));
    Icon.Picture = ReadDib(B, Image, ColourBits, Height);
    TPicture &P = Icon.Picture;
    const std::size_t ColourStride = (static_cast<std::size_t>(P.Width * P.BitCount) + 31) / 32 * 4;
    const std::size_t MaskStride = (static_cast<std::size_t>(P.Width) + 31) / 32 * 4;
    const std::size_t Mask = ColourBits + ColourStride * static_cast<std::size_t>(Height);
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < P.Width; ++X)
        {
            const std::size_t Row = Mask + static_cast<std::size_t>(Height - 1 - Y) * MaskStride;
            P.Transparent.push_back(
                ((B.at(Row + static_cast<std::size_t>(X / 8)) >> (7 - X % 8)) & 1) != 0);
        }
    return Icon;
}

const TPicture &Circuit()
{
    static const TPicture P = ReadBmp("circuit.bmp");
    return P;
}

const TPicture &CalculateGlyph()
{
    static const TPicture P = ReadBmp("calculate.bmp");
    return P;
}

const TPicture &ExitGlyph()
{
    static const TPicture P = ReadBmp("exit.bmp");
    return P;
}

const TIcon &ProgramIcon()
{
    static const TIcon Icon = ReadIco(SourceDir + "/ui/resources/ormiza.ico");
    return Icon;
}

// ---- Looking at pixels -----------------------------------------------------------------------

std::string Name(QRgb C)
{
    return "(" + std::to_string(qRed(C)) + ", " + std::to_string(qGreen(C)) + ", " +
           std::to_string(qBlue(C)) + ")";
}

struct TPixelCase
{
    const char *Element;
    int X;
    int Y;
    QRgb Colour;
};

void ExpectPixels(const TPicture &P, const std::vector<TPixelCase> &Cases)
{
    for (const TPixelCase &Case : Cases)
        EXPECT_EQ(Name(P.Pixel(Case.X, Case.Y)), Name(Case.Colour))
            << Case.Element << " at (" << Case.X << ", " << Case.Y << ")";
}

struct TBox
{
    int Left = INT_MAX;
    int Top = INT_MAX;
    int Right = INT_MIN;
    int Bottom = INT_MIN;

    friend bool operator==(const TBox &, const TBox &) = default;
    friend std::ostream &operator<<(std::ostream &Out, const TBox &B)
    {
        if (B.Left > B.Right)
            return Out << "nothing";
        return Out << "x " << B.Left << "-" << B.Right << ", y " << B.Top << "-" << B.Bottom;
    }
};

// The smallest box around the pixels of Region that satisfy IsInk.
TBox InkBox(const TPicture &P, TBox Region, const std::function<bool(QRgb)> &IsInk)
{
    TBox Found;
    for (int Y = Region.Top; Y <= Region.Bottom; ++Y)
        for (int X = Region.Left; X <= Region.Right; ++X)
            if (IsInk(P.Pixel(X, Y)))
            {
                Found.Left = std::min(Found.Left, X);
                Found.Top = std::min(Found.Top, Y);
                Found.Right = std::max(Found.Right, X);
                Found.Bottom = std::max(Found.Bottom, Y);
            }
    return Found;
}

struct TExtentCase
{
    const char *Lettering;
    TBox Region; // searched; it holds nothing but this lettering
    TBox Expected;
};

void ExpectExtents(const TPicture &P, const std::vector<TExtentCase> &Cases,
                   const std::function<bool(QRgb)> &IsInk)
{
    for (const TExtentCase &Case : Cases)
        EXPECT_EQ(InkBox(P, Case.Region, IsInk), Case.Expected) << Case.Lettering;
}

// Black laid over the panel with partial cover: a darker shade of the same green.
bool IsGreenShade(QRgb C)
{
    const int R = qRed(C);
    const int G = qGreen(C);
    return R == qBlue(C) && R > 0 && R < 204 && std::abs(G - (R * 255 + 102) / 204) <= 1;
}

// ---- The circuit -----------------------------------------------------------------------------

TEST(CircuitPicture, Is175By114WithA256ColourPalette)
{
    EXPECT_EQ(Circuit().Width, 175);
    EXPECT_EQ(Circuit().Height, 114);
    EXPECT_EQ(Circuit().BitCount, 8);
    EXPECT_EQ(Circuit().Palette.size(), 256u);
}

TEST(CircuitPicture, SurroundFrameAndPanel)
{
    ExpectPixels(Circuit(), {
                                {"surround", 0, 0, White},
                                {"surround", 1, 60, White},
                                {"surround", 80, 1, White},
                                {"surround", 80, 113, White},
                                {"surround", 164, 60, White},
                                {"surround", 174, 113, White},
                                {"frame", 2, 2, Black},
                                {"frame", 163, 2, Black},
                                {"frame", 2, 112, Black},
                                {"frame", 163, 112, Black},
                                {"frame", 80, 2, Black},
                                {"frame", 80, 112, Black},
                                {"frame", 2, 60, Black},
                                {"frame", 163, 60, Black},
                                {"panel", 3, 3, Panel},
                                {"panel", 162, 111, Panel},
                                {"panel", 140, 80, Panel},
                            });
    // The columns the window clips away are white from top to bottom.
    for (int X = 164; X <= 174; ++X)
        for (int Y = 0; Y < 114; ++Y)
            ASSERT_EQ(Name(Circuit().Pixel(X, Y)), Name(White)) << "(" << X << ", " << Y << ")";
}

TEST(CircuitPicture, ConductorsTerminalsAndSigns)
{
    ExpectPixels(Circuit(), {
                                {"negative conductor, left end", 10, 24, Black},
                                {"negative conductor", 60, 24, Black},
                                {"negative conductor, at the collector", 85, 24, Black},
                                {"negative conductor, at the emitter", 120, 24, Black},
                                {"negative conductor, right end", 161, 24, Black},
                                {"break inside the transistor", 95, 24, Panel},
                                {"break inside the transistor", 110, 24, Panel},
                                {"positive conductor, left end", 10, 101, Black},
                                {"positive conductor", 60, 101, Black},
                                {"positive conductor, right end", 161, 101, Black},
                                {"one pixel thick", 60, 100, Panel},
                                {"one pixel thick", 60, 102, Panel},
                                {"past the conductor's end", 9, 24, Panel},
                                {"past the conductor's end", 162, 101, Panel},
                                {"barb end", 30, 19, Black},
                                {"barb end", 30, 29, Black},
                                {"barb end", 141, 19, Black},
                                {"barb end", 141, 29, Black},
                                {"barb end", 30, 96, Black},
                                {"barb end", 30, 106, Black},
                                {"barb end", 141, 96, Black},
                                {"barb end", 141, 106, Black},
                                {"open arrowhead", 26, 22, Panel},
                                {"open arrowhead", 26, 26, Panel},
                                {"minus", 14, 13, Black},
                                {"minus", 18, 14, Black},
                                {"minus", 152, 13, Black},
                                {"minus", 156, 14, Black},
                                {"above the minus", 16, 12, Panel},
                                {"below the minus", 16, 15, Panel},
                                {"plus, bar", 13, 88, Black},
                                {"plus, bar", 18, 88, Black},
                                {"plus, upright", 15, 86, Black},
                                {"plus, upright", 16, 90, Black},
                                {"plus, bar", 151, 88, Black},
                                {"plus, bar", 156, 88, Black},
                                {"plus, upright", 153, 86, Black},
                                {"plus, upright", 154, 90, Black},
                                {"beside the plus's upright", 13, 86, Panel},
                                {"beside the plus's upright", 18, 90, Panel},
                            });
}

TEST(CircuitPicture, Transistor)
{
    ExpectPixels(Circuit(), {
                                {"circle, left", 81, 36, Black},
                                {"circle, right", 124, 36, Black},
                                {"circle, top", 102, 15, Black},
                                {"circle, bottom", 100, 57, Black},
                                {"outside the circle", 80, 36, Panel},
                                {"outside the circle", 125, 36, Panel},
                                {"outside the circle", 102, 14, Panel},
                                {"outside the circle", 100, 58, Panel},
                                {"circle one pixel thick", 82, 36, Panel},
                                {"base bar", 85, 41, Black},
                                {"base bar", 102, 41, Black},
                                {"base bar", 119, 41, Black},
                                {"before the bar", 84, 41, Panel},
                                {"after the bar", 120, 41, Panel},
                                {"bar one pixel thick", 95, 40, Panel},
                                {"bar one pixel thick", 95, 42, Panel},
                                {"collector lead", 89, 32, Black},
                                {"collector lead at the bar", 93, 40, Black},
                                {"no arrowhead on the collector", 93, 36, Panel},
                                {"emitter lead", 116, 32, Black},
                                {"emitter lead at the bar", 112, 40, Black},
                                {"emitter arrowhead", 113, 36, Black},
                                {"emitter arrowhead", 115, 37, Black},
                                {"base lead", 102, 50, Black},
                                {"base lead", 102, 60, Black},
                                {"base lead", 102, 75, Black},
                                {"base lead one pixel thick", 101, 50, Panel},
                                {"base lead one pixel thick", 103, 50, Panel},
                            });
}

TEST(CircuitPicture, BaseResistorAndCapacitor)
{
    ExpectPixels(Circuit(), {
                                {"Rб, corner", 50, 61, Black},
                                {"Rб, corner", 85, 73, Black},
                                {"Rб, top", 67, 61, Black},
                                {"Rб, bottom", 67, 73, Black},
                                {"Rб, inside", 67, 67, Panel},
                                {"wire to Rб", 45, 67, Black},
                                {"wire rising at x 41", 41, 50, Black},
                                {"wire rising at x 41", 41, 30, Black},
                                {"beside the rising wire", 42, 50, Panel},
                                {"wire from Rб to the base lead", 90, 67, Black},
                                {"upper plate of Cб", 88, 82, Black},
                                {"upper plate of Cб", 115, 82, Black},
                                {"lower plate of Cб", 88, 89, Black},
                                {"lower plate of Cб", 115, 89, Black},
                                {"past the plates", 87, 82, Panel},
                                {"past the plates", 116, 89, Panel},
                                {"between the plates", 95, 85, Panel},
                                {"no lead between the plates", 102, 86, Panel},
                                {"lead to the positive conductor", 102, 95, Black},
                            });
}

TEST(CircuitPicture, JunctionDotsAreFilledFiveAcrossWithCornersCut)
{
    for (const auto &[X, Y] : {std::pair{41, 24}, {102, 68}, {102, 101}})
        for (int Dy = -2; Dy <= 2; ++Dy)
            for (int Dx = -2; Dx <= 2; ++Dx)
            {
                const bool Corner = std::abs(Dx) == 2 && std::abs(Dy) == 2;
                EXPECT_EQ(Name(Circuit().Pixel(X + Dx, Y + Dy)), Name(Corner ? Panel : Black))
                    << "dot at (" << X << ", " << Y << "), offset (" << Dx << ", " << Dy << ")";
            }
}

TEST(CircuitPicture, BlueWordsAreSquareLettersUnderlined)
{
    const auto IsBlue = [](QRgb C) { return C == Blue; };
    ExpectExtents(Circuit(),
                  {
                      {"Вход", {6, 38, 36, 50}, {11, 43, 30, 49}},
                      {"В of Вход", {11, 38, 14, 50}, {11, 43, 14, 49}},
                      {"хо of Вход", {16, 38, 25, 50}, {16, 45, 25, 49}},
                      {"д of Вход", {27, 38, 30, 50}, {27, 43, 30, 49}},
                      {"Выход", {124, 38, 159, 50}, {129, 43, 154, 49}},
                      {"В of Выход", {129, 38, 132, 50}, {129, 43, 132, 49}},
                      {"ыхо of Выход", {134, 38, 149, 50}, {134, 45, 149, 49}},
                      {"д of Выход", {151, 38, 154, 50}, {151, 43, 154, 49}},
                      {"underline of Вход", {6, 51, 36, 51}, {11, 51, 30, 51}},
                      {"underline of Выход", {124, 51, 159, 51}, {129, 51, 154, 51}},
                  },
                  IsBlue);
    // Square letters: nothing but blue and the panel around them.
    for (const TBox Word : {TBox{11, 43, 30, 51}, TBox{129, 43, 154, 51}})
        for (int Y = Word.Top; Y <= Word.Bottom; ++Y)
            for (int X = Word.Left; X <= Word.Right; ++X)
            {
                const QRgb C = Circuit().Pixel(X, Y);
                ASSERT_TRUE(C == Blue || C == Panel) << Name(C) << " at (" << X << ", " << Y << ")";
            }
}

const std::vector<TExtentCase> BlackLabels = {
    {"VT1", {108, 3, 140, 14}, {115, 6, 133, 13}},  {"Rб", {52, 44, 75, 59}, {57, 47, 70, 57}},
    {"Cб", {108, 62, 135, 80}, {115, 69, 129, 79}}, {"Uв", {5, 55, 25, 75}, {10, 60, 21, 71}},
    {"Uo", {138, 55, 160, 75}, {143, 60, 154, 71}},
};

TEST(CircuitPicture, BlackLabelsWithLoweredLetters)
{
    const auto IsInk = [](QRgb C) { return C != Panel; };
    ExpectExtents(Circuit(), BlackLabels, IsInk);
    // Capitals 8 pixels high; the small letters 5 or 6, set lower than the capital.
    ExpectExtents(Circuit(),
                  {
                      {"R", {57, 44, 64, 59}, {57, 47, 64, 54}},
                      {"б after R", {66, 44, 70, 59}, {66, 52, 70, 57}},
                      {"C", {115, 62, 123, 80}, {115, 69, 122, 76}},
                      {"б after C", {125, 62, 129, 80}, {125, 74, 129, 79}},
                      {"U of Uв", {10, 55, 15, 75}, {10, 60, 15, 67}},
                      {"в", {17, 55, 21, 75}, {17, 67, 21, 71}},
                      {"U of Uo", {143, 55, 148, 75}, {143, 60, 148, 67}},
                      {"o", {150, 55, 154, 75}, {150, 67, 154, 71}},
                  },
                  IsInk);
}

TEST(CircuitPicture, BlackLabelsHaveEdgesSoftenedInGreen)
{
    for (const TExtentCase &Label : BlackLabels)
    {
        int Solid = 0;
        int Shaded = 0;
        for (int Y = Label.Expected.Top; Y <= Label.Expected.Bottom; ++Y)
            for (int X = Label.Expected.Left; X <= Label.Expected.Right; ++X)
            {
                const QRgb C = Circuit().Pixel(X, Y);
                if (C == Black)
                    ++Solid;
                else if (IsGreenShade(C))
                    ++Shaded;
                else
                    EXPECT_EQ(Name(C), Name(Panel))
                        << Label.Lettering << " at (" << X << ", " << Y << ")";
            }
        EXPECT_GT(Solid, Shaded) << Label.Lettering << ": mostly solid black";
        EXPECT_GT(Shaded, 0) << Label.Lettering << ": some softened edges";
    }
}

// ---- The button glyphs -----------------------------------------------------------------------

TEST(CalculateGlyph, Is140By40WithA256ColourPalette)
{
    EXPECT_EQ(CalculateGlyph().Width, 140);
    EXPECT_EQ(CalculateGlyph().Height, 40);
    EXPECT_EQ(CalculateGlyph().BitCount, 8);
    EXPECT_EQ(CalculateGlyph().Palette.size(), 256u);
}

TEST(CalculateGlyph, BlueEllipseWithRedUnderlinedWord)
{
    ExpectPixels(CalculateGlyph(), {
                                       {"white ground", 0, 0, White},
                                       {"white ground", 3, 20, White},
                                       {"white ground", 136, 20, White},
                                       {"white ground", 69, 3, White},
                                       {"white ground", 139, 39, White},
                                       {"outline, left", 4, 20, Black},
                                       {"outline, right", 135, 20, Black},
                                       {"outline, top", 69, 4, Black},
                                       {"outline, top", 70, 4, Black},
                                       {"outline, bottom", 69, 36, Black},
                                       {"outline one pixel thick", 5, 20, Blue},
                                       {"fill", 10, 20, Blue},
                                       {"fill", 69, 8, Blue},
                                       {"fill", 69, 32, Blue},
                                       {"fill", 128, 20, Blue},
                                       {"underline", 20, 26, Red},
                                       {"underline", 60, 26, Red},
                                       {"underline", 108, 26, Red},
                                       {"past the underline", 19, 26, Blue},
                                       {"past the underline", 109, 26, Blue},
                                       {"underline one pixel thick", 60, 25, Blue},
                                       {"underline one pixel thick", 60, 27, Blue},
                                   });
    const auto IsRed = [](QRgb C) { return C == Red; };
    ExpectExtents(CalculateGlyph(),
                  {
                      {"Рассчитать!", {10, 8, 130, 25}, {21, 14, 123, 24}},
                      {"Р, 11 pixels", {21, 8, 29, 25}, {21, 14, 29, 24}},
                      {"small letters, 8 pixels", {31, 8, 120, 25}, {32, 17, 119, 24}},
                      {"!, 11 pixels", {121, 8, 123, 25}, {122, 14, 123, 24}},
                      {"all the red", {0, 0, 139, 39}, {20, 14, 123, 26}},
                  },
                  IsRed);
}

TEST(ExitGlyph, Is70By30WithA256ColourPalette)
{
    EXPECT_EQ(ExitGlyph().Width, 70);
    EXPECT_EQ(ExitGlyph().Height, 30);
    EXPECT_EQ(ExitGlyph().BitCount, 8);
    EXPECT_EQ(ExitGlyph().Palette.size(), 256u);
}

TEST(ExitGlyph, RedEllipseWithBlackUnderlinedWord)
{
    ExpectPixels(ExitGlyph(), {
                                  {"white ground", 0, 0, White},
                                  {"white ground", 0, 15, White},
                                  {"white ground", 69, 15, White},
                                  {"white ground", 34, 0, White},
                                  {"white ground", 69, 29, White},
                                  {"outline, left", 1, 15, Black},
                                  {"outline, right", 68, 15, Black},
                                  {"outline, top", 34, 1, Black},
                                  {"outline, top", 35, 1, Black},
                                  {"outline, bottom", 34, 29, Black},
                                  {"outline one pixel thick", 2, 15, Red},
                                  {"fill", 6, 15, Red},
                                  {"fill", 64, 15, Red},
                                  {"fill", 34, 4, Red},
                                  {"fill", 34, 26, Red},
                                  {"underline", 12, 21, Black},
                                  {"underline", 58, 22, Black},
                                  {"underline", 35, 21, Black},
                                  {"underline", 35, 22, Black},
                                  {"past the underline", 11, 21, Red},
                                  {"past the underline", 59, 22, Red},
                                  {"below the underline", 35, 23, Red},
                              });
    const auto IsInk = [](QRgb C) { return C == Black || C == DarkRed; };
    ExpectExtents(ExitGlyph(),
                  {
                      // The region keeps clear of the black outline.
                      {"Выход", {8, 8, 62, 20}, {13, 8, 61, 19}},
                      {"nothing above Выход", {13, 7, 61, 7}, {}},
                      {"В, 12 pixels", {13, 7, 20, 20}, {13, 8, 20, 19}},
                      {"ыхо, 9 pixels", {22, 7, 52, 20}, {23, 11, 51, 19}},
                      {"д, 12 pixels", {54, 7, 61, 20}, {54, 8, 61, 19}},
                  },
                  IsInk);
    // Square black letters with dark-red shading at their edges, nothing else on the ellipse.
    int Shaded = 0;
    for (int Y = 8; Y <= 19; ++Y)
        for (int X = 13; X <= 61; ++X)
        {
            const QRgb C = ExitGlyph().Pixel(X, Y);
            ASSERT_TRUE(C == Black || C == DarkRed || C == Red)
                << Name(C) << " at (" << X << ", " << Y << ")";
            Shaded += C == DarkRed;
        }
    EXPECT_GT(Shaded, 0);
}

// ---- The program icon ------------------------------------------------------------------------

TEST(ProgramIcon, OneOpaque32By32ImageInTheStandard16Colours)
{
    const TIcon &Icon = ProgramIcon();
    EXPECT_EQ(Icon.Images, 1);
    EXPECT_EQ(Icon.EntryWidth, 32);
    EXPECT_EQ(Icon.EntryHeight, 32);
    EXPECT_EQ(Icon.EntryColours, 16);
    EXPECT_EQ(Icon.DibHeight, 64);
    EXPECT_EQ(Icon.Picture.Width, 32);
    EXPECT_EQ(Icon.Picture.BitCount, 4);
    EXPECT_EQ(Icon.Picture.Palette,
              std::vector<QRgb>(StandardPalette.begin(), StandardPalette.end()));
    EXPECT_EQ(std::count(Icon.Picture.Transparent.begin(), Icon.Picture.Transparent.end(), true),
              0);
}

TEST(ProgramIcon, CircuitInMiniatureOnCyanInsideAGreenBorder)
{
    const TPicture &P = ProgramIcon().Picture;
    for (int I = 0; I < 32; ++I)
    {
        EXPECT_EQ(Name(P.Pixel(I, 0)), Name(Lime)) << "top border at x " << I;
        EXPECT_EQ(Name(P.Pixel(I, 31)), Name(Lime)) << "bottom border at x " << I;
        EXPECT_EQ(Name(P.Pixel(0, I)), Name(Lime)) << "left border at y " << I;
        EXPECT_EQ(Name(P.Pixel(31, I)), Name(Lime)) << "right border at y " << I;
    }
    ExpectPixels(P, {
                        {"ground", 1, 1, Cyan},
                        {"ground", 30, 30, Cyan},
                        {"ground", 27, 18, Cyan},
                        {"ground inside the circle", 16, 8, Cyan},
                        {"upper conductor", 2, 7, Black},
                        {"upper conductor", 8, 7, Black},
                        {"upper conductor", 26, 7, Black},
                        {"upper conductor", 29, 7, Black},
                        {"lower conductor", 2, 28, Black},
                        {"lower conductor", 16, 28, Black},
                        {"lower conductor", 29, 28, Black},
                        {"arrowhead", 4, 5, Black},
                        {"arrowhead", 4, 9, Black},
                        {"arrowhead", 27, 5, Black},
                        {"arrowhead", 27, 9, Black},
                        {"arrowhead", 4, 26, Black},
                        {"arrowhead", 4, 30, Black},
                        {"arrowhead", 27, 26, Black},
                        {"arrowhead", 27, 30, Black},
                        {"circle", 9, 10, Black},
                        {"circle", 23, 10, Black},
                        {"circle", 16, 4, Black},
                        {"circle", 16, 17, Black},
                        {"base bar", 12, 12, Black},
                        {"base bar", 20, 12, Black},
                        {"Rб", 4, 11, Black},
                        {"Rб", 6, 17, Black},
                        {"Rб", 4, 14, Black},
                        {"Rб", 6, 14, Black},
                        {"inside Rб", 5, 14, Cyan},
                        {"Rб hanging at x 5", 5, 9, Black},
                        {"foot of Rб", 5, 19, Black},
                        {"foot joined at y 20", 10, 20, Black},
                        {"base lead", 16, 14, Black},
                        {"base lead", 16, 21, Black},
                        {"base lead", 16, 26, Black},
                        {"Cб plate", 13, 22, Black},
                        {"Cб plate", 19, 22, Black},
                        {"Cб plate", 13, 24, Black},
                        {"Cб plate", 19, 24, Black},
                        {"between the plates", 16, 23, Cyan},
                    });
    for (int Y = 0; Y < 32; ++Y)
        for (int X = 0; X < 32; ++X)
        {
            const QRgb C = P.Pixel(X, Y);
            ASSERT_TRUE(C == Black || C == Cyan || C == Lime)
                << Name(C) << " at (" << X << ", " << Y << ")";
        }
}

// ---- What Qt makes of them -------------------------------------------------------------------

void ExpectSamePixels(const QImage &Image, const TPicture &P, int Scale = 1)
{
    ASSERT_FALSE(Image.isNull());
    ASSERT_EQ(Image.width(), P.Width * Scale);
    ASSERT_EQ(Image.height(), P.Height * Scale);
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            ASSERT_EQ(Name(Image.pixel(X, Y)), Name(P.Pixel(X / Scale, Y / Scale)))
                << "(" << X << ", " << Y << ")";
}

TEST(PicturesInQt, ReadThroughTheResourcePathsTheWindowUses)
{
    // The window loads these paths; the resource file is compiled into this test as well.
    const QImage CircuitImage(QStringLiteral(":/ormiza/circuit.bmp"));
    EXPECT_EQ(CircuitImage.format(), QImage::Format_Indexed8);
    ExpectSamePixels(CircuitImage, Circuit());
    ExpectSamePixels(QImage(QStringLiteral(":/ormiza/calculate.bmp")), CalculateGlyph());
    ExpectSamePixels(QImage(QStringLiteral(":/ormiza/exit.bmp")), ExitGlyph());

    const QImage Icon(QStringLiteral(":/ormiza/ormiza.ico"));
    ExpectSamePixels(Icon, ProgramIcon().Picture);
    for (int Y = 0; Y < Icon.height(); ++Y)
        for (int X = 0; X < Icon.width(); ++X)
            ASSERT_EQ(qAlpha(Icon.pixel(X, Y)), 255) << "(" << X << ", " << Y << ")";
}

TEST(PicturesInQt, DesktopIconsAreTheProgramIconEnlarged)
{
    for (const int Size : {32, 64, 128})
    {
        SCOPED_TRACE(Size);
        const std::string Path = SourceDir + "/data/icons/hicolor/" + std::to_string(Size) + "x" +
                                 std::to_string(Size) + "/apps/ormiza.png";
        ExpectSamePixels(QImage(QString::fromStdString(Path)), ProgramIcon().Picture, Size / 32);
    }
}

} // namespace
