// Kelvask.exe as a file: a 64-bit x86-64 console program that imports only
// system libraries and carries one resource, the 64x64 32-bit icon group
// MAINICON.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

class PortableExecutable {
public:
    explicit PortableExecutable(const std::string& Path) {
        std::ifstream File(Path, std::ios::binary);
        Bytes.assign(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
    }

    template <typename Number>
    Number At(std::size_t Offset) const {
        Number Value{};
        if (Offset + sizeof Value <= Bytes.size()) {
            std::memcpy(&Value, Bytes.data() + Offset, sizeof Value);
        }
        return Value;
    }

    std::size_t Header() const { return At<std::uint32_t>(0x3C); }
    std::size_t Optional() const { return Header() + 24; }

    // File offset of a relative virtual address, through the section table.
    std::size_t FileOffset(std::uint32_t Address) const {
        const std::size_t Sections = Optional() + At<std::uint16_t>(Header() + 20);
        for (std::size_t I = 0; I < At<std::uint16_t>(Header() + 6); ++I) {
            const std::size_t Section = Sections + I * 40;
            const auto Start = At<std::uint32_t>(Section + 12);
            const auto Size = std::max(At<std::uint32_t>(Section + 8), At<std::uint32_t>(Section + 16));
            if (Address >= Start && Address < Start + Size) {
                return Address - Start + At<std::uint32_t>(Section + 20);
            }
        }
        return Bytes.size();
    }

    std::uint32_t DirectoryAddress(int Index) const {
        return At<std::uint32_t>(Optional() + 112 + static_cast<std::size_t>(Index) * 8);
    }

    std::string Text(std::size_t Offset) const {
        std::string Found;
        while (Offset < Bytes.size() && Bytes[Offset] != '\0') {
            Found.push_back(Bytes[Offset++]);
        }
        return Found;
    }

    std::vector<char> Bytes;
};

struct ResourceEntry {
    std::uint32_t Id;  // when not named
    std::u16string Name;
    std::size_t Target;  // offset in the resource section
    bool IsDirectory;
};

std::vector<ResourceEntry> ResourceDirectory(const PortableExecutable& Pe, std::size_t Root,
                                             std::size_t Directory) {
    std::vector<ResourceEntry> Entries;
    const std::size_t Count =
        std::size_t{Pe.At<std::uint16_t>(Directory + 12)} + Pe.At<std::uint16_t>(Directory + 14);
    for (std::size_t I = 0; I < Count; ++I) {
        const std::size_t Entry = Directory + 16 + I * 8;
        const auto NameField = Pe.At<std::uint32_t>(Entry);
        const auto TargetField = Pe.At<std::uint32_t>(Entry + 4);
        ResourceEntry Found{NameField, {}, Root + (TargetField & 0x7FFFFFFFu), (TargetField >> 31) != 0};
        if ((NameField >> 31) != 0) {
            const std::size_t Name = Root + (NameField & 0x7FFFFFFFu);
            for (std::size_t C = 0; C < Pe.At<std::uint16_t>(Name); ++C) {
                Found.Name.push_back(static_cast<char16_t>(Pe.At<std::uint16_t>(Name + 2 + C * 2)));
            }
        }
        Entries.push_back(Found);
    }
    return Entries;
}

// The data of the first language of a resource name entry.
std::size_t ResourceData(const PortableExecutable& Pe, std::size_t Root, const ResourceEntry& Name) {
    const auto Languages = ResourceDirectory(Pe, Root, Name.Target);
    return Languages.empty() ? Pe.Bytes.size() : Pe.FileOffset(Pe.At<std::uint32_t>(Languages[0].Target));
}

class KelvaskExe : public ::testing::Test {
protected:
    PortableExecutable Pe{std::string(KELVASK_WINDOWS_BUILD_DIR) + "/Kelvask.exe"};
};

TEST_F(KelvaskExe, IsA64BitConsoleProgram) {
    ASSERT_GT(Pe.Bytes.size(), 1024u) << "build the windows preset first";
    EXPECT_EQ(Pe.At<std::uint32_t>(Pe.Header()), 0x00004550u);  // "PE\0\0"
    EXPECT_EQ(Pe.At<std::uint16_t>(Pe.Header() + 4), 0x8664u);  // x86-64
    EXPECT_EQ(Pe.At<std::uint16_t>(Pe.Optional()), 0x020Bu);    // PE32+
    EXPECT_EQ(Pe.At<std::uint16_t>(Pe.Optional() + 68), 3u);    // console subsystem
}

TEST_F(KelvaskExe, ImportsOnlySystemLibraries) {
    std::set<std::string> Imported;
    for (std::size_t Descriptor = Pe.FileOffset(Pe.DirectoryAddress(1));
         Descriptor + 20 <= Pe.Bytes.size() && Pe.At<std::uint32_t>(Descriptor + 12) != 0; Descriptor += 20) {
        Imported.insert(Pe.Text(Pe.FileOffset(Pe.At<std::uint32_t>(Descriptor + 12))));
    }
    EXPECT_EQ(Imported, (std::set<std::string>{"KERNEL32.dll", "msvcrt.dll"}));
}

TEST_F(KelvaskExe, CarriesOnlyTheIconGroupMainicon) {
    const std::size_t Root = Pe.FileOffset(Pe.DirectoryAddress(2));
    const auto Types = ResourceDirectory(Pe, Root, Root);
    std::set<std::uint32_t> TypeIds;
    for (const ResourceEntry& Type : Types) {
        TypeIds.insert(Type.Id);
    }
    constexpr std::uint32_t Icon = 3;
    constexpr std::uint32_t IconGroup = 14;
    ASSERT_EQ(TypeIds, (std::set<std::uint32_t>{Icon, IconGroup}));

    for (const ResourceEntry& Type : Types) {
        const auto Names = ResourceDirectory(Pe, Root, Type.Target);
        ASSERT_EQ(Names.size(), 1u) << "resource type " << Type.Id;
        if (Type.Id == IconGroup) {
            EXPECT_EQ(Names[0].Name, u"MAINICON");
            const std::size_t Group = ResourceData(Pe, Root, Names[0]);
            EXPECT_EQ(Pe.At<std::uint16_t>(Group + 2), 1u);    // icon
            ASSERT_EQ(Pe.At<std::uint16_t>(Group + 4), 1u);    // one image
            EXPECT_EQ(Pe.At<std::uint8_t>(Group + 6), 64u);    // width
            EXPECT_EQ(Pe.At<std::uint8_t>(Group + 7), 64u);    // height
            EXPECT_EQ(Pe.At<std::uint16_t>(Group + 12), 32u);  // bits per pixel
        } else {
            const std::size_t Image = ResourceData(Pe, Root, Names[0]);
            EXPECT_EQ(Pe.At<std::uint32_t>(Image), 40u);       // BITMAPINFOHEADER
            EXPECT_EQ(Pe.At<std::int32_t>(Image + 4), 64);     // width
            EXPECT_EQ(Pe.At<std::int32_t>(Image + 8), 128);    // height, image and mask
            EXPECT_EQ(Pe.At<std::uint16_t>(Image + 14), 32u);  // bits per pixel
        }
    }
}

}  // namespace
