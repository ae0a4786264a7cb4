#pragma once

#include <QFileDialog>
#include <string>

#include "ui/settings/setup_dialog.h"
#include "ui/settings/store_now.h"

namespace vox {

// frmSelect: Qt's own file dialog (not the platform's, so it behaves alike everywhere), showing
// the info texts and WAV files. Select (or a double click on a file) makes the file the info
// file and writes the settings; Select with no file chosen stores the folder. However it closes,
// the folder it showed is remembered for the next time.
class InfoFileDialog : public QFileDialog {
    Q_OBJECT
public:
    InfoFileDialog(SetupDialog::Current current, SetupDialog::Apply apply, StoreNow storeNow,
                   std::string programRoot, QWidget* parent = nullptr);

    // Opens non-modal in the folder shown last.
    void open() override;
    void accept() override;
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void select(const std::string& folder, const std::string& fileName);

    SetupDialog::Current current_;
    SetupDialog::Apply apply_;
    StoreNow storeNow_;
    std::string programRoot_;
    QWidget* selectButton_ = nullptr;
};

}  // namespace vox
