#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// A failure that a procedure hands to its caller with a number, the name of the procedure that
// raised it and a description, so that a caller can tell failures apart and show them.
class ProgramError : public std::runtime_error {
  public:
    ProgramError(std::int32_t number, std::string source, std::string description)
        : std::runtime_error(description),
          number_(number),
          source_(std::move(source)),
          description_(std::move(description)) {}

    std::int32_t number() const { return number_; }
    const std::string& source() const { return source_; }
    const std::string& description() const { return description_; }

  private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
};

// Numbers of the failures of files that the program reports.
inline constexpr std::int32_t kErrorInputPastEndOfFile = 62;
inline constexpr std::int32_t kErrorPathFileAccess = 75;
