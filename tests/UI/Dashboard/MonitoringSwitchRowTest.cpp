#include "UI/Dashboard/MonitoringSwitchRow.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/SwitchToggle.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class MonitoringSwitchRowTest : public testing::Test {
protected:
    MonitoringSwitchRowTest()
        : row(FlagBinding{[this] { return enabled; },
                          [this](bool wanted) {
                              writes.push_back(wanted);
                              if (!refuses) {
                                  enabled = wanted;
                              }
                          }}) {
        row.setState(true, u"Monitoring"_s);
        ViewInspection::layOut(row, 336);
    }

    bool enabled = true;
    bool refuses = false;
    std::vector<bool> writes;
    MonitoringSwitchRow row;
};

TEST_F(MonitoringSwitchRowTest, ShowsTheSwitchItsLabelAndTheCapsule) {
    EXPECT_EQ(ViewInspection::shownTexts(row), (QStringList{u"Enabled"_s, u"Monitoring"_s}));
    EXPECT_EQ(row.toggle()->accessibleName(), u"Enabled"_s);
    EXPECT_TRUE(row.toggle()->isChecked());
    row.setState(false, u"Paused"_s);
    EXPECT_FALSE(row.toggle()->isChecked());
    EXPECT_EQ(row.capsuleText(), u"Paused"_s);
}

TEST_F(MonitoringSwitchRowTest, AClickOrTheAccessibleToggleWritesTheBindingOnce) {
    QTest::mouseClick(row.toggle(), Qt::LeftButton);
    EXPECT_EQ(writes, std::vector<bool>{false});
    EXPECT_FALSE(row.toggle()->isChecked());
    QAccessible::queryAccessibleInterface(row.toggle())
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(writes, (std::vector<bool>{false, true}));
    EXPECT_TRUE(row.toggle()->isChecked());
}

TEST_F(MonitoringSwitchRowTest, ARefusedWriteLeavesTheSwitchWhereTheBindingIs) {
    refuses = true;
    QTest::mouseClick(row.toggle(), Qt::LeftButton);
    EXPECT_EQ(writes, std::vector<bool>{false});
    EXPECT_TRUE(row.toggle()->isChecked());
}
