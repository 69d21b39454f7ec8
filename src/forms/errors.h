#pragma once

#include <stdexcept>
#include <string>

// The failures the window framework reports. The program's guarded statements catch them like any
// other failure of a control call; they never leave a control in a half-changed state.
namespace forms {

// A row, column, tab, panel, list entry or array element that does not exist. The program's
// walks over list rows rely on it to stop ("index past the end is an error").
class IndexOutOfRange : public std::out_of_range {
  public:
    explicit IndexOutOfRange(const std::string& what) : std::out_of_range(what) {}
};

// A property set to a value it cannot take (an unknown style, a caption that is no number when read
// as one, a container that cannot hold the control).
class InvalidPropertyValue : public std::invalid_argument {
  public:
    explicit InvalidPropertyValue(const std::string& what) : std::invalid_argument(what) {}
};

// A method that the control could not carry out (no earlier page to go back to, a cancelled dialog
// that was asked to report cancelling as an error).
class OperationFailed : public std::runtime_error {
  public:
    explicit OperationFailed(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace forms
