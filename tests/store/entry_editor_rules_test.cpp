// The editor's button rules, entry lookup and delete question.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/entry_editor_rules.h"
#include "core/entry_store.h"

namespace {
class EditorRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        clearSetup();
        clearEntries();
    }
    void TearDown() override { clearEntries(); }
};
} // namespace

TEST_F(EditorRulesTest, ChangeNeedsFourLeadingDigitsOtherThanTheStoredPin) {
    std::strcpy(setupRecord.storedPin, "1234");
    EXPECT_FALSE(editorButtons("1234", "", "", "", false).changePin) << "the stored PIN itself";
    EXPECT_TRUE(editorButtons("4321", "", "", "", false).changePin);
    EXPECT_TRUE(editorButtons("0000", "", "", "", false).changePin);
    EXPECT_FALSE(editorButtons("123", "", "", "", false).changePin);
    EXPECT_FALSE(editorButtons("12a4", "", "", "", false).changePin);
    EXPECT_FALSE(editorButtons("\x82\x50\x82\x51", "", "", "", false).changePin) << "full-width";
    EXPECT_FALSE(editorButtons("", "", "", "", false).changePin);
    clearSetup();
    EXPECT_TRUE(editorButtons("1234", "", "", "", false).changePin) << "first PIN";
}

TEST_F(EditorRulesTest, RegisterAndClearFollowNameIdAndPasswordOnly) {
    struct Case {
        const char *name, *id, *password;
        bool registerEntry, clear;
    };
    const Case cases[] = {
        {"", "", "", false, false}, {"n", "", "", false, true},  {"n", "i", "", true, true},
        {"n", "", "p", true, true}, {"", "i", "p", false, true}, {"", "", "p", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "|" + c.id + "|" + c.password);
        EditorButtons b = editorButtons("", c.name, c.id, c.password, false);
        EXPECT_EQ(b.registerEntry, c.registerEntry);
        EXPECT_EQ(b.clear, c.clear);
        EXPECT_FALSE(b.remove);
    }
    EXPECT_TRUE(editorButtons("", "", "", "", true).remove);
}

TEST_F(EditorRulesTest, NamesMatchByteForByteAndTheFirstWins) {
    addEntry("Mail", "a", "", "");
    addEntry("mail", "b", "", "");
    EXPECT_EQ(findEntryByName("Mail"), 0);
    EXPECT_EQ(findEntryByName("mail"), 1);
    EXPECT_EQ(findEntryByName("Mail "), -1) << "nothing is trimmed";
    EXPECT_EQ(findEntryByName("MAIL"), -1);
}

TEST_F(EditorRulesTest, TheDeleteQuestionHoldsANameOf87BytesWhole) {
    char question[kQuestionBytes];
    formatDeleteQuestion(question, sizeof question, "Mail");
    EXPECT_STREQ(question, "[Mail] を削除します。\nよろしいですか？");
    std::string longest(87, 'x');
    formatDeleteQuestion(question, sizeof question, longest.c_str());
    EXPECT_EQ(std::string(question), "[" + longest + "] を削除します。\nよろしいですか？");
    EXPECT_LE(std::strlen(question), 127u);
}
