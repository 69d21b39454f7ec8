#pragma once

#include <filesystem>
#include <optional>

#include "forms/geometry.h"

// Where the pictures that windows and controls name are found.
namespace frontend {

// The file of a picture: an ImageId that is a path (Windows or host) names its file; any other id
// is the name of a file in the "images" folder of the program folder, given with or without its
// extension. Nothing when there is no such file.
std::optional<std::filesystem::path> FindImageFile(const forms::ImageId& id);

}  // namespace frontend
