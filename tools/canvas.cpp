#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace Pictures
{

TRgb Blend(TRgb Ground, TRgb Ink, double Coverage)
{
    const auto Mix = [Coverage](std::uint8_t From, std::uint8_t To)
    { return static_cast<std::uint8_t>(std::lround(From + (To - From) * Coverage)); };
    return {Mix(Ground.R, Ink.R), Mix(Ground.G, Ink.G), Mix(Ground.B, Ink.B)};
}

TCanvas::TCanvas(int Width, int Height, TRgb Ground)
    : FWidth(Width), FHeight(Height), FPixels(static_cast<std::size_t>(Width * Height), Ground)
{
}

TRgb TCanvas::Pixel(int X, int Y) const
{
    if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight)
        throw std::out_of_range("pixel (" + std::to_string(X) + ", " + std::to_string(Y) +
                                ") is outside the picture");
    return FPixels[static_cast<std::size_t>(Y * FWidth + X)];
}

void TCanvas::SetPixel(int X, int Y, TRgb Colour)
{
    if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight)
        throw std::out_of_range("drawing at (" + std::to_string(X) + ", " + std::to_string(Y) +
                                "), outside the picture");
    FPixels[static_cast<std::size_t>(Y * FWidth + X)] = Colour;
}

void TCanvas::Line(int X0, int Y0, int X1, int Y1, TRgb Colour)
{
    const int Dx = std::abs(X1 - X0);
    const int Dy = -std::abs(Y1 - Y0);
    const int Sx = X0 < X1 ? 1 : -1;
    const int Sy = Y0 < Y1 ? 1 : -1;
    int Error = Dx + Dy;
    for (;;)
    {
        SetPixel(X0, Y0, Colour);
        if (X0 == X1 && Y0 == Y1)
            return;
        const int Twice = 2 * Error;
        if (Twice >= Dy)
        {
            Error += Dy;
            X0 += Sx;
        }
        if (Twice <= Dx)
        {
            Error += Dx;
            Y0 += Sy;
        }
    }
}

void TCanvas::Rectangle(int Left, int Top, int Right, int Bottom, TRgb Colour)
{
    HLine(Left, Right, Top, Colour);
    HLine(Left, Right, Bottom, Colour);
    VLine(Left, Top, Bottom, Colour);
    VLine(Right, Top, Bottom, Colour);
}

void TCanvas::FillRectangle(int Left, int Top, int Right, int Bottom, TRgb Colour)
{
    for (int Y = Top; Y <= Bottom; ++Y)
        for (int X = Left; X <= Right; ++X)
            SetPixel(X, Y, Colour);
}

void TCanvas::Ellipse(int Left, int Top, int Right, int Bottom, TRgb Outline,
                      std::optional<TRgb> Fill)
{
    // Radii reach half a pixel past the centres of the box's edge pixels, so that those pixels
    // are inside and their outer neighbours are not.
    const double Cx = (Left + Right) / 2.0;
    const double Cy = (Top + Bottom) / 2.0;
    const double Rx = (Right - Left) / 2.0 + 0.5;
    const double Ry = (Bottom - Top) / 2.0 + 0.5;
    const auto Inside = [&](int X, int Y)
    {
        const double U = (X - Cx) / Rx;
        const double V = (Y - Cy) / Ry;
        return U * U + V * V <= 1.0;
    };
    for (int Y = Top; Y <= Bottom; ++Y)
        for (int X = Left; X <= Right; ++X)
        {
            if (!Inside(X, Y))
                continue;
            // An inside pixel with an outside neighbour across an edge (not a corner) is on
            // the outline; that keeps the outline one pixel thin on the slopes.
            const bool Edge =
                !Inside(X - 1, Y) || !Inside(X + 1, Y) || !Inside(X, Y - 1) || !Inside(X, Y + 1);
            if (Edge)
                SetPixel(X, Y, Outline);
            else if (Fill)
                SetPixel(X, Y, *Fill);
        }
}

void TCanvas::FillTriangle(TPoint A, TPoint B, TPoint C, TRgb Colour)
{
    const auto Side = [](TPoint P, TPoint Q, double X, double Y)
    { return (Q.X - P.X) * (Y - P.Y) - (Q.Y - P.Y) * (X - P.X); };
    const int Left = static_cast<int>(std::floor(std::min({A.X, B.X, C.X})));
    const int Right = static_cast<int>(std::ceil(std::max({A.X, B.X, C.X})));
    const int Top = static_cast<int>(std::floor(std::min({A.Y, B.Y, C.Y})));
    const int Bottom = static_cast<int>(std::ceil(std::max({A.Y, B.Y, C.Y})));
    constexpr double Tolerance = 1e-9;
    for (int Y = Top; Y <= Bottom; ++Y)
        for (int X = Left; X <= Right; ++X)
        {
            const double S1 = Side(A, B, X, Y);
            const double S2 = Side(B, C, X, Y);
            const double S3 = Side(C, A, X, Y);
            const bool AllLeft = S1 >= -Tolerance && S2 >= -Tolerance && S3 >= -Tolerance;
            const bool AllRight = S1 <= Tolerance && S2 <= Tolerance && S3 <= Tolerance;
            if (AllLeft || AllRight)
                SetPixel(X, Y, Colour);
        }
}

void TCanvas::JunctionDot(int X, int Y, TRgb Colour)
{
    for (int Dy = -2; Dy <= 2; ++Dy)
        for (int Dx = -2; Dx <= 2; ++Dx)
            if (std::abs(Dx) + std::abs(Dy) < 4) // five across, corners cut: round at this size
                SetPixel(X + Dx, Y + Dy, Colour);
}

TCanvas TCanvas::Scaled(int Factor) const
{
    TCanvas Result(FWidth * Factor, FHeight * Factor, Black);
    for (int Y = 0; Y < Result.FHeight; ++Y)
        for (int X = 0; X < Result.FWidth; ++X)
            Result.SetPixel(X, Y, Pixel(X / Factor, Y / Factor));
    return Result;
}

} // namespace Pictures
