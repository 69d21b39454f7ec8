#include "foundation/open_reg_key.h"

#include "platform/machine.h"

OpenRegKey::OpenRegKey() : registry_(platform::CurrentMachine().registry()) {}

OpenRegKey::~OpenRegKey() {
    Close();
}

long OpenRegKey::Open(platform::RegRoot root, std::string_view keyPath, std::uint32_t access) {
    Close();
    return registry_.OpenKey(root, keyPath, access, &handle_);
}

long OpenRegKey::Create(platform::RegRoot root, std::string_view keyPath) {
    Close();
    return registry_.CreateKey(root, keyPath, &handle_);
}

void OpenRegKey::Close() {
    if (handle_ != 0) {
        registry_.CloseKey(handle_);
        handle_ = 0;
    }
}
