#include "pixel_fonts.h"

#include <stdexcept>
#include <string>

namespace Pictures
{

namespace
{

double Coverage(char Mark)
{
    switch (Mark)
    {
    case '#':
        return 1.0;
    case '%':
        return 0.75;
    case '+':
        return 0.5;
    case '-':
        return 0.25;
    case '.':
        return 0.0;
    default:
        throw std::invalid_argument(std::string("unknown mark in a glyph: ") + Mark);
    }
}

// Capitals 8 rows, the lowered small letters 5 or 6; stems two pixels wide, curves and
// diagonals shaded.
std::vector<TGlyph> LabelGlyphs()
{
    return {
        {U'V',
         {
             "%#-.-#%",
             "+#+.+#+",
             "-##.##-",
             ".%#-#%.",
             ".+#%#+.",
             ".-###-.",
             "..###..",
             "..+#+..",
         }},
        {U'T',
         {
             "######",
             "######",
             "..##..",
             "..##..",
             "..##..",
             "..##..",
             "..##..",
             "..##..",
         }},
        {U'1',
         {
             ".-##",
             "-###",
             "#%##",
             "..##",
             "..##",
             "..##",
             "..##",
             "..##",
         }},
        {U'R',
         {
             "######-.",
             "##...-##",
             "##....##",
             "##...-##",
             "######-.",
             "##.-##..",
             "##..%#+.",
             "##...##%",
         }},
        {U'C',
         {
             "..+%##%.",
             ".%##%###",
             "%#%.....",
             "##......",
             "##......",
             "%#%.....",
             ".%##%###",
             "..+%##%.",
         }},
        {U'U',
         {
             "##..##",
             "##..##",
             "##..##",
             "##..##",
             "##..##",
             "##..##",
             "+#%%#+",
             ".+##+.",
         }},
        {U'б',
         {
             "-####",
             "##...",
             "####-",
             "##.##",
             "##.##",
             "-###-",
         }},
        {U'в',
         {
             "####-",
             "##.##",
             "####-",
             "##.##",
             "####-",
         }},
        {U'o',
         {
             "-###-",
             "##.##",
             "##.##",
             "##.##",
             "-###-",
         }},
    };
}

// One-pixel strokes; "д" takes the form with a rising stroke, as tall as the capital.
std::vector<TGlyph> SideGlyphs()
{
    return {
        {U'В',
         {
             "###.",
             "#..#",
             "#..#",
             "###.",
             "#..#",
             "#..#",
             "###.",
         }},
        {U'ы',
         {
             "#...#",
             "#...#",
             "###.#",
             "#.#.#",
             "###.#",
         }},
        {U'х',
         {
             "#...#",
             ".#.#.",
             "..#..",
             ".#.#.",
             "#...#",
         }},
        {U'о',
         {
             ".##.",
             "#..#",
             "#..#",
             "#..#",
             ".##.",
         }},
        {U'д',
         {
             ".##.",
             "...#",
             ".###",
             "#..#",
             "#..#",
             "#..#",
             ".##.",
         }},
    };
}

// Two-pixel strokes both ways; capital and "!" 11 rows, small letters 8.
std::vector<TGlyph> CalculateGlyphs()
{
    return {
        {U'Р',
         {
             "########.",
             "#########",
             "##.....##",
             "##.....##",
             "##.....##",
             "#########",
             "########.",
             "##.......",
             "##.......",
             "##.......",
             "##.......",
         }},
        {U'а',
         {
             ".######.",
             "########",
             "......##",
             ".#######",
             "########",
             "##....##",
             "########",
             ".#######",
         }},
        {U'с',
         {
             ".######.",
             "########",
             "##....##",
             "##......",
             "##......",
             "##....##",
             "########",
             ".######.",
         }},
        {U'ч',
         {
             "##....##",
             "##....##",
             "##....##",
             "########",
             ".#######",
             "......##",
             "......##",
             "......##",
         }},
        {U'и',
         {
             "##....##",
             "##...###",
             "##..####",
             "##.##.##",
             "####..##",
             "###...##",
             "##....##",
             "##....##",
         }},
        {U'т',
         {
             "########",
             "########",
             "...##...",
             "...##...",
             "...##...",
             "...##...",
             "...##...",
             "...##...",
         }},
        {U'ь',
         {
             "##......",
             "##......",
             "##......",
             "#######.",
             "########",
             "##....##",
             "########",
             "#######.",
         }},
        {U'!',
         {
             "##",
             "##",
             "##",
             "##",
             "##",
             "##",
             "##",
             "..",
             "..",
             "##",
             "##",
         }},
    };
}

// Two-pixel strokes, corners and diagonal steps half shaded; capital and "д" 12 rows, the
// other small letters 9.
std::vector<TGlyph> ExitGlyphs()
{
    return {
        {U'В',
         {
             "#######+",
             "########",
             "##....##",
             "##....##",
             "##...+##",
             "#######+",
             "########",
             "##....##",
             "##....##",
             "##....##",
             "########",
             "#######+",
         }},
        {U'ы',
         {
             "##......##",
             "##......##",
             "##......##",
             "######+.##",
             "#######.##",
             "##...##.##",
             "##...##.##",
             "#######.##",
             "######+.##",
         }},
        {U'х',
         {
             "##....##",
             "+##..##+",
             ".##..##.",
             ".+####+.",
             "..####..",
             ".+####+.",
             ".##..##.",
             "+##..##+",
             "##....##",
         }},
        {U'о',
         {
             "+#####+",
             "#######",
             "##...##",
             "##...##",
             "##...##",
             "##...##",
             "##...##",
             "#######",
             "+#####+",
         }},
        {U'д',
         {
             ".######+",
             ".#######",
             "......##",
             "+#######",
             "########",
             "##....##",
             "##....##",
             "##....##",
             "##....##",
             "##....##",
             "########",
             "+######+",
         }},
    };
}

} // namespace

TPixelFont::TPixelFont(int Spacing, std::vector<TGlyph> Glyphs) : FSpacing(Spacing)
{
    for (TGlyph &Glyph : Glyphs)
    {
        if (Glyph.Rows.empty())
            throw std::invalid_argument("a glyph without rows");
        for (std::string_view Row : Glyph.Rows)
            if (Row.size() != Glyph.Rows.front().size())
                throw std::invalid_argument("a glyph with rows of different widths");
        const char32_t Letter = Glyph.Letter;
        FGlyphs.emplace(Letter, std::move(Glyph));
    }
}

const TGlyph &TPixelFont::Find(char32_t Letter) const
{
    const auto Found = FGlyphs.find(Letter);
    if (Found == FGlyphs.end())
        throw std::invalid_argument("the font has no letter U+" +
                                    std::to_string(static_cast<unsigned>(Letter)));
    return Found->second;
}

int TPixelFont::Width(std::u32string_view Text) const
{
    int Result = 0;
    for (char32_t Letter : Text)
        Result += static_cast<int>(Find(Letter).Rows.front().size()) + FSpacing;
    return Text.empty() ? 0 : Result - FSpacing;
}

int TPixelFont::Draw(TCanvas &Canvas, int X, int Baseline, std::u32string_view Text, TRgb Ink) const
{
    for (char32_t Letter : Text)
    {
        const TGlyph &Glyph = Find(Letter);
        const int Top = Baseline - static_cast<int>(Glyph.Rows.size()) + 1;
        for (std::size_t Row = 0; Row < Glyph.Rows.size(); ++Row)
            for (std::size_t Column = 0; Column < Glyph.Rows[Row].size(); ++Column)
            {
                const double Cover = Coverage(Glyph.Rows[Row][Column]);
                if (Cover == 0.0)
                    continue;
                const int Px = X + static_cast<int>(Column);
                const int Py = Top + static_cast<int>(Row);
                Canvas.SetPixel(Px, Py, Blend(Canvas.Pixel(Px, Py), Ink, Cover));
            }
        X += static_cast<int>(Glyph.Rows.front().size()) + FSpacing;
    }
    return X - FSpacing;
}

const TPixelFont &LabelFont()
{
    static const TPixelFont Font(1, LabelGlyphs());
    return Font;
}

const TPixelFont &SideFont()
{
    static const TPixelFont Font(1, SideGlyphs());
    return Font;
}

const TPixelFont &CalculateFont()
{
    static const TPixelFont Font(2, CalculateGlyphs());
    return Font;
}

const TPixelFont &ExitFont()
{
    static const TPixelFont Font(2, ExitGlyphs());
    return Font;
}

} // namespace Pictures
