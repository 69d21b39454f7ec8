#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The lines of 8-bit text files: written with CR LF; read with CR LF or a bare LF, a last line
// without a line end counting as a line.
namespace platform {

// The text without the blanks around it: spaces, or the characters given.
std::string_view TrimBlanks(std::string_view text, std::string_view blanks = " ");

std::vector<std::string> SplitTextLines(std::string_view bytes);

// The same lines as views into bytes, for callers that only look at them.
std::vector<std::string_view> SplitTextLineViews(std::string_view bytes);

// How many lines SplitTextLineViews finds, without listing them.
std::size_t CountTextLines(std::string_view bytes);

// Lines that end only at CR LF: a bare CR or LF is part of its line, as in the definition files,
// whose line codec writes two letters as those bytes. A last line without CR LF counts as a line.
std::vector<std::string_view> SplitCrLfLineViews(std::string_view bytes);
// How many lines SplitCrLfLineViews finds, without listing them.
std::size_t CountCrLfLines(std::string_view bytes);

// The position of the first CR LF of bytes at or after from; npos when there is none. Sought by
// its LF, which is rare in a line, so that long files are searched at the speed of memchr.
inline std::size_t FindCrLf(std::string_view bytes, std::size_t from) {
    for (std::size_t lf = bytes.find('\n', from); lf != std::string_view::npos;
         lf = bytes.find('\n', lf + 1)) {
        if (lf > from && bytes[lf - 1] == '\r') {
            return lf - 1;
        }
    }
    return std::string_view::npos;
}

// Each line followed by CR LF.
std::string JoinTextLines(const std::vector<std::string>& lines);

// Hands takePiece, in order, the pieces of bytes that make the lines for which keep(line) is true,
// each followed by CR LF: together the bytes that JoinTextLines would make of the kept lines of
// SplitCrLfLineViews. Kept lines that end in CR LF already come in runs as large as possible, so
// that filtering a large file copies nothing. Returns the number of lines dropped.
template <typename Keep, typename TakePiece>
std::size_t KeptTextLinePieces(std::string_view bytes, Keep&& keep, TakePiece&& takePiece) {
    static constexpr std::string_view kLineEnd = "\r\n";
    std::size_t dropped = 0;
    std::size_t runStart = 0;  // kept bytes [runStart, runEnd) not yet handed over
    std::size_t runEnd = 0;
    const auto handOverRun = [&] {
        if (runEnd > runStart) {
            takePiece(bytes.substr(runStart, runEnd - runStart));
        }
    };
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t lineEnd = FindCrLf(bytes, start);
        const bool endsInCrLf = lineEnd != std::string_view::npos;
        const std::size_t end = endsInCrLf ? lineEnd : bytes.size();
        const std::size_t next = endsInCrLf ? end + kLineEnd.size() : end;
        const std::string_view line = bytes.substr(start, end - start);
        if (!keep(line)) {
            ++dropped;
        } else if (endsInCrLf && runEnd == start) {
            runEnd = next;
        } else {
            handOverRun();
            if (endsInCrLf) {
                runStart = start;
            } else {
                takePiece(line);
                takePiece(kLineEnd);
                runStart = next;
            }
            runEnd = next;
        }
        start = next;
    }
    handOverRun();
    return dropped;
}

}  // namespace platform
