#include "UI/Ground/FocusRing.h"

#include "Support/QStringPrinter.h"
#include "Support/TestRuntime.h"
#include "UI/ChannelScan/ChannelScanWindowView.h"
#include "UI/DiagnosticsExport/DiagnosticsExportSymbolButton.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/SymbolButton.h"
#include "UI/Ground/WindowBorderedButton.h"
#include "UI/Radar/RadarNearbyListView.h"
#include "UI/Settings/SettingsLinkButton.h"
#include "UI/SpeedTest/SpeedTestWindowModel.h"
#include "UI/SpeedTest/SpeedTestWindowView.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QScrollArea>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

// Every control that takes the focus shows it by a ring of the accent
// just outside its shape when the focus came by Tab, and not at all when it
// came by the mouse or the control has since been pressed with the mouse.
TEST(FocusRingTest, EveryControlShowsKeyboardFocusAndOnlyThat) {
    QWidget window;
    // The controls of the tool windows and the settings link; the popover's and
    // the settings window's other controls are checked in their own views' Tab walks.
    const std::vector<QWidget*> controls{
        new SymbolButton(u"info.circle"_s, 11, PopoverTheme::secondaryText(), u"Details"_s),
        new SettingsLinkButton(u"Open Settings"_s, PopoverTheme::microFont()),
        new WindowBorderedButton(u"Run Test"_s),
        new DiagnosticsExportSymbolButton(u"doc.on.doc"_s, 13, QString()),
    };
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    for (QWidget* control : controls) {
        layout->addWidget(control, 0, Qt::AlignLeft);
    }
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    EXPECT_EQ(ViewInspection::tabStopsWithoutFocusRing(window, NamedColors::accent), QStringList());
    EXPECT_EQ(ViewInspection::tabStops(window).size(), controls.size());

    QWidget* pressed = controls[1];
    pressed->clearFocus();
    const QImage unfocused = ViewInspection::pixelsAround(window, *pressed);
    pressed->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(ViewInspection::showsFocusRing(
        unfocused, ViewInspection::pixelsAround(window, *pressed), NamedColors::accent));
    QTest::mouseClick(pressed, Qt::LeftButton);
    EXPECT_TRUE(pressed->hasFocus());
    EXPECT_TRUE(ViewInspection::pixelsAround(window, *pressed) == unfocused)
        << "a press takes the ring away";

    // The one control of a window, focused as the window opened, from the first Tab.
    QWidget single;
    auto* runTest = new WindowBorderedButton(u"Run Test"_s);
    (new QVBoxLayout(&single))->addWidget(runTest);
    single.show();
    single.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&single));
    ASSERT_TRUE(runTest->hasFocus());
    EXPECT_EQ(ViewInspection::tabStopsWithoutFocusRing(single, NamedColors::accent), QStringList());
}

// A scroll area that is a Tab stop (the arrow keys scroll it) fills its
// window or panel edge to edge: it shows keyboard focus by the ring just
// inside its edge, and mouse focus not at all.
TEST(FocusRingTest, AScrollAreaTabStopShowsKeyboardFocusInsideItsEdge) {
    struct Case {
        const char* name;
        // Lays the view out in the window; gives its scroll area.
        std::function<QScrollArea*(QVBoxLayout&)> build;
    };
    const std::vector<Case> cases{
        {"the channel scan's results",
         [](QVBoxLayout& layout) {
             auto* view = new ChannelScanWindowView(10);
             layout.addWidget(view);
             return view->scrollArea();
         }},
        {"the speed test's results while a test runs",
         [](QVBoxLayout& layout) {
             auto* view = new SpeedTestWindowView(10);
             SpeedTestWindowInputs inputs;
             inputs.isRunning = true;
             inputs.phase = SpeedTestPhase::download;
             view->setContent(SpeedTestWindowModel::content(inputs, TestRuntime::startDate()));
             layout.addWidget(view);
             return view->scrollArea();
         }},
        {"the radar's nearby list",
         [](QVBoxLayout& layout) {
             auto* list = new RadarNearbyListView;
             list->setContent({{u"Lantern"_s, u"-60 dBm"_s, u"Ch 1 . 2.4 GHz"_s}}, QString());
             layout.addWidget(list);
             return list->scrollArea();
         }},
    };
    for (const Case& example : cases) {
        SCOPED_TRACE(example.name);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        QScrollArea* area = example.build(*layout);
        window.resize(900, 600);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        area->clearFocus();
        const QImage unfocused = ViewInspection::pixelsAround(window, *area);
        area->setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(ViewInspection::showsFocusRing(
            unfocused, ViewInspection::pixelsAround(window, *area), NamedColors::accent));
        area->clearFocus();
        area->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(area->hasFocus());
        EXPECT_TRUE(ViewInspection::pixelsAround(window, *area) == unfocused);
    }
}
