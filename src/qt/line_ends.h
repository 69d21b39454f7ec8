#pragma once

#include <string>
#include <string_view>

// The program writes multi-line text with CR LF; Qt's editors use LF alone.
namespace frontend {

// CR LF (and a lone CR) become LF.
std::string ToEditorLineEnds(std::string_view text);
// LF becomes CR LF.
std::string ToProgramLineEnds(std::string_view text);

}  // namespace frontend
