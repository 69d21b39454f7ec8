#include "platform/text_lines.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform;

namespace {

// What filtering must give: the kept lines of the split at CR LF, joined again.
template <typename Keep>
std::string SplitFilteredJoined(std::string_view bytes, Keep keep) {
    std::vector<std::string> kept;
    for (const std::string_view line : SplitCrLfLineViews(bytes)) {
        if (keep(line)) {
            kept.emplace_back(line);
        }
    }
    return JoinTextLines(kept);
}

template <typename Keep>
std::string Pieced(std::string_view bytes, Keep keep, std::size_t* pieces = nullptr) {
    std::string joined;
    std::size_t count = 0;
    KeptTextLinePieces(bytes, keep, [&](std::string_view piece) {
        joined += piece;
        ++count;
    });
    if (pieces != nullptr) {
        *pieces = count;
    }
    return joined;
}

TEST(KeptTextLinePieces, GiveTheBytesOfTheKeptLinesWithEveryLineEndedInCrLf) {
    const auto keepAll = [](std::string_view) { return true; };
    const auto dropX = [](std::string_view line) { return !line.starts_with('x'); };
    const auto dropAll = [](std::string_view) { return false; };
    for (const std::string_view bytes :
         {"", "a", "a\r\nb\r\n", "a\nb\n", "x1\r\na\r\nx2\r\nb\r\nc", "a\r\n\r\nx\n\nb\r",
          "\r\r\n\n\r\nx\r\ny\r\r\n", "x\r\na\nb\r\nc\r\nx\r\n", "\n\n\r\n"}) {
        EXPECT_EQ(Pieced(bytes, keepAll), SplitFilteredJoined(bytes, keepAll)) << bytes;
        EXPECT_EQ(Pieced(bytes, dropX), SplitFilteredJoined(bytes, dropX)) << bytes;
        EXPECT_EQ(Pieced(bytes, dropAll), "") << bytes;
    }
}

TEST(KeptTextLinePieces, CountTheDroppedLinesAndCopyUnbrokenRunsWhole) {
    std::size_t pieces = 0;
    const std::string bytes = "a\r\nb\r\nx\r\nc\r\nd\r\n";
    EXPECT_EQ(Pieced(
                  bytes, [](std::string_view) { return true; }, &pieces),
              bytes);
    EXPECT_EQ(pieces, 1u);
    EXPECT_EQ(
        KeptTextLinePieces(
            bytes, [](std::string_view line) { return line != "x"; }, [&](std::string_view) {}),
        1u);
    EXPECT_EQ(Pieced(
                  bytes, [](std::string_view line) { return line != "x"; }, &pieces),
              "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(pieces, 2u);
}

TEST(TextLines, CountsTheLinesThatSplittingFinds) {
    for (const std::string_view bytes : {"", "\n", "\r\n", "one", "one\r\n", "one\ntwo",
                                         "one\r\ntwo\r\n", "\n\n\nlast", "a\rb\r\n", "a\r\n\r\n"}) {
        EXPECT_EQ(CountTextLines(bytes), SplitTextLineViews(bytes).size())
            << testing::PrintToString(bytes);
        EXPECT_EQ(CountCrLfLines(bytes), SplitCrLfLineViews(bytes).size())
            << testing::PrintToString(bytes);
    }
}

}  // namespace
