#include "ui/settings/number_box_marks.h"

#include <QLineEdit>

namespace vox {

namespace {

// The mark: a tinted box, and the property tests and styles look at.
void showMark(QLineEdit* edit, NumberBoxKind kind) {
    const auto stored = storedIfNotANumber(edit->text().toStdString(), kind);
    edit->setProperty("notANumber", stored.has_value());
    QPalette palette = edit->parentWidget() ? edit->parentWidget()->palette() : edit->palette();
    if (stored)
        palette.setColor(QPalette::Base, QColor(255, 220, 220));
    edit->setPalette(palette);
    edit->setToolTip(
        stored ? QStringLiteral("Not a number: OK stores %1").arg(QString::fromStdString(*stored))
               : QString());
}

}  // namespace

void NumberBoxMarks::watch(QLineEdit* box, NumberBoxKind kind, const char* field) {
    boxes_.push_back({box, kind, field});
    QObject::connect(box, &QLineEdit::textChanged, box, [box, kind] { showMark(box, kind); });
    showMark(box, kind);
}

std::vector<std::string> NumberBoxMarks::slipLines() const {
    std::vector<std::string> lines;
    for (const Box& b : boxes_) {
        const std::string text = b.edit->text().toStdString();
        if (const auto stored = storedIfNotANumber(text, b.kind))
            lines.push_back(std::string(b.field) + ": \"" + text + "\" is not a number, " +
                            *stored + " stored");
    }
    return lines;
}

}  // namespace vox
