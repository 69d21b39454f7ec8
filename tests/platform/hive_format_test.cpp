#include <gtest/gtest.h>

#include <memory>

#include "platform/hive_escape.h"
#include "platform/hive_parse.h"
#include "platform/hive_serialize.h"
#include "platform/hive_value_text.h"

namespace platform {
namespace {

// A hive written by hand in Wine's own layout.
const std::string kWineHive =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to REGISTRY\\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Classes\\\\.txt] 1700000000\n"
    "#time=1da1b2c3d4e5f60\n"
    "@=\"txtfile\"\n"
    "\"Content Type\"=\"text/plain\"\n"
    "\n"
    "[Software\\\\Vendor] 1700000001\n"
    "#time=1da1b2c3d4e5f61\n"
    "#class=\"Vendor class\"\n"
    "\"Path\"=str(2):\"%ProgramFiles%\\\\Vendor\\\\app.exe\"\n"
    "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\n"
    "  17,18,19,1a\n"
    "\"Count\"=dword:0000002a\n"
    "\"Multi\"=str(7):\"one\\0two\\0\"\n"
    "\"Wide\"=\"caf\\xe9 \\x00e9e \\x4e2d\"\n"
    "\"Quote \\\"and\\\" slash \\\\\"=\"tab\\there\\nnew line\"\n"
    "\"Odd\"=hex(100):ab,cd\n"
    "#future-option=1\n"
    "\n"
    "[System\\\\ControlSet001\\\\Control] 1700000002\n"
    "#time=1da1b2c3d4e5f62\n"
    "\"Value\"=\"x\"\n";

HiveKey& KeyAt(Hive& hive, const std::vector<std::string>& path) {
    HiveKey* key = FindPath(hive.root, path);
    EXPECT_NE(key, nullptr);
    return *key;
}

RegValue ValueAt(Hive& hive, const std::vector<std::string>& path, const std::string& name) {
    const HiveEntry* entry = FindValue(KeyAt(hive, path), name);
    EXPECT_NE(entry, nullptr) << name;
    return entry ? entry->value : RegValue{};
}

// The section of a key in a hive's text, from its header to the next blank line.
std::string SectionOf(const std::string& text, const std::string& header) {
    const std::size_t start = text.find("\n" + header + "]");
    if (start == std::string::npos) {
        return "";
    }
    const std::size_t end = text.find("\n\n", start + 1);
    return text.substr(start + 1, end == std::string::npos ? std::string::npos : end - start);
}

TEST(HiveFormat, ReadsEveryKindOfValueOfAWineHive) {
    Hive hive = ParseHive(kWineHive, "system.reg");
    EXPECT_TRUE(hive.diagnostics.empty());
    const std::vector<std::string> vendor = {"Software", "Vendor"};

    EXPECT_EQ(ValueAt(hive, {"Software", "Classes", ".txt"}, "").text, "txtfile");
    const RegValue path = ValueAt(hive, vendor, "path");
    EXPECT_EQ(path.type, REG_EXPAND_SZ);
    EXPECT_EQ(path.text, "%ProgramFiles%\\Vendor\\app.exe");
    const RegValue blob = ValueAt(hive, vendor, "Blob");
    EXPECT_EQ(blob.type, REG_BINARY);
    ASSERT_EQ(blob.data.size(), 27u);
    EXPECT_EQ(blob.data[26], 0x1a);
    EXPECT_EQ(ValueAt(hive, vendor, "Count").number, 42u);
    const RegValue multi = ValueAt(hive, vendor, "Multi");
    EXPECT_EQ(multi.type, REG_MULTI_SZ);
    EXPECT_EQ(multi.data, (std::vector<std::uint8_t>{'o', 0, 'n', 0, 'e', 0, 0, 0, 't', 0, 'w', 0,
                                                     'o', 0, 0, 0, 0, 0}));
    EXPECT_EQ(ValueAt(hive, vendor, "Wide").text, "caf\u00e9 \u00e9e \u4e2d");
    EXPECT_EQ(ValueAt(hive, vendor, "Quote \"and\" slash \\").text, "tab\there\nnew line");
    EXPECT_EQ(ValueAt(hive, vendor, "Odd").type, 0x100u);
    EXPECT_EQ(ValueNames(KeyAt(hive, vendor)).size(), 7u);
}

TEST(HiveFormat, AnUnchangedHiveIsWrittenBackByteForByte) {
    Hive hive = ParseHive(kWineHive, "system.reg");
    EXPECT_EQ(WriteHiveText(hive), kWineHive);

    // Hand-edited files too: CR LF line ends, keys out of order, no line end at the end.
    const std::string edited =
        "WINE REGISTRY Version 2\r\n\r\n[B\\\\Child] 1\r\n\"v\"=\"1\"\r\n\r\n[A] 2\r\n"
        "\"w\"=dword:00000001";
    Hive editedHive = ParseHive(edited, "user.reg");
    EXPECT_EQ(WriteHiveText(editedHive), edited);
}

TEST(HiveFormat, SettingOneValueRewritesOnlyItsKey) {
    Hive hive = ParseHive(kWineHive, "system.reg");
    SetValue(KeyAt(hive, {"Software", "Vendor"}), "Count", RegValue::Dword(7));
    const std::string written = WriteHiveText(hive);

    EXPECT_EQ(SectionOf(written, "[Software\\\\Classes\\\\.txt"),
              SectionOf(kWineHive, "[Software\\\\Classes\\\\.txt"));
    EXPECT_EQ(SectionOf(written, "[System"), SectionOf(kWineHive, "[System"));
    const std::string before = SectionOf(kWineHive, "[Software\\\\Vendor");
    const std::string after = SectionOf(written, "[Software\\\\Vendor");
    EXPECT_NE(after.find("\"Count\"=dword:00000007\n"), std::string::npos);
    EXPECT_EQ(after.find("1700000001"), std::string::npos) << "a fresh time stamp";
    EXPECT_EQ(after.find("#time=1da1b2c3d4e5f61"), std::string::npos);
    // Every other line of the key stands as it was, the continued hex data and options too.
    const std::size_t firstValue = before.find("#class");
    std::string expectedRest = before.substr(firstValue);
    expectedRest.replace(expectedRest.find("dword:0000002a"), 14, "dword:00000007");
    EXPECT_EQ(after.substr(after.find("#class")), expectedRest);
    EXPECT_EQ(written.substr(0, written.find("[Software\\\\Vendor")),
              kWineHive.substr(0, kWineHive.find("[Software\\\\Vendor")));

    EXPECT_EQ(ParseHive(written, "system.reg").diagnostics.size(), 0u);
    // Once written, the key counts as unchanged again: its time stamp stays.
    EXPECT_EQ(WriteHiveText(hive), written);
}

TEST(HiveFormat, NewKeysGoAfterTheKeyBeforeThemAndDeletedOnesLeaveTheirParent) {
    Hive hive = ParseHive(kWineHive, "system.reg");
    SetValue(CreatePath(hive.root, {"Software", "Classes", ".zip"}), "", RegValue::String("zip"));
    CreatePath(hive.root, {"Software", "Vendor", "Sub"});
    RemoveSubKey(KeyAt(hive, {"Software", "Classes"}), ".txt");
    const std::string written = WriteHiveText(hive);

    const std::size_t zip = written.find("[Software\\\\Classes\\\\.zip] ");
    const std::size_t vendor = written.find("[Software\\\\Vendor] ");
    const std::size_t sub = written.find("[Software\\\\Vendor\\\\Sub] ");
    const std::size_t system = written.find("[System\\\\ControlSet001\\\\Control] ");
    ASSERT_NE(zip, std::string::npos);
    ASSERT_NE(sub, std::string::npos);
    EXPECT_LT(zip, vendor);
    EXPECT_LT(vendor, sub);
    EXPECT_LT(sub, system);
    EXPECT_EQ(written.find(".txt"), std::string::npos);
    EXPECT_NE(written.find("\n\n[Software\\\\Classes\\\\.zip] "), std::string::npos);
    EXPECT_NE(written.substr(zip).find("\n#time="), std::string::npos);

    // A key left without values and sub-keys keeps a section of its own, or it would be lost.
    RemoveSubKey(KeyAt(hive, {"Software", "Classes"}), ".zip");
    Hive reread = ParseHive(WriteHiveText(hive), "system.reg");
    EXPECT_NE(FindPath(reread.root, {"Software", "Classes"}), nullptr);
    EXPECT_NE(FindPath(reread.root, {"Software", "Vendor", "Sub"}), nullptr);
}

// A million keys in a row and a million side by side, far more than the call stack could follow:
// read, written back unchanged, changed at the far end and written again, and taken apart.
TEST(HiveFormat, TreesOfAnyDepthAndWidthAreReadWrittenAndTakenApart) {
    constexpr int kKeys = 1'000'000;
    std::string deep = "WINE REGISTRY Version 2\n\n[k";
    std::string wide = "WINE REGISTRY Version 2\n";
    for (int key = 0; key < kKeys; ++key) {
        deep += key > 0 ? "\\\\k" : "";
        wide.append("\n[w\\\\k").append(std::to_string(key)).append("] 1\n");
    }
    deep += "] 1\n";
    for (const std::string* text : {&deep, &wide}) {
        auto hive = std::make_unique<Hive>(ParseHive(*text, "user.reg"));
        EXPECT_TRUE(hive->diagnostics.empty());
        EXPECT_EQ(WriteHiveText(*hive), *text);

        HiveKey* last = &hive->root;
        while (!last->subKeys.empty()) {
            last = last->subKeys.back().get();
        }
        SetValue(AddSubKey(*last, "new"), "v", RegValue::String("far"));
        const std::string written = WriteHiveText(*hive);
        const std::size_t open = text->rfind('[');
        const std::string lastPath = text->substr(open + 1, text->rfind(']') - open - 1);
        ASSERT_TRUE(written.starts_with(*text));
        EXPECT_TRUE(written.substr(text->size()).starts_with("\n[" + lastPath + "\\\\new] "));
        EXPECT_TRUE(written.ends_with("\"v\"=\"far\"\n"));
        hive.reset();
    }
}

TEST(HiveFormat, TextSurvivesEscapingAndReading) {
    const std::u16string samples[] = {
        u"plain",
        u"quote \" backslash \\ brackets [ ]",
        std::u16string(u"controls \n\r\t\a\x1b and NUL \0 inside", 30),
        u"\u00e9a \u00e9 \u00e9\u00e9 \u4e2d1",  // a hex digit after a wide character
        u"\x01"
        u"7 octal then a digit",
        u"\U0001F600 beyond the plane, \xD800 a lone surrogate",
    };
    for (const auto& sample : samples) {
        const std::string escaped = EscapeHiveText(sample, "\"[]") + "\"";
        std::string error;
        const auto read = UnescapeHiveText(escaped, 0, '"', &error);
        ASSERT_TRUE(read) << escaped << ": " << error;
        EXPECT_EQ(read->text, sample) << escaped;
        EXPECT_EQ(read->end, escaped.size());
    }
    EXPECT_EQ(EscapeHiveText(u"\u00e9a\u00e9.", ""), "\\x00e9a\\xe9.");

    // Unescaped characters beyond ASCII are read as UTF-8.
    std::string error;
    const auto value = ParseValueLine("\"Name\"=\"Gr\xC3\xBC\xC3\x9F\x65\"", &error);
    ASSERT_TRUE(value) << error;
    EXPECT_EQ(value->value.text, "Gr\u00fc\u00df\x65");
    EXPECT_EQ(FormatValueLine("a\\b", RegValue::String("x\"y\u00e9")),
              "\"a\\\\b\"=\"x\\\"y\\xe9\"\n");
}

TEST(HiveFormat, LongBinaryDataIsWrappedAsWineDoesAndReadBack) {
    RegValue value;
    value.type = REG_BINARY;
    for (int i = 0; i < 100; ++i) {
        value.data.push_back(static_cast<std::uint8_t>(i));
    }
    const std::string line = FormatValueLine("Data", value);
    EXPECT_EQ(line.rfind("\"Data\"=hex:00,01,", 0), 0u);
    EXPECT_NE(line.find(",\\\n  "), std::string::npos);
    for (std::size_t start = 0, end; (end = line.find('\n', start)) != std::string::npos;
         start = end + 1) {
        EXPECT_LE(end - start, 80u);
    }
    Hive hive = ParseHive("WINE REGISTRY Version 2\n\n[K] 1\n" + line, "x.reg");
    EXPECT_TRUE(hive.diagnostics.empty());
    EXPECT_EQ(ValueAt(hive, {"K"}, "Data").data, value.data);
}

TEST(HiveFormat, MalformedLinesAreReportedByLineAndKeptAsTheyStood) {
    const std::string text =
        "WINE REGISTRY Version 2\n"
        "\n"
        "[Good] 1\n"
        "\"Before\"=\"ok\"\n"
        "\"Truncated\"=\"no end\n"
        "\"BadEscape\"=\"\\q\"\n"
        "\"Unknown\"=qword:1\n"
        "some stray text\n"
        "\"After\"=dword:00000001\n"
        "\n"
        "[Broken\\\\Header 1\n"
        "\"Lost\"=\"kept\"\n"
        "\n"
        "[Tail] 2\n"
        "\"Cut\"=hex:01,02,\\\n";
    Hive hive = ParseHive(text, "/prefix/system.reg");

    std::vector<int> lines;
    for (const auto& diagnostic : hive.diagnostics) {
        EXPECT_EQ(diagnostic.file, "/prefix/system.reg");
        lines.push_back(diagnostic.line);
    }
    EXPECT_EQ(lines, (std::vector<int>{5, 6, 7, 8, 11, 15}));
    EXPECT_EQ(ValueAt(hive, {"Good"}, "Before").text, "ok");
    EXPECT_EQ(ValueAt(hive, {"Good"}, "After").number, 1u);
    EXPECT_EQ(FindValue(KeyAt(hive, {"Good"}), "Truncated"), nullptr);
    EXPECT_EQ(FindPath(hive.root, {"Broken"}), nullptr);
    EXPECT_EQ(WriteHiveText(hive), text);

    // A write elsewhere keeps every line it could not read.
    SetValue(KeyAt(hive, {"Good"}), "New", RegValue::String("v"));
    SetValue(CreatePath(hive.root, {"Other"}), "x", RegValue::Dword(2));
    const std::string written = WriteHiveText(hive);
    for (const char* kept :
         {"\"Truncated\"=\"no end\n", "\"BadEscape\"=\"\\q\"\n", "\"Unknown\"=qword:1\n",
          "some stray text\n", "[Broken\\\\Header 1\n\"Lost\"=\"kept\"\n",
          "\"Cut\"=hex:01,02,\\\n"}) {
        EXPECT_NE(written.find(kept), std::string::npos) << kept;
    }
    Hive reread = ParseHive(written, "/prefix/system.reg");
    EXPECT_EQ(ValueAt(reread, {"Good"}, "New").text, "v");
    EXPECT_EQ(ValueAt(reread, {"Other"}, "x").number, 2u);
}

TEST(HiveFormat, ValueDataNeverRunsOnIntoTheNextKeyOrValue) {
    const std::string text =
        "WINE REGISTRY Version 2\n"
        "\n"
        "[A] 1\n"
        "\"Cut\"=hex:01,\\\n"
        "[B] 2\n"
        "\"Broken\"=hex:02,\\\n"
        "\"y\"=\"2\"\n"
        "\"Gap\"=hex:03,\\\n"
        "\n"
        "\"z\"=hex:04,\\\n"
        "  05\n";
    Hive hive = ParseHive(text, "user.reg");
    EXPECT_EQ(hive.diagnostics.size(), 3u);
    EXPECT_EQ(FindValue(KeyAt(hive, {"A"}), "Cut"), nullptr);
    EXPECT_EQ(FindValue(KeyAt(hive, {"B"}), "Broken"), nullptr);
    EXPECT_EQ(ValueAt(hive, {"B"}, "y").text, "2");
    EXPECT_EQ(ValueAt(hive, {"B"}, "z").data, (std::vector<std::uint8_t>{4, 5}));
    EXPECT_EQ(WriteHiveText(hive), text);

    // Found by fuzzing: a key listed twice is written afresh with its broken line before its
    // other values; read again, every value must still be there.
    Hive merged = ParseHive("[K] 1\n\"Cut\"=hex:01,\\\n[L] 2\n\n[K] 3\n\"v\"=\"1\"\n", "user.reg");
    Hive reread = ParseHive(WriteHiveText(merged), "user.reg");
    EXPECT_EQ(ValueAt(reread, {"K"}, "v").text, "1");
    EXPECT_EQ(FindValue(KeyAt(reread, {"K"}), "Cut"), nullptr);
    EXPECT_NE(FindPath(reread.root, {"L"}), nullptr);
}

}  // namespace
}  // namespace platform
