#include "image_files.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace Pictures
{

const std::array<TRgb, 16> StandardPalette16 = {{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

namespace
{

void Put16(TBytes &Out, unsigned Value)
{
    Out.push_back(static_cast<std::uint8_t>(Value & 0xFFu));
    Out.push_back(static_cast<std::uint8_t>((Value >> 8) & 0xFFu));
}

void Put32(TBytes &Out, std::uint32_t Value)
{
    Put16(Out, Value & 0xFFFFu);
    Put16(Out, Value >> 16);
}

void Put32BigEndian(TBytes &Out, std::uint32_t Value)
{
    for (int Shift = 24; Shift >= 0; Shift -= 8)
        Out.push_back(static_cast<std::uint8_t>((Value >> Shift) & 0xFFu));
}

// Palette entries of BMP and ICO files are blue, green, red and a reserved zero.
void PutPaletteEntry(TBytes &Out, TRgb Colour)
{
    Out.insert(Out.end(), {Colour.B, Colour.G, Colour.R, 0});
}

std::uint8_t StandardIndex(TRgb Colour)
{
    const auto Found = std::find(StandardPalette16.begin(), StandardPalette16.end(), Colour);
    if (Found == StandardPalette16.end())
        throw std::invalid_argument("colour (" + std::to_string(Colour.R) + ", " +
                                    std::to_string(Colour.G) + ", " + std::to_string(Colour.B) +
                                    ") is not in the standard 16-colour palette");
    return static_cast<std::uint8_t>(Found - StandardPalette16.begin());
}

// Rows of 4-bit indices, top to bottom, each padded with zero bits to a multiple of Alignment
// bytes.
std::vector<TBytes> Rows4(const TCanvas &Picture, std::size_t Alignment)
{
    const std::size_t Packed = static_cast<std::size_t>(Picture.Width() + 1) / 2;
    const std::size_t Stride = (Packed + Alignment - 1) / Alignment * Alignment;
    std::vector<TBytes> Rows;
    for (int Y = 0; Y < Picture.Height(); ++Y)
    {
        TBytes Row(Stride, 0);
        for (int X = 0; X < Picture.Width(); ++X)
        {
            const unsigned Index = StandardIndex(Picture.Pixel(X, Y));
            Row[static_cast<std::size_t>(X / 2)] |=
                static_cast<std::uint8_t>(X % 2 == 0 ? Index << 4 : Index);
        }
        Rows.push_back(std::move(Row));
    }
    return Rows;
}

constexpr std::uint32_t PixelsPerMetre96Dpi = 3780;

void PutInfoHeader(TBytes &Out, int Width, int Height, unsigned BitCount, std::uint32_t ImageSize,
                   std::uint32_t ColoursUsed)
{
    Put32(Out, 40); // size of this header: the classic BITMAPINFOHEADER
    Put32(Out, static_cast<std::uint32_t>(Width));
    Put32(Out, static_cast<std::uint32_t>(Height));
    Put16(Out, 1); // planes
    Put16(Out, BitCount);
    Put32(Out, 0); // no compression
    Put32(Out, ImageSize);
    Put32(Out, PixelsPerMetre96Dpi);
    Put32(Out, PixelsPerMetre96Dpi);
    Put32(Out, ColoursUsed);
    Put32(Out, 0); // all colours important
}

std::uint32_t Crc32(const std::uint8_t *Data, std::size_t Size)
{
    std::uint32_t Crc = 0xFFFFFFFFu;
    for (std::size_t I = 0; I < Size; ++I)
    {
        Crc ^= Data[I];
        for (int Bit = 0; Bit < 8; ++Bit)
            Crc = (Crc >> 1) ^ (0xEDB88320u & (0u - (Crc & 1u)));
    }
    return Crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const TBytes &Data)
{
    std::uint32_t A = 1;
    std::uint32_t B = 0;
    for (std::uint8_t Byte : Data)
    {
        A = (A + Byte) % 65521u;
        B = (B + A) % 65521u;
    }
    return (B << 16) | A;
}

void PutChunk(TBytes &Out, const char (&Type)[5], const TBytes &Data)
{
    Put32BigEndian(Out, static_cast<std::uint32_t>(Data.size()));
    const std::size_t Start = Out.size();
    Out.insert(Out.end(), Type, Type + 4);
    Out.insert(Out.end(), Data.begin(), Data.end());
    Put32BigEndian(Out, Crc32(Out.data() + Start, Out.size() - Start));
}

// A zlib stream made of stored (uncompressed) deflate blocks.
TBytes StoredZlib(const TBytes &Data)
{
    TBytes Out = {0x78, 0x01};
    constexpr std::size_t MaxBlock = 65535;
    std::size_t Offset = 0;
    do
    {
        const std::size_t Size = std::min(MaxBlock, Data.size() - Offset);
        const bool Last = Offset + Size == Data.size();
        Out.push_back(Last ? 1 : 0);
        Put16(Out, static_cast<unsigned>(Size));
        Put16(Out, static_cast<unsigned>(~Size & 0xFFFFu));
        Out.insert(Out.end(), Data.begin() + static_cast<std::ptrdiff_t>(Offset),
                   Data.begin() + static_cast<std::ptrdiff_t>(Offset + Size));
        Offset += Size;
    } while (Offset < Data.size());
    Put32BigEndian(Out, Adler32(Data));
    return Out;
}

} // namespace

TBytes EncodeBmp8(const TCanvas &Picture)
{
    std::vector<TRgb> Palette;
    std::vector<std::uint8_t> Indices;
    for (int Y = 0; Y < Picture.Height(); ++Y)
        for (int X = 0; X < Picture.Width(); ++X)
        {
            const TRgb Colour = Picture.Pixel(X, Y);
            auto Found = std::find(Palette.begin(), Palette.end(), Colour);
            if (Found == Palette.end())
            {
                if (Palette.size() == 256)
                    throw std::invalid_argument("more than 256 colours in an 8-bit picture");
                Palette.push_back(Colour);
                Found = Palette.end() - 1;
            }
            Indices.push_back(static_cast<std::uint8_t>(Found - Palette.begin()));
        }
    Palette.resize(256, Black);

    const std::size_t Width = static_cast<std::size_t>(Picture.Width());
    const std::size_t Stride = (Width + 3) / 4 * 4;
    const auto ImageSize =
        static_cast<std::uint32_t>(Stride * static_cast<std::size_t>(Picture.Height()));
    constexpr std::uint32_t PixelOffset = 14 + 40 + 256 * 4;

    TBytes Out = {'B', 'M'};
    Put32(Out, PixelOffset + ImageSize);
    Put32(Out, 0); // reserved
    Put32(Out, PixelOffset);
    PutInfoHeader(Out, Picture.Width(), Picture.Height(), 8, ImageSize, 256);
    for (TRgb Colour : Palette)
        PutPaletteEntry(Out, Colour);
    for (int Y = Picture.Height() - 1; Y >= 0; --Y) // bottom row first
    {
        const auto Row =
            Indices.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(Y) * Width);
        Out.insert(Out.end(), Row, Row + static_cast<std::ptrdiff_t>(Width));
        Out.insert(Out.end(), Stride - Width, 0);
    }
    return Out;
}

TBytes EncodeIco4(const TCanvas &Picture)
{
    if (Picture.Width() > 256 || Picture.Height() > 256)
        throw std::invalid_argument("an icon image is at most 256 pixels on a side");
    const std::vector<TBytes> Colour = Rows4(Picture, 4);
    const std::size_t MaskStride = (static_cast<std::size_t>(Picture.Width()) + 31) / 32 * 4;
    const std::size_t ImageSize =
        (Colour.front().size() + MaskStride) * static_cast<std::size_t>(Picture.Height());
    const auto ResourceSize = static_cast<std::uint32_t>(40 + 16 * 4 + ImageSize);

    TBytes Out;
    Put16(Out, 0); // reserved
    Put16(Out, 1); // an icon, not a cursor
    Put16(Out, 1); // one image
    // Directory entry; a side of 256 is written as 0.
    Out.push_back(static_cast<std::uint8_t>(Picture.Width() & 0xFF));
    Out.push_back(static_cast<std::uint8_t>(Picture.Height() & 0xFF));
    Out.push_back(16); // colours in the palette
    Out.push_back(0);  // reserved
    Put16(Out, 1);     // planes
    Put16(Out, 4);     // bits per pixel
    Put32(Out, ResourceSize);
    Put32(Out, 6 + 16); // the image follows the directory

    // The image's header counts the colour rows and the mask rows together: twice the height.
    PutInfoHeader(Out, Picture.Width(), 2 * Picture.Height(), 4,
                  static_cast<std::uint32_t>(ImageSize), 16);
    for (TRgb Entry : StandardPalette16)
        PutPaletteEntry(Out, Entry);
    for (auto Row = Colour.rbegin(); Row != Colour.rend(); ++Row)
        Out.insert(Out.end(), Row->begin(), Row->end());
    Out.insert(Out.end(), MaskStride * static_cast<std::size_t>(Picture.Height()), 0);
    return Out;
}

TBytes EncodePng4(const TCanvas &Picture)
{
    TBytes Out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

    TBytes Header;
    Put32BigEndian(Header, static_cast<std::uint32_t>(Picture.Width()));
    Put32BigEndian(Header, static_cast<std::uint32_t>(Picture.Height()));
    Header.insert(Header.end(),
                  {4, 3, 0, 0, 0}); // 4 bits, palette, deflate, filter 0, no interlace
    PutChunk(Out, "IHDR", Header);

    TBytes Palette;
    for (TRgb Entry : StandardPalette16)
        Palette.insert(Palette.end(), {Entry.R, Entry.G, Entry.B});
    PutChunk(Out, "PLTE", Palette);

    TBytes Scanlines;
    for (const TBytes &Row : Rows4(Picture, 1))
    {
        Scanlines.push_back(0); // no filter
        Scanlines.insert(Scanlines.end(), Row.begin(), Row.end());
    }
    PutChunk(Out, "IDAT", StoredZlib(Scanlines));
    PutChunk(Out, "IEND", {});
    return Out;
}

} // namespace Pictures
