#pragma once

#include <functional>
#include <string>

#include <QPointer>
#include <QWidget>

class QLineEdit;

namespace vox {

inline constexpr const char* kDtmfPadCaption = "DTMF Pad ";

// The character button cmdDTMF<index> adds: 0-9, then * # A B C D.
char dtmfPadKey(int index);

// frmDTMF: a keypad that hands a typed sequence to the dispatcher as if the node had heard it,
// so commands can be tried without a radio. Buttons cmdDTMF0..cmdDTMF15, the read-only Text1,
// cmdClear, Command1 (Send) and cmdClose (Done); Dummy keeps the focus off the buttons so a key
// press cannot send twice. The keyboard works the pad: 0-9 * # A-D, Backspace, Enter sends,
// Escape is Done.
class DtmfPad : public QWidget {
    Q_OBJECT
public:
    using Send = std::function<void(const std::string& digits)>;

    // Opens at the owner's top-left, empty.
    explicit DtmfPad(Send onSend, QWidget* owner = nullptr);

    const QString& digits() const { return digits_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void append(char key);
    void clear();
    void send();
    void focusDummy();

    Send send_;
    QString digits_;
    QLineEdit* text_ = nullptr;
    QWidget* dummy_ = nullptr;
};

// The menu's DTMF Pad: one pad at a time. The first call opens it; later ones raise it as it is.
// Done closes and deletes it, so the next call opens a fresh one.
DtmfPad* showDtmfPad(QPointer<DtmfPad>& pad, QWidget* owner, DtmfPad::Send send);

}  // namespace vox
