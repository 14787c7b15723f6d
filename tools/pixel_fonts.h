#pragma once

// The four small pixel fonts of the pictures' lettering. Each letter is drawn here as rows of
// characters, one per pixel, so that a reviewer sees the exact shape:
//   '#' full ink, '%' three quarters, '+' half, '-' a quarter, '.' nothing.
// Partial ink is mixed with whatever lies underneath, which is how the circuit's black letters
// get their green-shaded edges on the light-green panel and the Exit letters their dark-red ones
// on the red ellipse.

#include "canvas.h"

#include <map>
#include <string_view>
#include <vector>

namespace Pictures
{

struct TGlyph
{
    char32_t Letter;
    std::vector<std::string_view> Rows; // top to bottom; the last row stands on the baseline
};

class TPixelFont
{
public:
    // Spacing: blank columns between neighbouring letters.
    TPixelFont(int Spacing, std::vector<TGlyph> Glyphs);

    // Draws the text with its first column at X and the letters' bottom rows on Baseline;
    // returns the column just after the last letter.
    int Draw(TCanvas &Canvas, int X, int Baseline, std::u32string_view Text, TRgb Ink) const;
    int Width(std::u32string_view Text) const;

private:
    const TGlyph &Find(char32_t Letter) const;

    int FSpacing;
    std::map<char32_t, TGlyph> FGlyphs;
};

// Bold black letters of the circuit's labels: capitals 8 pixels high, the lowered small letters
// 5 or 6, edges softened.
const TPixelFont &LabelFont();
// Square one-pixel letters of the words at the circuit's input and output: capitals and the
// tall "д" 7 pixels high, other small letters 5.
const TPixelFont &SideFont();
// Square bold letters of the Calculate glyph: capital and "!" 11 pixels high, small letters 8.
const TPixelFont &CalculateFont();
// Square bold letters of the Exit glyph with half-shaded edges: capital and "д" 12 pixels
// high, other small letters 9.
const TPixelFont &ExitFont();

} // namespace Pictures
