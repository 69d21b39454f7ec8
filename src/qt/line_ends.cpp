#include "qt/line_ends.h"

namespace frontend {

std::string ToEditorLineEnds(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            shown += text[i];
        } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
            shown += '\n';
        }
    }
    return shown;
}

std::string ToProgramLineEnds(std::string_view text) {
    std::string program;
    program.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') {
            program += '\r';
        }
        program += c;
    }
    return program;
}

}  // namespace frontend
