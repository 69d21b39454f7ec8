#include <gtest/gtest.h>

#include <string>

#include "localization/cls_languages.h"
#include "localization/globals.h"

namespace {

std::string KeyNumber(int n) {
    return "MSG_EXTRA" + std::to_string(n);
}

}  // namespace

TEST(MessageTable, LooksUpKeysWithoutLetterCase) {
    clsLanguages languages;
    languages.LoadDefaultMessages();
    EXPECT_EQ(languages.getMessages("msg_stop"), "Are you sure you want to stop the scan?");
    EXPECT_EQ(languages.getMessages("MSG_STOP"), languages.getMessages("Msg_Stop"));
    EXPECT_EQ(languages.getMessages("MSG_NOTSELECED"), "Not Selected");
    EXPECT_EQ(languages.getMessages("MSG_NOTSELECTED"), "");
    EXPECT_EQ(languages.getMessages("MSG_TITLELANGUAGE"), "Language Selection");
    EXPECT_EQ(languages.getMessages(""), "");
}

TEST(MessageTable, UpperCasesTheFirstCharacterAndKeepsPlaceholders) {
    clsLanguages languages;
    languages.LoadDefaultMessages();
    EXPECT_EQ(languages.getMessages("MSG_COMPLETE"), "Complete");
    EXPECT_EQ(languages.getMessages("MSG_RESULTS_THANK"), "Submitted.  Thank you!");
    EXPECT_EQ(languages.getMessages("MSG_ERROR_STOPPED").rfind("Could not be stopped.", 0), 0u);
    EXPECT_EQ(languages.getMessages("MSG_PAUSED"),
              "[ProgramName] has been paused.  Click OK to resume.");
    EXPECT_EQ(languages.getMessages("MSG_FOUND2"),
              "] using you system memory. Click YES to stop [");
    EXPECT_EQ(languages.getMessages("MSG_CAPTION"), "[ProgramName] by [CompanyName]");
}

TEST(MessageTable, FirstRegistrationOfAKeyWins) {
    clsLanguages languages;
    languages.setMessage("MSG_A", "first");
    languages.setMessage("msg_a", "second");
    EXPECT_EQ(languages.getMessages("MSG_A"), "First");
}

TEST(MessageTable, HoldsSixtyNineBuiltInTextsInTwoHundredAndOneSlots) {
    clsLanguages languages;
    languages.LoadDefaultMessages();
    const int freeSlots = 201 - 69;
    for (int n = 1; n <= freeSlots + 1; ++n) {
        languages.setMessage(KeyNumber(n), "text " + std::to_string(n));
    }
    EXPECT_EQ(languages.getMessages(KeyNumber(freeSlots)), "Text 132");
    EXPECT_EQ(languages.getMessages(KeyNumber(freeSlots + 1)), "");  // the 202nd is dropped
    EXPECT_EQ(languages.getMessages("MSG_THANK1"), "Thank you for using [ProgramName]!");
}

TEST(MessageTable, AFreshObjectKnowsNoText) {
    ResetLocalizationGlobals();
    EXPECT_EQ(gLanguages, nullptr);
    gLanguages = std::make_unique<clsLanguages>();
    EXPECT_EQ(gLanguages->getMessages("MSG_STOP"), "");
    ResetLocalizationGlobals();
}
