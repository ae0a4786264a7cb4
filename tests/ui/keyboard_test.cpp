// The keyboard reaches everything: Tab goes through every dialog's controls in reading order,
// Alt+letter works without clashes in each dialog and menu, the DTMF pad is played from the
// keys, and Escape closes the lookup window.
#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSet>
#include <QTabBar>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"
#include "ui/dtmf/dtmf_pad.h"
#include "ui/dtmf/dtmf_setup_page.h"
#include "ui/echolink/node_skeds_page.h"
#include "ui/lookup/node_lookup_window.h"
#include "ui/main_window.h"
#include "ui/mnemonics.h"
#include "ui/settings/sound_device_page.h"
#include "ui/settings/timing_page.h"
#include "ui/settings/voice_page.h"
#include "ui/weather/wx_setup_page.h"

namespace vox {
namespace {

struct NamedDialog {
    const char* name;
    std::function<SetupDialog*(const std::string& root)> create;
};

std::vector<NamedDialog> setupDialogs() {
    auto current = [] { return Settings{}; };
    auto apply = [](const Settings&) { return ApplyResult{}; };
    return {
        {"Remote Nodes", [=](const std::string&) { return createNodeSkedsDialog(current, apply); }},
        {"DTMF Cmds", [=](const std::string&) { return createDtmfSetupDialog(current, apply); }},
        {"WX Setup",
         [=](const std::string& root) { return createWxSetupDialog(current, apply, root); }},
        {"Timing and ID",
         [=](const std::string&) { return createTimingDialog(current, apply, {}); }},
        {"TTS Voice", [=](const std::string&) { return createVoiceDialog(current, apply, {}); }},
        {"Sound Device",
         [=](const std::string&) {
             return createSoundDeviceDialog(current, apply,
                                            [] { return std::vector<std::string>{"Speakers"}; });
         }},
    };
}

// The controls Tab stops at, in the order Tab takes them, from the first one on.
std::vector<QWidget*> tabChain(QWidget* window) {
    std::vector<QWidget*> chain;
    QWidget* start = nullptr;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled()) {
            start = w;
            break;
        }
    if (!start)
        return chain;
    QWidget* w = start;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled() &&
            w->window() == window)
            chain.push_back(w);
        w = w->nextInFocusChain();
    } while (w != start && chain.size() < 500);
    return chain;
}

std::string describe(QWidget* w) {
    return w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName().toStdString();
}

TEST(Keyboard, TabGoesThroughEveryDialogInReadingOrder) {
    TempFolder dir;
    for (const NamedDialog& d : setupDialogs()) {
        SCOPED_TRACE(d.name);
        std::unique_ptr<SetupDialog> dialog(d.create(dir.path));
        dialog->open();
        QApplication::processEvents();
        std::vector<QWidget*> chain = tabChain(dialog.get());
        // Every control is reached...
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(dialog.get()) &&
                w->isEnabled() && !qobject_cast<QTabBar*>(w)) {
                EXPECT_NE(std::find(chain.begin(), chain.end(), w), chain.end()) << describe(w);
            }
        }
        // ...and the next one is never on a line above, unless it stands to the right (a
        // column beside) or the chain wraps round to the first control.
        ASSERT_FALSE(chain.empty());
        for (std::size_t i = 1; i < chain.size(); ++i) {
            const QRect a(chain[i - 1]->mapTo(dialog.get(), QPoint(0, 0)), chain[i - 1]->size());
            const QRect b(chain[i]->mapTo(dialog.get(), QPoint(0, 0)), chain[i]->size());
            EXPECT_TRUE(b.center().y() >= a.top() || b.left() >= a.right())
                << describe(chain[i - 1]) << " then " << describe(chain[i]);
        }
    }
}

// Alt+letter per window: none twice, and every captioned control that takes the keyboard has
// one unless every letter of its caption is already another control's (a dialog with more boxes
// than letters: Tab reaches those).
void expectMnemonicsWithoutClash(const std::vector<QString>& captions) {
    QSet<QChar> letters;
    for (const QString& c : captions)
        if (const QKeySequence key = QKeySequence::mnemonic(c); !key.isEmpty())
            letters.insert(key.toString().back().toLower());
    QList<QKeySequence> seen;
    for (const QString& c : captions) {
        const QKeySequence key = QKeySequence::mnemonic(c);
        bool freeLetter = false;
        for (const QChar ch : shownCaption(c))
            freeLetter |= ch.isLetterOrNumber() && !letters.contains(ch.toLower());
        EXPECT_FALSE(key.isEmpty() && freeLetter) << shownCaption(c).toStdString();
        EXPECT_FALSE(!key.isEmpty() && seen.contains(key))
            << key.toString().toStdString() << " twice, at " << shownCaption(c).toStdString();
        seen << key;
    }
}

TEST(Keyboard, EveryDialogAndMenuHasMnemonicsWithoutClashes) {
    TempFolder dir;
    for (const NamedDialog& d : setupDialogs()) {
        SCOPED_TRACE(d.name);
        std::unique_ptr<SetupDialog> dialog(d.create(dir.path));
        std::vector<QString> captions;
        for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
            if ((b->focusPolicy() & Qt::TabFocus) && !b->text().isEmpty() &&
                !qobject_cast<QDialogButtonBox*>(b->parentWidget()))
                captions.push_back(b->text());
        for (QLabel* l : dialog->findChildren<QLabel*>())
            if (l->buddy())
                captions.push_back(l->text());
        expectMnemonicsWithoutClash(captions);
    }
    FrontPanel panel;
    MainWindowActions actions;
    actions.showSimulator = [] {};
    MainWindow window(panel, actions, true);
    for (QMenu* menu : window.findChildren<QMenu*>()) {
        SCOPED_TRACE(shownCaption(menu->title()).toStdString());
        std::vector<QString> captions;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                captions.push_back(a->text());
        expectMnemonicsWithoutClash(captions);
    }
}

// A key pressed and let go on a control, as the window system hands it over.
void type(QWidget* w, int key, const QString& text = {}) {
    for (const QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(t, key, Qt::NoModifier, text);
        QApplication::sendEvent(w, &event);
    }
}
void type(QWidget* w, const QString& text) {
    for (const QChar c : text)
        type(w, QKeySequence(QString(c.toUpper()))[0].key(), QString(c));
}

TEST(Keyboard, TheDtmfPadIsPlayedFromTheKeys) {
    std::vector<std::string> sent;
    auto* pad = new DtmfPad([&sent](const std::string& d) { sent.push_back(d); });
    pad->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<DtmfPad> alive(pad);
    pad->show();
    type(pad, QStringLiteral("12*#abcd90x"));
    EXPECT_EQ(pad->digits().toStdString(), "12*#ABCD90") << "other keys add nothing";
    type(pad, Qt::Key_Backspace);
    type(pad, Qt::Key_Backspace);
    EXPECT_EQ(pad->digits().toStdString(), "12*#ABCD");
    type(pad, Qt::Key_Return);
    EXPECT_EQ(sent, std::vector<std::string>{"12*#ABCD"});
    EXPECT_TRUE(pad->digits().isEmpty());
    type(pad, QStringLiteral("5"));
    type(pad, Qt::Key_Enter);  // the keypad's Enter as well
    EXPECT_EQ(sent.back(), "5");
    type(pad, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull()) << "Escape is Done";
}

TEST(Keyboard, EscapeClosesTheLookupWindow) {
    auto* window = new NodeLookupWindow([](const std::string&) { return LookupResult{}; });
    QPointer<NodeLookupWindow> alive(window);
    window->show();
    type(window->findChild<QLineEdit*>(QStringLiteral("CallBox")), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

}  // namespace
}  // namespace vox
