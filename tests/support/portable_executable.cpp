#include "support/portable_executable.h"

#include <cstdint>
#include <vector>

using namespace std::string_literals;

namespace test_support {
namespace {

// Little-endian writing into a growing byte buffer.
class Bytes {
  public:
    void U16(std::uint16_t v) {
        data_.push_back(char(v & 0xFF));
        data_.push_back(char(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Raw(std::string_view bytes) { data_.append(bytes); }
    void Zeros(std::size_t count) { data_.append(count, '\0'); }
    void AlignTo(std::size_t boundary) { Zeros((boundary - data_.size() % boundary) % boundary); }
    void PutU16At(std::size_t at, std::uint16_t v) {
        data_[at] = char(v & 0xFF);
        data_[at + 1] = char(v >> 8);
    }
    void PutU32At(std::size_t at, std::uint32_t v) {
        PutU16At(at, v & 0xFFFF);
        PutU16At(at + 2, v >> 16);
    }
    std::size_t Size() const { return data_.size(); }
    const std::string& Data() const { return data_; }

  private:
    std::string data_;
};

// UTF-16LE of Latin-1 text, with its terminating NUL.
std::string Utf16Z(std::string_view latin1) {
    std::string out;
    for (char c : latin1) {
        out += c;
        out += '\0';
    }
    return out + "\0\0"s;
}

// One node of a version resource: wLength, wValueLength, wType, the key, padding, the value,
// padding, then the children, each starting on a 32-bit boundary.
struct VersionNode {
    std::string key;
    std::string value;  // raw bytes
    bool isText = false;
    std::vector<VersionNode> children;
};

VersionNode Text(std::string key, std::string_view latin1) {
    return {std::move(key), Utf16Z(latin1), true, {}};
}

std::string Serialize(const VersionNode& node) {
    Bytes out;
    out.Zeros(2);  // wLength, patched below
    out.U16(static_cast<std::uint16_t>(node.isText ? node.value.size() / 2 : node.value.size()));
    out.U16(node.isText ? 1 : 0);
    out.Raw(Utf16Z(node.key));
    out.AlignTo(4);
    out.Raw(node.value);
    for (const auto& child : node.children) {
        out.AlignTo(4);
        out.Raw(Serialize(child));
    }
    out.PutU16At(0, static_cast<std::uint16_t>(out.Size()));
    return out.Data();
}

}  // namespace

std::string VersionResource(std::string_view company) {
    Bytes fixed;  // VS_FIXEDFILEINFO
    fixed.U32(0xFEEF04BD);
    fixed.U32(0x00010000);
    fixed.Zeros(44);
    VersionNode strings{"StringFileInfo", "", true, {}};
    strings.children.push_back({"040904B0",
                                "",
                                true,
                                {Text("CompanyName", company), Text("FileDescription", "Widget"),
                                 Text("FileVersion", "1.0"), Text("ProductName", "Widget")}});
    VersionNode vars{"VarFileInfo", "", true, {{"Translation", "\x09\x04\xB0\x04"s, false, {}}}};
    return Serialize({"VS_VERSION_INFO", fixed.Data(), false, {strings, vars}});
}

std::string PortableExecutable(const std::string& versionResource) {
    constexpr std::uint32_t kSectionRva = 0x1000, kFileAlignment = 0x200;
    Bytes image;
    image.Raw("MZ");
    image.Zeros(0x3C - 2);
    image.U32(0x40);  // e_lfanew
    image.Raw("PE\0\0"s);
    image.U16(0x14C);  // i386
    image.U16(1);      // one section
    image.Zeros(12);
    image.U16(224);  // size of the optional header
    image.U16(0x0102);
    const std::size_t optionalHeader = image.Size();
    image.U16(0x10B);
    image.Zeros(222);
    image.PutU32At(optionalHeader + 32, 0x1000);          // section alignment
    image.PutU32At(optionalHeader + 36, kFileAlignment);  // file alignment
    image.PutU16At(optionalHeader + 68, 2);               // a windowed program
    image.PutU32At(optionalHeader + 92, 16);              // number of data directories
    const std::size_t resourceDirectoryEntry = optionalHeader + 96 + 2 * 8;
    const std::size_t sectionHeader = image.Size();
    image.Raw(".rsrc\0\0\0"s);
    image.Zeros(32);
    image.AlignTo(kFileAlignment);
    const std::size_t sectionStart = image.Size();

    Bytes rsrc;  // three directory levels, one entry each, then the data entry and the data
    for (std::uint32_t id : {16u, 1u, 0x409u}) {
        rsrc.Zeros(12);
        rsrc.U16(0);
        rsrc.U16(1);
        rsrc.U32(id);
        const bool last = id == 0x409u;
        rsrc.U32(last ? rsrc.Size() + 4 : (rsrc.Size() + 4) | 0x80000000u);
    }
    const std::uint32_t dataRva = kSectionRva + rsrc.Size() + 16;
    rsrc.U32(dataRva);
    rsrc.U32(static_cast<std::uint32_t>(versionResource.size()));
    rsrc.Zeros(8);
    rsrc.Raw(versionResource);
    image.Raw(rsrc.Data());
    image.AlignTo(kFileAlignment);

    const auto rawSize = static_cast<std::uint32_t>(image.Size() - sectionStart);
    image.PutU32At(sectionHeader + 8, rawSize);
    image.PutU32At(sectionHeader + 12, kSectionRva);
    image.PutU32At(sectionHeader + 16, rawSize);
    image.PutU32At(sectionHeader + 20, static_cast<std::uint32_t>(sectionStart));
    image.PutU32At(sectionHeader + 36, 0x40000040);  // initialised data, readable
    image.PutU32At(resourceDirectoryEntry, kSectionRva);
    image.PutU32At(resourceDirectoryEntry + 4, static_cast<std::uint32_t>(rsrc.Size()));
    image.PutU32At(optionalHeader + 56, kSectionRva + 0x1000);  // size of image
    return image.Data();
}

}  // namespace test_support
