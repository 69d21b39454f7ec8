#include "forms/list_view.h"

#include <gtest/gtest.h>

#include "forms/form_registry.h"
#include "support/forms_fixture.h"

namespace {

class ResultsForm : public forms::Form {
  public:
    ResultsForm() : Form("frmResults") {
        lvwThreats.SetCheckboxes(true);
        lvwThreats.ColumnHeaders.Add("Spyware/Adware Found", 1400);
        lvwThreats.ColumnHeaders.Add("Location", 1400);
        lvwThreats.ColumnHeaders.Add("Type", 1400);
        lvwThreats.OnItemCheck = [this](forms::ListItem& item) { checks.push_back(item.Index()); };
    }
    forms::ListView lvwThreats{*this, "lvwThreats"};
    std::vector<int> checks;
};

ResultsForm& frmResults() {
    return forms::DefaultInstance<ResultsForm>();
}

class ListViewRows : public FormsTest {
  protected:
    forms::ListView& List() { return frmResults().lvwThreats; }

    void AddRows(std::initializer_list<const char*> texts) {
        for (const char* text : texts) {
            List().ListItems.Add(text, 3);
        }
    }

    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (int i = 1; i <= List().ListItems.Count(); ++i) {
            texts.push_back(List().ListItems(i).Text());
        }
        return texts;
    }
};

TEST_F(ListViewRows, RowsCountFromOneAndAnIndexPastTheEndIsAnError) {
    AddRows({"Alpha", "Beta"});
    EXPECT_EQ(List().ListItems(1).Text(), "Alpha");
    EXPECT_EQ(List().ListItems(2).Index(), 2);
    EXPECT_EQ(List().ListItems(2).SmallIcon(), 3);
    EXPECT_THROW(List().ListItems(0), forms::IndexOutOfRange);
    EXPECT_THROW(List().ListItems(3), forms::IndexOutOfRange);
}

// The removal walks the rows from 1, steps back after each removal and stops at the first index
// past the end.
TEST_F(ListViewRows, DroppingTickedRowsByIndexKeepsTheOthersInOrder) {
    AddRows({"1", "2", "3", "4", "5"});
    List().ListItems(2).SetChecked(true);
    List().ListItems(3).SetChecked(true);

    const int count = List().ListItems.Count();
    try {
        for (int i = 1; i <= count; ++i) {
            if (List().ListItems(i).Checked()) {
                List().ListItems.Remove(i);
                --i;
            }
        }
    } catch (const forms::IndexOutOfRange&) {
    }

    EXPECT_EQ(Texts(), (std::vector<std::string>{"1", "4", "5"}));
    EXPECT_EQ(List().ListItems(3).Index(), 3);
}

TEST_F(ListViewRows, SubItemsReachTheLastColumnAndNoFurther) {
    AddRows({"Foo"});
    forms::ListItem& row = List().ListItems(1);
    row.SetSubItem(1, "C:\\foo.exe");
    row.SetSubItem(2, "File");
    EXPECT_EQ(row.SubItems(1), "C:\\foo.exe");
    EXPECT_EQ(row.SubItems(2), "File");
    EXPECT_THROW(row.SetSubItem(3, "x"), forms::IndexOutOfRange);
    EXPECT_THROW(row.SubItems(0), forms::IndexOutOfRange);
    List().ListItems.Add("Bar");
    EXPECT_EQ(List().ListItems(2).SubItems(2), "") << "a sub-item never set is empty";
}

TEST_F(ListViewRows, FindItemMatchesAPrefixWithoutCaseFromTheFirstRow) {
    AddRows({"Cookie: a@site", "Registry: Évil", "cookie: b@site"});
    EXPECT_EQ(List().FindItem("COOKIE")->Index(), 1);
    EXPECT_EQ(List().FindItem("registry: évil")->Index(), 2);
    EXPECT_EQ(List().FindItem("cookie: b")->Index(), 3);
    EXPECT_EQ(List().FindItem("File"), nullptr);
}

TEST_F(ListViewRows, ItemCheckComesFromTheUsersTickOnly) {
    AddRows({"Foo", "Bar"});
    List().ListItems(1).SetChecked(true);
    List().UserSetChecked(2, true);
    List().UserSetChecked(2, true);
    List().UserSetChecked(1, false);

    EXPECT_EQ(frmResults().checks, (std::vector<int>{2, 1}));
    EXPECT_FALSE(List().ListItems(1).Checked());
    EXPECT_TRUE(List().ListItems(2).Checked());
}

TEST_F(ListViewRows, ColumnWidthsKeepFractions) {
    List().ColumnHeaders(2).SetWidth(1234.5);
    EXPECT_DOUBLE_EQ(List().ColumnHeaders(2).Width(), 1234.5);
    EXPECT_EQ(List().ColumnHeaders(1).Text(), "Spyware/Adware Found");
    EXPECT_THROW(List().ColumnHeaders(4), forms::IndexOutOfRange);
    EXPECT_THROW(List().ColumnHeaders(1).SetWidth(-1), forms::InvalidPropertyValue);
}

TEST_F(ListViewRows, ObserversLearnWhichRowChanged) {
    std::vector<std::pair<forms::Property, int>> heard;
    List().Observe(
        [&](const forms::Change& change) { heard.emplace_back(change.property, change.item); });
    AddRows({"Foo", "Bar"});
    List().ListItems(2).SetChecked(true);
    List().ListItems.Remove(1);
    List().ListItems.Clear();

    using P = forms::Property;
    EXPECT_EQ(heard, (std::vector<std::pair<P, int>>{{P::ListItemAdded, 1},
                                                     {P::ListItemAdded, 2},
                                                     {P::ListItemChanged, 2},
                                                     {P::ListItemRemoved, 1},
                                                     {P::ListItemsCleared, 0}}));
}

}  // namespace
