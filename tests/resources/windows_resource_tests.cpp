// The Windows resources as a resource compiler builds them (a .res file from MinGW's windres):
// the icon group MAINICON holds the program icon unchanged, and the version record carries its
// fixed values, its Russian string table and its translation, all marked Russian.

#include "bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

constexpr unsigned Russian = 0x0419;
constexpr unsigned RtIcon = 3;
constexpr unsigned RtVersion = 16;
constexpr unsigned RtGroupIcon = 14;

std::size_t Align4(std::size_t At)
{
    return (At + 3) & ~std::size_t{3};
}

// A zero-terminated UTF-16 text, returned as ASCII (every text here is ASCII); At moves past it.
std::string ReadText(const TBytes &B, std::size_t &At)
{
    std::string Text;
    for (std::uint32_t C = U16(B, At); C != 0; C = U16(B, At))
    {
        if (C > 0x7F)
            throw std::runtime_error("unexpected non-ASCII text");
        Text += static_cast<char>(C);
        At += 2;
    }
    At += 2;
    return Text;
}

struct TResource
{
    unsigned TypeId = 0;
    std::string Name;    // a named resource
    unsigned NameId = 0; // a numbered one
    unsigned Language = 0;
    TBytes Data;
};

// A resource name or type: a number after 0xFFFF, or a text.
void ReadId(const TBytes &B, std::size_t &At, unsigned &Id, std::string &Text)
{
    if (U16(B, At) == 0xFFFF)
    {
        Id = U16(B, At + 2);
        At += 4;
    }
    else
        Text = ReadText(B, At);
}

std::vector<TResource> ReadResFile(const std::string &Path)
{
    const TBytes B = ReadFile(Path);
    std::vector<TResource> Resources;
    std::size_t At = 0;
    while (At < B.size())
    {
        const std::uint32_t DataSize = U32(B, At);
        const std::uint32_t HeaderSize = U32(B, At + 4);
        TResource R;
        std::size_t P = At + 8;
        std::string TypeName;
        ReadId(B, P, R.TypeId, TypeName);
        ReadId(B, P, R.NameId, R.Name);
        P = Align4(P);
        R.Language = U16(B, P + 6);
        const std::size_t Data = At + HeaderSize;
        if (Data + DataSize > B.size())
            throw std::runtime_error("resource data runs past the end of the file");
        R.Data.assign(B.begin() + static_cast<std::ptrdiff_t>(Data),
                      B.begin() + static_cast<std::ptrdiff_t>(Data + DataSize));
        if (R.TypeId != 0 || !TypeName.empty()) // the file opens with an empty entry
            Resources.push_back(std::move(R));
        At = Align4(Data + DataSize);
    }
    return Resources;
}

const std::vector<TResource> &Resources()
{
    static const std::vector<TResource> All = ReadResFile(ORMIZA_RES_FILE);
    return All;
}

const TResource *Find(unsigned TypeId, const std::string &Name, unsigned NameId)
{
    for (const TResource &R : Resources())
        if (R.TypeId == TypeId && R.Name == Name && R.NameId == NameId)
            return &R;
    return nullptr;
}

TEST(WindowsResources, MainIconIsTheProgramIconMarkedRussian)
{
    const TResource *Group = Find(RtGroupIcon, "MAINICON", 0);
    ASSERT_NE(Group, nullptr) << "no icon group MAINICON";
    EXPECT_EQ(Group->Language, Russian);
    const TBytes &G = Group->Data;
    ASSERT_EQ(U16(G, 4), 1u) << "one image in the group";
    EXPECT_EQ(G.at(6), 32);    // width
    EXPECT_EQ(G.at(7), 32);    // height
    EXPECT_EQ(G.at(8), 16);    // colours
    EXPECT_EQ(U16(G, 12), 4u); // bits per pixel
    const unsigned ImageId = U16(G, 18);

    const TResource *Image = Find(RtIcon, "", ImageId);
    ASSERT_NE(Image, nullptr);
    EXPECT_EQ(Image->Language, Russian);
    const TBytes Ico = ReadFile(std::string(ORMIZA_SOURCE_DIR) + "/ui/resources/ormiza.ico");
    const std::size_t Offset = U32(Ico, 18);
    const TBytes Expected(Ico.begin() + static_cast<std::ptrdiff_t>(Offset),
                          Ico.begin() + static_cast<std::ptrdiff_t>(Offset + U32(Ico, 14)));
    EXPECT_EQ(Image->Data, Expected) << "the image is not ui/resources/ormiza.ico's";
}

// One node of the version record's tree: a key, a value, and children.
struct TVersionNode
{
    std::string Key;
    bool IsText = false;
    TBytes Value;
    std::vector<TVersionNode> Children;

    const TVersionNode &Child(const std::string &Name) const
    {
        for (const TVersionNode &C : Children)
            if (C.Key == Name)
                return C;
        throw std::runtime_error("no block " + Name + " under " + Key);
    }

    std::string Text() const
    {
        std::size_t At = 0;
        return ReadText(Value, At);
    }
};

TVersionNode ReadVersionNode(const TBytes &B, std::size_t At)
{
    const std::size_t End = At + U16(B, At);
    const std::uint32_t ValueLength = U16(B, At + 2);
    TVersionNode Node;
    Node.IsText = U16(B, At + 4) == 1;
    std::size_t P = At + 6;
    Node.Key = ReadText(B, P);
    P = Align4(P);
    const std::size_t ValueBytes = Node.IsText ? 2 * ValueLength : ValueLength; // text: in WCHARs
    Node.Value.assign(B.begin() + static_cast<std::ptrdiff_t>(P),
                      B.begin() + static_cast<std::ptrdiff_t>(P + ValueBytes));
    P = Align4(P + ValueBytes);
    while (P < End)
    {
        Node.Children.push_back(ReadVersionNode(B, P));
        P = Align4(P + U16(B, P));
    }
    return Node;
}

TEST(WindowsResources, VersionRecord)
{
    const TResource *Version = Find(RtVersion, "", 1);
    ASSERT_NE(Version, nullptr) << "no version record";
    EXPECT_EQ(Version->Language, Russian);
    const TVersionNode Root = ReadVersionNode(Version->Data, 0);
    EXPECT_EQ(Root.Key, "VS_VERSION_INFO");

    const TBytes &Fixed = Root.Value;
    ASSERT_EQ(Fixed.size(), 52u);
    EXPECT_EQ(U32(Fixed, 0), 0xFEEF04BDu);
    struct
    {
        const char *Field;
        std::size_t Offset;
        std::uint32_t Value;
    } const FixedCases[] = {
        {"file version, major.minor", 8, 0x00010001},
        {"file version, release.build", 12, 0x00010001},
        {"product version, major.minor", 16, 0x00010001},
        {"product version, release.build", 20, 0x00010001},
        {"flags mask: debug", 24, 0x1},
        {"flags: debug only", 28, 0x1},
        {"operating system: 32-bit Windows", 32, 0x4},
        {"file type: application", 36, 0x1},
        {"file subtype", 40, 0x0},
    };
    for (const auto &Case : FixedCases)
        EXPECT_EQ(U32(Fixed, Case.Offset), Case.Value) << Case.Field;

    const TVersionNode &Table = Root.Child("StringFileInfo").Child("041904E3");
    std::map<std::string, std::string> Strings;
    for (const TVersionNode &Entry : Table.Children)
    {
        EXPECT_TRUE(Entry.IsText) << Entry.Key;
        Strings[Entry.Key] = Entry.Text();
    }
    const std::map<std::string, std::string> Expected = {
        {"FileDescription", "Ormiza"}, {"FileVersion", "1.1.1.1"},     {"InternalName", "Ormiza"},
        {"LegalTrademarks", "Ormiza"}, {"OriginalFilename", "Ormiza"}, {"ProductName", "Ormiza"},
        {"ProductVersion", "1.0.0.0"},
    };
    EXPECT_EQ(Strings, Expected);

    const TVersionNode &Translation = Root.Child("VarFileInfo").Child("Translation");
    EXPECT_EQ(Translation.Value, (TBytes{0x19, 0x04, 0xE3, 0x04})) << "Russian, code page 1251";
}

} // namespace
