#include <gtest/gtest.h>

#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "support/temporary_folder.h"
#include "ui/frm_download.h"
#include "update/globals.h"
#include "update/whole_file_downloads.h"
#include "update_fixture.h"

using test_support::ReadHostFileOrEmpty;

namespace {

class WholeFileDownloadTest : public UpdateTest {
  protected:
    WholeFileDownloadTest() { gDefinitionsBaseURL = server.BaseUrl(); }
};

TEST_F(WholeFileDownloadTest, StagesTheFileAndStoresItsVersion) {
    server.Serve("definitions/data/RegistryDefinition.dat", "whole file\r\n");
    std::vector<std::string> statuses;
    frmDownload().txtStatus.OnChange = [&] { statuses.push_back(frmDownload().txtStatus.Text()); };

    Main().DownloadRegistryDefinitions(7);

    EXPECT_EQ(ReadHostFileOrEmpty(program.path() / "DLRegistryDefinition.dat"), "whole file\r\n");
    EXPECT_EQ(GetSetting(gProgramName, "OptionAndSettings", "RegistryDefinition", ""), "7");
    EXPECT_EQ(statuses, std::vector<std::string>{"Getting Registry Definitions... please wait..."});
}

TEST_F(WholeFileDownloadTest, SaysSoWhenTheFileCannotBeHad) {
    program.WriteFile("DLExeDefinition.dat", "staged before");
    forms::TestHost::ExpectedMsgBox box;
    box.text = "Definitions could not be downloaded. Please check your internet connection.";
    box.title = "Toll Wark";
    box.style = forms::MsgBoxCritical;
    host.ExpectMsgBox(box);

    Main().DownloadExeDefinitions(3);  // the server has no such file: it answers 404

    EXPECT_EQ(ReadHostFileOrEmpty(program.path() / "DLExeDefinition.dat"), "staged before");
    EXPECT_EQ(GetSetting(gProgramName, "OptionAndSettings", "EXEDefinition", "none"), "none");
}

}  // namespace
