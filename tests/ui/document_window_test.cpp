// Without a desktop opener the event log and the manual still show, in a window of our own.
#include "ui/document_window.h"

#include <fstream>

#include <QTextBrowser>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"
#include "ui/help_document.h"

namespace vox {
namespace {

TEST(DocumentWindow, ShowsWhatNoOpenerCouldAndTheLogAsPlainText) {
    TempFolder dir;
    const std::string log = dir.file("VoxclockLog.txt");
    std::ofstream(log) << "12/06/26 09:00:00 Chat from <b>K1ABC</b>\r\n";
    QPointer<DocumentWindow> window;
    int desktopTries = 0;
    const UrlOpener open = documentOpener(
        [&desktopTries](const QUrl&) {
            ++desktopTries;
            return false;  // no xdg-open
        },
        window, nullptr);

    ASSERT_TRUE(open(QUrl::fromLocalFile(QString::fromStdString(log))));
    EXPECT_EQ(desktopTries, 1);
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->browser()->toPlainText().contains("Chat from <b>K1ABC</b>"))
        << "a stranger's text is never markup";

    // The manual, found from the program's own place, at a section.
    const QString manual = findManual(manualCandidates());
    ASSERT_FALSE(manual.isEmpty());
    QUrl url = QUrl::fromLocalFile(manual);
    url.setFragment(QStringLiteral("files"));
    DocumentWindow* same = window;
    ASSERT_TRUE(open(url));
    EXPECT_EQ(window, same) << "one window, reused";
    EXPECT_EQ(window->browser()->source(), url);
    EXPECT_FALSE(window->browser()->toPlainText().contains("<b>"));

    // A desktop opener that works is used, and our window is not needed.
    window->close();
    const UrlOpener desktop = documentOpener([](const QUrl&) { return true; }, window, nullptr);
    EXPECT_TRUE(desktop(QUrl::fromLocalFile(QString::fromStdString(log))));
    EXPECT_FALSE(window->isVisible());

    // Nothing there: nothing shown, and the caller hears so.
    EXPECT_FALSE(open(QUrl::fromLocalFile(QString::fromStdString(dir.file("gone.txt")))));
    delete window;
}

}  // namespace
}  // namespace vox
