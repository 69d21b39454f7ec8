#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "platform/hive_prefix_registry.h"
#include "platform/machine.h"
#include "support/child_process.h"
#include "support/temporary_folder.h"
#include "support/temporary_prefix.h"

// A temporary prefix installed as the current machine, its registry kept in the prefix's hive
// files; Wine's server is looked for under a temporary folder of its own.
class HiveFileMachine {
  public:
    HiveFileMachine()
        : scope_(std::make_unique<platform::Machine>(
              prefix_.prefix(),
              platform::MakePrefixRegistry(prefix_.root().string(),
                                           std::vector<std::string>{serverRoot_.path().string()}),
              prefix_.userName())) {}

    platform::Machine& machine() { return scope_.machine(); }

    // Takes the owner's write bit from system.reg (or gives it back), as an account that may only
    // read HKEY_LOCAL_MACHINE meets it.
    void SetMachineHiveReadOnly(bool readOnly) const {
        ::chmod(prefix_.prefix().systemHive().c_str(), readOnly ? 0444 : 0644);
    }

    // A stand-in for Wine's server running for the prefix: a child process holding the lock of
    // the prefix's server folder for as long as it lives.
    test_support::ChildProcess RunWineServer() const {
        const std::string folder =
            platform::WineServerFolder(prefix_.root().string(), serverRoot_.path().string());
        std::filesystem::create_directories(folder);
        return test_support::ChildProcess::Fork([folder] {
            const int descriptor = ::open((folder + "/lock").c_str(), O_RDWR | O_CREAT, 0600);
            struct flock lock {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            ::fcntl(descriptor, F_SETLK, &lock);
        });
    }

  private:
    test_support::TemporaryPrefix prefix_;
    test_support::TemporaryFolder serverRoot_{"tollenwark-wine-server"};
    platform::ScopedMachine scope_;
};
