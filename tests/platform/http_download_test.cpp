#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/http.h"
#include "server/definitions_server_process.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using platform::DownloadUrlToHostFile;
using platform::HttpError;

namespace {

class DownloadUrlToHostFileTest : public testing::Test {
  protected:
    DownloadUrlToHostFileTest() {
        std::string pattern = (fs::temp_directory_path() / "tollenwark-download-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
    }
    ~DownloadUrlToHostFileTest() override { fs::remove_all(folder_); }

    fs::path Target() const { return folder_ / "DLFileDefinition.dat"; }

    void WriteTarget(const std::string& contents) const {
        std::ofstream(Target(), std::ios::binary) << contents;
    }

    std::string ReadTarget() const {
        std::ifstream file(Target(), std::ios::binary);
        std::ostringstream contents;
        contents << file.rdbuf();
        return contents.str();
    }

    // Names in the folder: a failed download must leave nothing of its own behind.
    std::vector<std::string> FolderContents() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    static platform::HttpLimits QuickLimits() {
        platform::HttpLimits limits;
        limits.stallTimeout = 300ms;
        return limits;
    }

    fs::path folder_;
    const std::string definitions_ = std::string(1000, 'd');
};

}  // namespace

TEST_F(DownloadUrlToHostFileTest, StoresTheWholeBodyInPlaceOfTheOldFile) {
    DefinitionsServerProcess server;
    server.Serve("definitions/data/FileDefinition.dat", definitions_);
    WriteTarget("old definitions");
    std::size_t progress = 0;
    const platform::HttpListener counting{[&progress](std::string_view piece) {
                                              progress += piece.size();
                                              return platform::HttpFlow::Continue;
                                          },
                                          {}};

    const auto result = DownloadUrlToHostFile(
        server.BaseUrl() + "/definitions/data/FileDefinition.dat", Target(), counting);
    EXPECT_TRUE(result.succeeded()) << result.detail;
    EXPECT_EQ(ReadTarget(), definitions_);
    EXPECT_EQ(progress, definitions_.size());
    EXPECT_EQ(FolderContents(), std::vector<std::string>({"DLFileDefinition.dat"}));
}

TEST_F(DownloadUrlToHostFileTest, LeavesNoPartialFileWhenTheBodyBreaksOff) {
    DefinitionsServerOptions stalling;
    stalling.stallAfterBytes = 500;
    DefinitionsServerProcess server(stalling);
    server.Serve("FileDefinition.dat", definitions_);
    const std::string url = server.BaseUrl() + "/FileDefinition.dat";

    EXPECT_EQ(DownloadUrlToHostFile(url, Target(), {}, QuickLimits()).error, HttpError::TimedOut);
    EXPECT_TRUE(FolderContents().empty());

    WriteTarget("old definitions");
    EXPECT_FALSE(DownloadUrlToHostFile(url, Target(), {}, QuickLimits()).succeeded());
    EXPECT_EQ(ReadTarget(), "old definitions");
    EXPECT_EQ(FolderContents(), std::vector<std::string>({"DLFileDefinition.dat"}));
}

TEST_F(DownloadUrlToHostFileTest, KeepsTheOldFileForErrorPagesAndReadOnlyFiles) {
    DefinitionsServerProcess server;
    server.Serve("FileDefinition.dat", definitions_);
    WriteTarget("old definitions");

    const auto missing = DownloadUrlToHostFile(server.BaseUrl() + "/missing.dat", Target());
    EXPECT_EQ(missing.error, HttpError::HttpStatus);
    EXPECT_EQ(ReadTarget(), "old definitions");

    fs::permissions(Target(), fs::perms::owner_read | fs::perms::group_read);
    const auto readOnly = DownloadUrlToHostFile(server.BaseUrl() + "/FileDefinition.dat", Target());
    EXPECT_EQ(readOnly.error, HttpError::WriteFailed);
    EXPECT_EQ(ReadTarget(), "old definitions");

    const auto noFolder = DownloadUrlToHostFile(server.BaseUrl() + "/FileDefinition.dat",
                                                folder_ / "absent" / "file.dat");
    EXPECT_EQ(noFolder.error, HttpError::WriteFailed);
    EXPECT_EQ(FolderContents(), std::vector<std::string>({"DLFileDefinition.dat"}));
}
