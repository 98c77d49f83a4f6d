// The copy-free view of a cell must always read what value() reads.
#include "storage/TTextTable.h"

#include <gtest/gtest.h>

TEST(TableView, SameBytesAsValueForEveryCell)
{
    TTextTable t;
    t.AddField("A");
    t.AddField("B");
    t.AddField("C");
    const QByteArray cells[][3] = {{"", "x;y", ""}, {"Hecht", "", "\\n"}, {"", "", ""}, {"1", "22", "333"}};
    for (const auto& r : cells) {
        t.AddRow();
        t.SetData("A", r[0]);
        t.SetData("B", r[1]);
        t.SetData("C", r[2]);
    }
    t.GoToRow(2);
    t.SetData("B", "länger geworden");
    for (int row = 1; row <= t.RowCount(); ++row)
        for (int col = 1; col <= 3; ++col)
            EXPECT_EQ(t.view(row, col), t.value(row, col)) << row << "/" << col;
    EXPECT_TRUE(t.view(0, 1).isEmpty());
    EXPECT_TRUE(t.view(1, 4).isEmpty());
}
