#pragma once

// The bytes of the picture files, written out by hand so that the drawing program needs nothing
// but the standard library and every header field is visible here.

#include "canvas.h"

#include <array>
#include <cstdint>
#include <vector>

namespace Pictures
{

using TBytes = std::vector<std::uint8_t>;

// The standard 16-colour palette in its usual order (black, the eight dark colours, light grey,
// grey, the six bright colours, white).
extern const std::array<TRgb, 16> StandardPalette16;

// Uncompressed bottom-up BMP with a 256-entry palette and one byte per pixel. The palette holds
// the picture's colours in the order they first appear from the top-left pixel, then black.
TBytes EncodeBmp8(const TCanvas &Picture);

// An icon file with one image of 4 bits per pixel in the standard 16-colour palette and an
// all-zero AND mask, so that no pixel is transparent. Every colour must be one of the 16.
TBytes EncodeIco4(const TCanvas &Picture);

// A PNG with the standard 16-colour palette at 4 bits per pixel, stored without compression
// (the icons are small; this keeps the encoder short). Every colour must be one of the 16.
TBytes EncodePng4(const TCanvas &Picture);

} // namespace Pictures
