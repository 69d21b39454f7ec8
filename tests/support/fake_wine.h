#pragma once

#include <string>
#include <vector>

#include "support/scoped_environment.h"
#include "support/temporary_folder.h"

namespace test_support {

// Stands in for Wine's tools, which the program runs as $WINE while Wine's server holds a prefix's
// registry: a script that notes each run and keeps what it was given to import, and either does
// its work (an export writes a small file), fails, or never answers (the deadline is then short).
class FakeWine {
  public:
    enum class Behaviour { Works, Fails, Hangs };

    explicit FakeWine(Behaviour behaviour = Behaviour::Works);
    ~FakeWine();
    FakeWine(const FakeWine&) = delete;
    FakeWine& operator=(const FakeWine&) = delete;

    // Each run's arguments, joined by blanks.
    std::vector<std::string> Runs() const;
    // Every imported file, as UTF-8 text, one after the other.
    std::string Imported() const;

  private:
    TemporaryFolder folder_{"tollenwark-fake-wine"};
    ScopedEnvironmentVariable wine_;
};

}  // namespace test_support
