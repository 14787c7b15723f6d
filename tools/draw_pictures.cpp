// Draws the window's pictures (the circuit, the two button glyphs, the program icon) and the
// desktop icons made from the program icon, pixel by pixel, and writes them into the source
// tree. With --check it writes nothing and reports every file that differs from what it would
// write, so that a test can tell when the committed pictures and this drawing part ways.
//
//   ormiza_draw_pictures [--check] SOURCE_DIR

#include "canvas.h"
#include "image_files.h"
#include "pixel_fonts.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace
{

using namespace Pictures;

// Lettering placed by its extent: the text must fill exactly the columns Left to Right, so a
// change of a glyph's width cannot silently move a label off its place.
void Letter(TCanvas &Picture, const TPixelFont &Font, int Left, int Right, int Baseline,
            std::u32string_view Text, TRgb Ink)
{
    const int Width = Font.Width(Text);
    if (Width != Right - Left + 1)
        throw std::logic_error("lettering at x " + std::to_string(Left) + " is " +
                               std::to_string(Width) + " pixels wide, not " +
                               std::to_string(Right - Left + 1));
    Font.Draw(Picture, Left, Baseline, Text, Ink);
}

// A filled arrowhead whose tip is at Tip and which points away from Tail, Length pixels long
// and 2 * HalfWidth across its base.
void Arrowhead(TCanvas &Picture, TPoint Tip, TPoint Tail, double Length, double HalfWidth)
{
    const double Dx = Tail.X - Tip.X;
    const double Dy = Tail.Y - Tip.Y;
    const double Norm = std::hypot(Dx, Dy);
    const double Ux = Dx / Norm;
    const double Uy = Dy / Norm;
    const TPoint Base{Tip.X + Length * Ux, Tip.Y + Length * Uy};
    Picture.FillTriangle(Tip, {Base.X - HalfWidth * Uy, Base.Y + HalfWidth * Ux},
                         {Base.X + HalfWidth * Uy, Base.Y - HalfWidth * Ux}, Black);
}

// An open arrowhead at a conductor's end: two barbs from the tip back to BackX, Spread pixels
// above and below the conductor.
void Terminal(TCanvas &Picture, int TipX, int BackX, int Y, int Spread)
{
    Picture.Line(TipX, Y, BackX, Y - Spread, Black);
    Picture.Line(TipX, Y, BackX, Y + Spread, Black);
}

TCanvas DrawCircuit()
{
    TCanvas P(175, 114, White);
    P.FillRectangle(3, 3, 162, 111, PanelGreen);
    P.Rectangle(2, 2, 163, 112, Black);

    // Negative conductor, interrupted by the transistor; positive conductor.
    P.HLine(10, 85, 24, Black);
    P.HLine(120, 161, 24, Black);
    P.HLine(10, 161, 101, Black);
    for (int Y : {24, 101})
    {
        Terminal(P, 10, 30, Y, 5);
        Terminal(P, 161, 141, Y, 5);
    }
    // Minus signs over the negative conductor's ends, plus signs over the positive one's.
    P.FillRectangle(14, 13, 18, 14, Black);
    P.FillRectangle(152, 13, 156, 14, Black);
    for (int Left : {13, 151})
    {
        P.HLine(Left, Left + 5, 88, Black);
        P.FillRectangle(Left + 2, 86, Left + 3, 90, Black);
    }

    // VT1: p-n-p, collector on the input side, emitter on the output side, base downwards.
    P.Ellipse(81, 15, 124, 57, Black);
    P.HLine(85, 119, 41, Black);
    P.Line(85, 24, 93, 40, Black);
    P.Line(120, 24, 112, 40, Black);
    Arrowhead(P, {112, 40}, {120, 24}, 7, 3);
    Letter(P, LabelFont(), 115, 133, 13, U"VT1", Black);

    // Base lead from the bar to the upper plate of Cб.
    P.VLine(102, 41, 82, Black);

    // Rб, from the negative input conductor to the base.
    P.Rectangle(50, 61, 85, 73, Black);
    P.HLine(41, 50, 67, Black);
    P.VLine(41, 24, 67, Black);
    P.JunctionDot(41, 24, Black);
    P.HLine(85, 102, 67, Black);
    P.JunctionDot(102, 68, Black);
    Letter(P, LabelFont(), 57, 64, 54, U"R", Black);
    Letter(P, LabelFont(), 66, 70, 57, U"б", Black);

    // Cб, from the base to the positive conductor.
    P.HLine(88, 115, 82, Black);
    P.HLine(88, 115, 89, Black);
    P.VLine(102, 89, 101, Black);
    P.JunctionDot(102, 101, Black);
    Letter(P, LabelFont(), 115, 122, 76, U"C", Black);
    Letter(P, LabelFont(), 125, 129, 79, U"б", Black);

    // Input side on the left, output side on the right.
    Letter(P, SideFont(), 11, 30, 49, U"Вход", PureBlue);
    P.HLine(11, 30, 51, PureBlue);
    Letter(P, LabelFont(), 10, 15, 67, U"U", Black);
    Letter(P, LabelFont(), 17, 21, 71, U"в", Black);
    Letter(P, SideFont(), 129, 154, 49, U"Выход", PureBlue);
    P.HLine(129, 154, 51, PureBlue);
    Letter(P, LabelFont(), 143, 148, 67, U"U", Black);
    Letter(P, LabelFont(), 150, 154, 71, U"o", Black);
    return P;
}

TCanvas DrawCalculateGlyph()
{
    TCanvas P(140, 40, White);
    P.Ellipse(4, 4, 135, 36, Black, PureBlue);
    Letter(P, CalculateFont(), 21, 123, 24, U"Рассчитать!", PureRed);
    P.HLine(20, 108, 26, PureRed);
    return P;
}

TCanvas DrawExitGlyph()
{
    TCanvas P(70, 30, White);
    P.Ellipse(1, 1, 68, 29, Black, PureRed);
    Letter(P, ExitFont(), 13, 61, 19, U"Выход", Black);
    P.FillRectangle(12, 21, 58, 22, Black);
    return P;
}

// The circuit in miniature, in the standard 16 colours.
TCanvas DrawIcon()
{
    TCanvas P(32, 32, Cyan);
    P.Rectangle(0, 0, 31, 31, Lime);

    P.HLine(2, 10, 7, Black);
    P.HLine(22, 29, 7, Black);
    P.HLine(2, 29, 28, Black);
    for (int Y : {7, 28})
    {
        Terminal(P, 2, 4, Y, 2);
        Terminal(P, 29, 27, Y, 2);
    }

    P.Ellipse(9, 4, 23, 17, Black);
    P.HLine(11, 21, 12, Black);
    P.Line(10, 7, 13, 11, Black);
    P.Line(22, 7, 19, 11, Black);
    Arrowhead(P, {19, 11}, {22, 7}, 2.5, 1.5);

    // Rб hangs from the negative conductor; its foot joins the base lead.
    P.VLine(5, 7, 11, Black);
    P.Rectangle(4, 11, 6, 17, Black);
    P.VLine(5, 17, 20, Black);
    P.HLine(5, 16, 20, Black);

    // Base lead through Cб to the positive conductor.
    P.VLine(16, 12, 22, Black);
    P.HLine(13, 19, 22, Black);
    P.HLine(13, 19, 24, Black);
    P.VLine(16, 24, 28, Black);
    return P;
}

struct TOutput
{
    const char *Path; // relative to the source directory
    std::function<TBytes()> Make;
};

std::vector<TOutput> Outputs()
{
    return {
        {"ui/resources/circuit.bmp", [] { return EncodeBmp8(DrawCircuit()); }},
        {"ui/resources/calculate.bmp", [] { return EncodeBmp8(DrawCalculateGlyph()); }},
        {"ui/resources/exit.bmp", [] { return EncodeBmp8(DrawExitGlyph()); }},
        {"ui/resources/ormiza.ico", [] { return EncodeIco4(DrawIcon()); }},
        {"data/icons/hicolor/32x32/apps/ormiza.png", [] { return EncodePng4(DrawIcon()); }},
        {"data/icons/hicolor/64x64/apps/ormiza.png",
         [] { return EncodePng4(DrawIcon().Scaled(2)); }},
        {"data/icons/hicolor/128x128/apps/ormiza.png",
         [] { return EncodePng4(DrawIcon().Scaled(4)); }},
    };
}

TBytes ReadFile(const std::filesystem::path &Path)
{
    std::ifstream In(Path, std::ios::binary);
    if (!In)
        return {};
    return TBytes(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path &Path, const TBytes &Bytes)
{
    std::filesystem::create_directories(Path.parent_path());
    std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
    Out.write(reinterpret_cast<const char *>(Bytes.data()),
              static_cast<std::streamsize>(Bytes.size()));
    if (!Out)
        throw std::runtime_error("cannot write " + Path.string());
}

int Run(int argc, char **argv)
{
    const std::vector<std::string_view> Args(argv + 1, argv + argc);
    const bool Check = !Args.empty() && Args.front() == "--check";
    if (Args.size() != (Check ? 2u : 1u))
    {
        std::fprintf(stderr, "usage: ormiza_draw_pictures [--check] SOURCE_DIR\n");
        return 2;
    }
    const std::filesystem::path Root(Args.back());
    int Differing = 0;
    for (const TOutput &Output : Outputs())
    {
        const std::filesystem::path Path = Root / Output.Path;
        const TBytes Bytes = Output.Make();
        if (Check)
        {
            if (ReadFile(Path) != Bytes)
            {
                std::printf("%s differs from its drawing: run the draw_pictures target\n",
                            Output.Path);
                ++Differing;
            }
        }
        else
        {
            WriteFile(Path, Bytes);
            std::printf("wrote %s (%zu bytes)\n", Output.Path, Bytes.size());
        }
    }
    return Differing == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    try
    {
        return Run(argc, argv);
    }
    catch (const std::exception &Error)
    {
        std::fprintf(stderr, "ormiza_draw_pictures: %s\n", Error.what());
        return 1;
    }
}
