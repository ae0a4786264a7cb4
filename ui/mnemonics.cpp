#include "ui/mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <functional>

namespace vox {

namespace {

// The letter a caption already names with a single '&', or none.
QChar namedLetter(const QString& caption) {
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;  // "&&" is a literal ampersand
            continue;
        }
        return caption[i + 1].toLower();
    }
    return {};
}

// The caption with '&' before its first letter not in `taken`; unchanged when none is free.
QString withMnemonic(const QString& caption, QSet<QChar>& taken) {
    if (const QChar named = namedLetter(caption); !named.isNull()) {
        taken.insert(named);
        return caption;
    }
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            ++i;  // skip the literal ampersand's second half
            continue;
        }
        const QChar c = caption[i].toLower();
        if (c.isLetterOrNumber() && c.unicode() < 128 && !taken.contains(c)) {
            taken.insert(c);
            return caption.left(i) + QLatin1Char('&') + caption.mid(i);
        }
    }
    return caption;
}

// The window's captions, in the order given, through one pass: those that already name a letter
// first, so a given letter is never handed to another caption.
void assign(const std::vector<std::pair<QString, std::function<void(const QString&)>>>& captions) {
    QSet<QChar> taken;
    for (const auto& [caption, set] : captions)
        if (const QChar named = namedLetter(caption); !named.isNull())
            taken.insert(named);
    for (const auto& [caption, set] : captions)
        if (namedLetter(caption).isNull())
            set(withMnemonic(caption, taken));
}

}  // namespace

void assignMnemonics(QWidget* window) {
    std::vector<std::pair<QString, std::function<void(const QString&)>>> captions;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->buddy() && label->textFormat() != Qt::RichText)
                captions.emplace_back(label->text(),
                                      [label](const QString& t) { label->setText(t); });
            continue;
        }
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (!button || !(button->focusPolicy() & Qt::TabFocus) || button->text().isEmpty() ||
            qobject_cast<QDialogButtonBox*>(button->parentWidget()))
            continue;
        captions.emplace_back(button->text(), [button](const QString& t) { button->setText(t); });
    }
    assign(captions);
}

void assignMnemonics(QMenu* menu) {
    std::vector<std::pair<QString, std::function<void(const QString&)>>> captions;
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && !a->text().isEmpty())
            captions.emplace_back(a->text(), [a](const QString& t) { a->setText(t); });
    assign(captions);
}

QString shownCaption(const QString& caption) {
    QString shown;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

}  // namespace vox
