#include "ui/version_text.h"

std::string VersionText(const platform::VersionBlock& block) {
    return std::to_string(block.major) + "." + std::to_string(block.minor);
}
