// The lookup window offscreen, over the fake web in virtual time.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include "core/base/virtual_time.h"
#include "core/lookup/node_lookup.h"
#include "tests/core/base/fake_http_client.h"
#include "ui/lookup/node_lookup_window.h"
#include "ui/mnemonics.h"

namespace vox {
namespace {

const std::string kPage = "https://lookup.example/echolink/vqsearch.cfm";

struct WindowRig {
    WindowRig()
        : clock(LocalTime{2026, 12, 10, 12, 0, 0, 0}),
          loop(clock),
          rt(clock, loop),
          http(rt),
          web(rt, &http, nullptr, 10),
          lookup(web, kPage, [] { return std::string("N0CALL-L"); }, {1, 0, 0}),
          window(new NodeLookupWindow([this](const std::string& t) { return lookup.find(t); })) {
        window->show();
    }
    ~WindowRig() { delete window; }

    template <class W>
    W* child(const char* name) {
        W* w = window->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    std::string out() { return child<QPlainTextEdit>("OutBox")->toPlainText().toStdString(); }
    std::string url(const std::string& call) {
        return kPage + "?node=" + call + "&req=N0CALL-L-(1.0.0)";
    }

    VirtualClock clock;
    VirtualEventLoop loop;
    Runtime rt;
    FakeHttpClient http;
    WebFetcher web;
    NodeLookup lookup;
    QPointer<NodeLookupWindow> window;
};

TEST(NodeLookupWindow, ShowsThatItIsLookingUpWhileTheStationRunsOn) {
    WindowRig rig;
    EXPECT_EQ(rig.window->windowTitle(), "Voxclock Node Lookup");
    EXPECT_EQ(rig.window->objectName(), "frmSearch");
    EXPECT_EQ(rig.out(), " \n");
    EXPECT_TRUE(rig.child<QPlainTextEdit>("OutBox")->isReadOnly());
    auto* find = rig.child<QPushButton>("Command1");
    EXPECT_EQ(shownCaption(find->text()), "Find It");
    EXPECT_EQ(shownCaption(rig.child<QPushButton>("Command2")->text()), "Done");

    rig.http.serve(rig.url("W1AW"), "[USER]W1AW|123|Newington|now[/USER]", 2.0);
    int ticks = 0;
    rig.rt.addTimer("tMain", 500, [&] { ++ticks; }).setEnabled(true);
    std::string during;
    bool findOnDuring = true;
    rig.rt.callAfter(1.0, [&] {
        during = rig.out();
        findOnDuring = find->isEnabled();
    });
    rig.child<QLineEdit>("CallBox")->setText(" W1AW-L ");
    find->click();
    EXPECT_EQ(during, "Looking up W1AW ...");
    EXPECT_FALSE(findOnDuring);
    EXPECT_EQ(ticks, 4);
    EXPECT_EQ(rig.out(),
              "\nEchoLink Call: W1AW\nEchoLink Node Number: 123\nEchoLink Location: "
              "Newington\nNode Last Heard: now\n");
    EXPECT_TRUE(find->isEnabled());

    // No answer: the web time-out gives the error text; the window stays open.
    rig.child<QLineEdit>("CallBox")->setText("K1ABC");
    find->click();
    EXPECT_EQ(rig.out(), "Lookup Error.\nPlease notify QZ9Z of the call you were looking for.");
    EXPECT_TRUE(rig.window->isVisible());
}

// Done during a lookup closes the window at once; it goes away once the lookup has returned.
TEST(NodeLookupWindow, DoneDuringALookupClosesItSafely) {
    WindowRig rig;
    rig.http.serve(rig.url("W1AW"), "[USER]W1AW|1|2|3[/USER]", 2.0);
    auto* done = rig.child<QPushButton>("Command2");
    bool hiddenDuring = false;
    rig.rt.callAfter(1.0, [&] {
        done->click();
        hiddenDuring = !rig.window->isVisible();
    });
    rig.child<QLineEdit>("CallBox")->setText("W1AW");
    rig.child<QPushButton>("Command1")->click();
    EXPECT_TRUE(hiddenDuring);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(rig.window.isNull());
}

}  // namespace
}  // namespace vox
