#include "foundation/file_company.h"

#include <gtest/gtest.h>

#include "support/portable_executable.h"

using namespace std::string_literals;
using test_support::PortableExecutable;
using test_support::VersionResource;

TEST(FileCompany, ReadsTheCompanyOfAProgramsVersionResource) {
    EXPECT_EQ(GetFileCompanyNameFromBytes(PortableExecutable(VersionResource("Acme Widgets Ltd."))),
              "Acme Widgets Ltd.");
    // The value's length decides the padding after it; both parities must cut cleanly.
    EXPECT_EQ(GetFileCompanyNameFromBytes(PortableExecutable(VersionResource("Acme"))), "Acme");
    EXPECT_EQ(GetFileCompanyNameFromBytes(PortableExecutable(VersionResource("Acme X"))), "Acme X");
    // Characters of the code page come back as text.
    EXPECT_EQ(GetFileCompanyNameFromBytes(PortableExecutable(VersionResource("Soci\xE9t\xE9"))),
              "Soci\u00E9t\u00E9");
    EXPECT_EQ(GetFileCompanyNameFromBytes(PortableExecutable(VersionResource(""))), "");
}

TEST(FileCompany, FileWithoutVersionInformationGivesNothing) {
    EXPECT_EQ(GetFileCompanyNameFromBytes(PortableExecutable("")), "");
    EXPECT_EQ(GetFileCompanyNameFromBytes(""), "");
    EXPECT_EQ(GetFileCompanyNameFromBytes("just some text mentioning StringFileInfo"), "");
}

TEST(FileCompany, ReadsTheEightBitFormOfOlderFiles) {
    EXPECT_EQ(GetFileCompanyNameFromBytes("..StringFileInfo..CompanyName\0Old Corp\0\0\0.."s),
              "Old Corp");
    // Without a triple NUL before the next key the value ends at its first control character.
    EXPECT_EQ(GetFileCompanyNameFromBytes("StringFileInfo CompanyName\0Old Corp\x01"
                                          "FileDescription\0Tool\0\0\0"s),
              "Old Corp");
    // A key at the very end of the file, or a value that never ends, gives nothing.
    EXPECT_EQ(GetFileCompanyNameFromBytes("CompanyName"), "");
    EXPECT_EQ(GetFileCompanyNameFromBytes("CompanyName\0Acme and the rest of the file"s), "");
}
