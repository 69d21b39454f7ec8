#include "platform/machine.h"

#include "platform/hive_prefix_registry.h"

namespace platform {
namespace {

Machine* gInstalledMachine = nullptr;

}  // namespace

Machine::Machine(Prefix prefix, std::unique_ptr<Registry> registry, std::string userName)
    : prefix_(std::move(prefix)),
      registry_(std::move(registry)),
      paths_(prefix_.dosdevices()),
      files_(paths_),
      folders_(paths_),
      specialFolders_(*registry_, paths_, std::move(userName)) {}

std::vector<Drive> Machine::Drives() {
    return ListDrives(paths_, *registry_);
}

OsVersion Machine::Version() {
    return versionOverride_ ? *versionOverride_ : ReadOsVersion(*registry_);
}

std::unique_ptr<Machine> OpenMachine(Prefix prefix, std::string userName) {
    auto registry = MakePrefixRegistry(prefix.root().string());
    return std::make_unique<Machine>(std::move(prefix), std::move(registry), std::move(userName));
}

Machine& CurrentMachine() {
    if (gInstalledMachine == nullptr) {
        static std::unique_ptr<Machine> fromEnvironment = OpenMachine(PrefixFromEnvironment());
        gInstalledMachine = fromEnvironment.get();
    }
    return *gInstalledMachine;
}

ScopedMachine::ScopedMachine(std::unique_ptr<Machine> machine)
    : machine_(std::move(machine)), previous_(gInstalledMachine) {
    gInstalledMachine = machine_.get();
}

ScopedMachine::~ScopedMachine() {
    gInstalledMachine = previous_;
}

}  // namespace platform
