// The pictures the windows name are files of the program's images folder.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "forms/buttons.h"
#include "forms/containers.h"
#include "forms/list_view.h"
#include "support/forms_fixture.h"
#include "support/windows_catalog.h"

namespace {

namespace fs = std::filesystem;

// The images folder of the source tree, which the build copies beside the program.
fs::path ImagesFolder() {
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "data" / "images";
}

struct PngSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

std::uint32_t BigEndian(const unsigned char* bytes) {
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
           (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

// The size from a PNG file's header; nothing when the file is no PNG.
std::optional<PngSize> ReadPngSize(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::array<unsigned char, 24> head{};
    if (!in.read(reinterpret_cast<char*>(head.data()), head.size())) {
        return std::nullopt;
    }
    const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!std::equal(std::begin(signature), std::end(signature), head.begin()) ||
        std::string(head.begin() + 12, head.begin() + 16) != "IHDR") {
        return std::nullopt;
    }
    return PngSize{BigEndian(&head[16]), BigEndian(&head[20])};
}

class WindowPictures : public FormsTest {};

TEST_F(WindowPictures, EveryPictureNamedIsAPngFileOfTheImagesFolder) {
    std::set<forms::ImageId> named;
    std::set<forms::ImageId> smallIcons;
    for (const auto& window : DesignedWindows()) {
        named.insert(window->Icon());
        for (forms::Control* control : window->Controls()) {
            if (auto* image = dynamic_cast<forms::Image*>(control)) {
                named.insert(image->Picture());
            } else if (auto* picture = dynamic_cast<forms::PictureBox*>(control)) {
                named.insert(picture->Picture());
            } else if (auto* button = dynamic_cast<forms::CommandButton*>(control)) {
                if (button->Style() == forms::ButtonStyle::Graphical) {
                    named.insert(button->Picture());
                }
            } else if (auto* list = dynamic_cast<forms::ListView*>(control)) {
                smallIcons.insert(list->SmallIconImages().begin(), list->SmallIconImages().end());
            }
        }
    }
    named.erase("");  // the hidden window and the help window carry no picture
    EXPECT_GE(named.size(), 10u);
    for (const forms::ImageId& id : named) {
        EXPECT_TRUE(ReadPngSize(ImagesFolder() / id).has_value()) << id;
    }
    EXPECT_EQ(smallIcons.size(), 5u);
    for (const forms::ImageId& id : smallIcons) {
        const std::optional<PngSize> size = ReadPngSize(ImagesFolder() / id);
        ASSERT_TRUE(size.has_value()) << id;
        EXPECT_EQ(size->width, 16u) << id << " is a list's small icon";
        EXPECT_EQ(size->height, 16u) << id << " is a list's small icon";
    }
}

}  // namespace
