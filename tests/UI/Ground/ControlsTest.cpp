#include "Support/QStringPrinter.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/Spinner.h"
#include "UI/Ground/SwitchToggle.h"
#include "UI/Ground/SymbolButton.h"
#include "UI/Ground/WindowBorderedButton.h"
#include "UI/PlainLineRendering.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

TEST(SwitchToggleTest, AClickFlipsItAndItsLabelIsOnlyForScreenReaders) {
    SwitchToggle toggle(u"Enabled"_s);
    toggle.show();
    QSignalSpy toggled(&toggle, &QAbstractButton::toggled);
    EXPECT_FALSE(toggle.isChecked());
    QTest::mouseClick(&toggle, Qt::LeftButton);
    EXPECT_TRUE(toggle.isChecked());
    QTest::mouseClick(&toggle, Qt::LeftButton);
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_EQ(toggled.count(), 2);
    EXPECT_EQ(toggle.accessibleName(), u"Enabled"_s);
    EXPECT_TRUE(toggle.text().isEmpty());
}

// What a screen reader does to a switch or a button, through the action its
// accessible interface lists, is what a click does, with the same signals.
TEST(SwitchToggleTest, EachAccessibleActionOfASwitchOrButtonIsAClick) {
    SwitchToggle toggle(u"Enabled"_s);
    SymbolButton symbolButton(u"xmark"_s, 16, Qt::white, u"Close"_s);
    WindowBorderedButton borderedButton(u"Start"_s);
    for (QAbstractButton* button :
         std::initializer_list<QAbstractButton*>{&toggle, &symbolButton, &borderedButton}) {
        SCOPED_TRACE(button->accessibleName().toStdString());
        button->show();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        EXPECT_EQ(accessible->role(),
                  button->isCheckable() ? QAccessible::CheckBox : QAccessible::Button);
        QAccessibleActionInterface* actions = accessible->actionInterface();
        ASSERT_NE(actions, nullptr);
        const QString action = button->isCheckable() ? QAccessibleActionInterface::toggleAction()
                                                     : QAccessibleActionInterface::pressAction();
        EXPECT_TRUE(actions->actionNames().contains(action))
            << actions->actionNames().join(u',').toStdString();
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        actions->doAction(action);
        // A press is shown for a moment before the click, as by the keyboard.
        EXPECT_TRUE(clicked.count() == 1 || clicked.wait(1000));
        EXPECT_EQ(clicked.count(), 1);
        EXPECT_EQ(button->isChecked(), button->isCheckable());
        EXPECT_EQ(accessible->state().checked, button->isCheckable());
    }
    // A disabled switch, which no click changes, lists no action and does none.
    toggle.setEnabled(false);
    QAccessibleActionInterface* disabled =
        QAccessible::queryAccessibleInterface(&toggle)->actionInterface();
    EXPECT_FALSE(disabled->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    disabled->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(toggle.isChecked());
}

TEST(SpinnerTest, ItTurnsOnlyWhileVisible) {
    Spinner spinner(16, PopoverTheme::secondaryText());
    EXPECT_FALSE(spinner.isTurning());
    spinner.show();
    EXPECT_TRUE(spinner.isTurning());
    spinner.hide();
    EXPECT_FALSE(spinner.isTurning());
}

TEST(OneLineLabelTest, ItDrawsWhatFitsItsCurrentWidth) {
    OneLineLabel label(u"Airport Lounge Free Wi-Fi Terminal 2"_s, PopoverTheme::bodyFont(),
                       PopoverTheme::primaryText());
    label.resize(label.sizeHint());
    EXPECT_EQ(label.currentFit().text, label.text());
    label.resize(80, label.height());
    EXPECT_TRUE(label.currentFit().text.endsWith(u"\u2026"_s));
    EXPECT_EQ(label.text(), u"Airport Lounge Free Wi-Fi Terminal 2"_s);
    EXPECT_EQ(label.accessibleName(), label.text());
    // A layout may squeeze it to nothing; it never asks for more than one line.
    EXPECT_EQ(label.minimumSizeHint().width(), 0);
    EXPECT_EQ(label.sizeHint().height(), label.minimumSizeHint().height());
}

// Control characters show, bidirectional controls are shown instead of
// obeyed, and a name takes its direction from its own first letter.
TEST(OneLineLabelTest, ItDrawsTheDisplayFormOfItsTextInADirectionOfItsOwn) {
    struct Case {
        QString text;
        QString drawnAs;
    };
    const std::vector<Case> cases{
        {u"<b>Linden</b> & Co"_s, u"<b>Linden</b> & Co"_s},
        {u"A\nB\tC"_s, u"A B C"_s},
        {u"\u202Egnp.exe"_s, u"\uFFFDgnp.exe"_s},
        // Hebrew ends at the left: its full stop goes there too.
        {u"\u05E9\u05DC\u05D5\u05DD."_s, u".\u05E9\u05DC\u05D5\u05DD"_s},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.text.toStdString());
        OneLineLabel label(testCase.text, PopoverTheme::bodyFont(), PopoverTheme::primaryText());
        label.resize(label.sizeHint());
        EXPECT_TRUE(PlainLineRendering::drawsPlainly(label, testCase.drawnAs));
        EXPECT_EQ(label.text(), testCase.text);
    }
}
