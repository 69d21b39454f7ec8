#include "foundation/safe_list.h"

#include <gtest/gtest.h>

#include "foundation/globals.h"
#include "foundation/line_codec.h"
#include "platform/text_encoding.h"
#include "support/forms_fixture.h"
#include "support/temporary_prefix.h"
#include "support/temporary_program_folder.h"

namespace {

class SafeListTest : public FormsTest {
  protected:
    SafeListTest() { ResetFoundationGlobals(); }
    ~SafeListTest() override { ResetFoundationGlobals(); }

    // Writes Safety.dat as the definitions server delivers it: each line encoded.
    void WriteSafetyFile(std::initializer_list<std::string_view> records) {
        std::string bytes;
        for (const std::string_view record : records) {
            bytes += platform::Utf8ToWindows1252(EncodeLine(record)) + "\r\n";
        }
        program_.WriteFile("Safety.dat", bytes);
    }

    test_support::TemporaryMachine machine_;
    test_support::TemporaryProgramFolder program_;
};

TEST_F(SafeListTest, RecordsBecomeEntriesByKind) {
    WriteSafetyFile({
        "SREG|Foo=vendor entry|2^Software\\Foo^Bar",
        "SREG|Run=key only|1^Software\\Run",
        "SFILE|notepad.exe=Editor|",
        "SEXE|good.exe=x|[drive]Tools\\\\good.exe|unused",
        "SDLL|ui.dll=x|[windir]system32\\ui.dll",
        "SDIR|Suite=x|[progfil]Suite",
        "sdir|lower-case kinds=x|C:\\Nothing",
        "SOTHER|x=y|C:\\Nothing",
    });
    EXPECT_TRUE(LoadSafetyList());
    EXPECT_EQ(gSafeList, (std::vector<std::string>{
                             "HKEY_LOCAL_MACHINE\\Software\\Foo\\Bar",
                             "HKEY_CURRENT_USER\\Software\\Run",
                             "notepad.exe",
                             "C:\\Tools\\good.exe",
                             "C:\\windows\\system32\\ui.dll",
                             "C:\\Program Files\\Suite",
                         }));
}

TEST_F(SafeListTest, ALineWithoutBarContinuesTheKindBeforeIt) {
    WriteSafetyFile({
        "SDLL|first.dll=x|",
        "second.dll = a library",
        "SREG|x=y|2^Software\\A",
        "third.dll=no registry path",
    });
    LoadSafetyList();
    EXPECT_EQ(gSafeList, (std::vector<std::string>{"first.dll", "second.dll",
                                                   "HKEY_LOCAL_MACHINE\\Software\\A"}));
}

TEST_F(SafeListTest, ItemsMatchWithoutCaseBlanksOrOneTrailingSeparator) {
    WriteSafetyFile({
        "SREG|Foo=x|2^Software\\Foo^Bar",
        "SFILE|notepad.exe=x|",
        "SDIR|Suite=x|[progfil]Suite\\",
    });
    LoadSafetyList();
    EXPECT_TRUE(IsSafeItem("hkey_local_machine\\software\\foo\\bar\\"));
    EXPECT_TRUE(IsSafeItem("  NOTEPAD.EXE "));
    EXPECT_FALSE(IsSafeItem("C:\\windows\\notepad.exe"));
    EXPECT_TRUE(IsSafeItem("c:\\PROGRAM FILES\\suite"));
    EXPECT_TRUE(IsSafeItem("c:\\program files\\suite/"));
    EXPECT_FALSE(IsSafeItem("c:\\program files\\suite\\x.dll"));
    EXPECT_FALSE(IsSafeItem("c:\\program files"));
    EXPECT_TRUE(IsSafeItem("   "));
}

TEST_F(SafeListTest, AWholeHiveIsAlwaysSafe) {
    EXPECT_TRUE(LoadSafetyList());  // no Safety.dat
    EXPECT_TRUE(gSafeList.empty());
    EXPECT_FALSE(IsSafeItem("C:\\windows"));
    EXPECT_TRUE(IsSafeItem("HKEY_USERS"));
    EXPECT_TRUE(IsSafeItem("hkey_local_machine\\"));
    EXPECT_FALSE(IsSafeItem("HKEY_DYN_DATA"));
    EXPECT_FALSE(IsSafeItem("HKEY_USERS\\.DEFAULT"));
}

TEST_F(SafeListTest, LoadingEndsWhenTheScanIsStopped) {
    WriteSafetyFile({"SFILE|a.exe=x|", "SFILE|b.exe=x|", "SFILE|c.exe=x|"});
    int asked = 0;
    LoadSafetyList([&asked] { return ++asked > 2; });
    EXPECT_EQ(gSafeList, (std::vector<std::string>{"a.exe", "b.exe"}));

    LoadSafetyList();
    EXPECT_EQ(gSafeList.size(), 3u);
}

}  // namespace
