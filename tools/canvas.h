#pragma once

// A picture held as one colour per pixel, and the few ways of drawing on it that the window's
// pictures need. Coordinates are pixels, x to the right and y downwards from the top-left pixel;
// every range is inclusive at both ends, the way the pictures are described.

#include <cstdint>
#include <optional>
#include <vector>

namespace Pictures
{

struct TRgb
{
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;

    friend bool operator==(const TRgb &, const TRgb &) = default;
};

inline constexpr TRgb Black{0, 0, 0};
inline constexpr TRgb White{255, 255, 255};
inline constexpr TRgb PureRed{255, 0, 0};
inline constexpr TRgb DarkRed{128, 0, 0};
inline constexpr TRgb PureBlue{0, 0, 255};
inline constexpr TRgb Lime{0, 255, 0};
inline constexpr TRgb Cyan{0, 255, 255};
inline constexpr TRgb PanelGreen{204, 255, 204};

// Ink laid over a ground with the given coverage (0 to 1), rounded to the nearest level.
TRgb Blend(TRgb Ground, TRgb Ink, double Coverage);

struct TPoint
{
    double X = 0;
    double Y = 0;
};

class TCanvas
{
public:
    TCanvas(int Width, int Height, TRgb Ground);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    TRgb Pixel(int X, int Y) const;
    // A pixel outside the picture is a mistake in the drawing, not something to clip: it throws.
    void SetPixel(int X, int Y, TRgb Colour);

    // One-pixel line through both end points (Bresenham).
    void Line(int X0, int Y0, int X1, int Y1, TRgb Colour);
    void HLine(int X0, int X1, int Y, TRgb Colour) { Line(X0, Y, X1, Y, Colour); }
    void VLine(int X, int Y0, int Y1, TRgb Colour) { Line(X, Y0, X, Y1, Colour); }

    void Rectangle(int Left, int Top, int Right, int Bottom, TRgb Colour);
    void FillRectangle(int Left, int Top, int Right, int Bottom, TRgb Colour);

    // The ellipse that just fits the box: a one-pixel outline, thin everywhere (8-connected),
    // touching all four sides of the box, and optionally a fill inside it.
    void Ellipse(int Left, int Top, int Right, int Bottom, TRgb Outline,
                 std::optional<TRgb> Fill = std::nullopt);

    // Every pixel whose centre lies inside the triangle (corners at pixel centres' coordinates).
    void FillTriangle(TPoint A, TPoint B, TPoint C, TRgb Colour);

    // A filled junction dot five pixels across, centred on the pixel.
    void JunctionDot(int X, int Y, TRgb Colour);

    // Each pixel becomes a Factor x Factor square.
    TCanvas Scaled(int Factor) const;

private:
    int FWidth;
    int FHeight;
    std::vector<TRgb> FPixels;
};

} // namespace Pictures
