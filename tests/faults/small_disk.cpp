#include "small_disk.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <string>
#include <vector>

SmallDisk::SmallDisk(std::size_t bytes) {
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    mounted_ = ::mount("tmpfs", path().c_str(), "tmpfs", 0, options.c_str()) == 0;
    if (mounted_) {
        temporaryFolder_ =
            std::make_unique<test_support::ScopedEnvironmentVariable>("TMPDIR", path().string());
    }
}

SmallDisk::~SmallDisk() {
    temporaryFolder_.reset();
    if (mounted_) {
        ::umount2(path().c_str(), MNT_DETACH);
    }
}

void SmallDisk::FillLeaving(std::size_t bytes) {
    Free();
    const int filler = ::open(Filler().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (filler < 0) {
        return;
    }
    const std::vector<char> block(64 * 1024, 'f');
    off_t size = 0;
    for (;;) {
        const ssize_t written = ::write(filler, block.data(), block.size());
        if (written <= 0) {
            break;  // the disk is full
        }
        size += written;
    }
    // Whatever the last block could not take is free as well; give back what is to stay free.
    const off_t kept = size > static_cast<off_t>(bytes) ? size - static_cast<off_t>(bytes) : 0;
    (void)::ftruncate(filler, kept);
    ::close(filler);
}

void SmallDisk::Free() {
    ::unlink(Filler().c_str());
}
