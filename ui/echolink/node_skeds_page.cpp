#include "ui/echolink/node_skeds_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <iterator>

namespace vox {
namespace {

const char* const kSlotNames[] = {"tbSlot1Start", "tbSlot1Stop",  "tbSlot2Start",
                                  "tbSlot2Stop",  "tbSlot3Start", "tbSlot3Stop"};
const char* const kSlotLabels[] = {"Start 1", "Stop 1", "Start 2", "Stop 2", "Start 3", "Stop 3"};
const char* const kDayNames[] = {"cbMonday", "cbTuesday",  "cbWednesday", "cbThursday",
                                 "cbFriday", "cbSaturday", "cbSunday"};
const char* const kDayLabels[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

QString named(const char* name, int row) {
    return QString::fromLatin1(name) + QString::number(row);
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

std::string s(const QLineEdit* edit) {
    return edit->text().toStdString();
}

}  // namespace

NodeSkedsPage::NodeSkedsPage(QWidget* parent) : SetupPage(parent) {
    auto* grid = new QGridLayout(this);
    int column = 0;
    // Check boxes and their headers sit in the middle of their columns, and the day columns are
    // all as wide as the widest day, so the days read as an even row.
    auto header = [&](const char* text) {
        grid->addWidget(new QLabel(QString::fromLatin1(text), this), 0, column++, Qt::AlignHCenter);
    };
    header("Node Call");
    header("Auto");
    for (const char* label : kSlotLabels)
        header(label);
    header("Delay");
    header("Daily");
    for (const char* label : kDayLabels)
        header(label);
    header("DTMF");

    const int firstDay = column - 1 - static_cast<int>(std::size(kDayLabels));
    int dayWidth = 0;
    for (const char* day : kDayLabels)
        dayWidth = std::max(dayWidth, fontMetrics().horizontalAdvance(QString::fromLatin1(day)));
    for (int d = 0; d < static_cast<int>(std::size(kDayLabels)); ++d)
        grid->setColumnMinimumWidth(firstDay + d, dayWidth + 8);

    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        RowWidgets& r = rows_[static_cast<std::size_t>(i)];
        const int line = i + 1;
        column = 0;
        auto edit = [&](const char* name, int width) {
            auto* e = new QLineEdit(this);
            e->setObjectName(named(name, i));
            e->setFixedWidth(width);
            grid->addWidget(e, line, column++);
            return e;
        };
        auto box = [&](const char* name) {
            auto* b = new QCheckBox(this);
            b->setObjectName(named(name, i));
            grid->addWidget(b, line, column++, Qt::AlignHCenter);
            return b;
        };
        r.node = edit("tbRemoteNode", 110);
        r.autoConnect = box("cbAuto");
        for (std::size_t k = 0; k < r.times.size(); ++k)
            r.times[k] = edit(kSlotNames[k], 50);
        r.delay = edit("tbDelay", 40);
        r.daily = box("cbAllWeek");
        for (std::size_t d = 0; d < r.days.size(); ++d)
            r.days[d] = box(kDayNames[d]);
        r.dtmf = edit("tbDTMF", 60);

        // Only the owner's clicks run the day rule; the page's own updates are not clicks.
        connect(r.daily, &QCheckBox::clicked, this, [this, i](bool on) {
            NodeScheduleRow current = row(i);
            setDaily(current, on);
            showDays(i, current);
        });
        for (int d = 0; d < static_cast<int>(r.days.size()); ++d)
            connect(r.days[static_cast<std::size_t>(d)], &QCheckBox::clicked, this,
                    [this, i, d](bool on) {
                        NodeScheduleRow current = row(i);
                        setDay(current, d, on);
                        showDays(i, current);
                    });
    }
}

QString NodeSkedsPage::title() const {
    return QStringLiteral("Remote Nodes");
}

void NodeSkedsPage::load(const Settings& settings) {
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i)
        show(i, loadNodeScheduleRow(settings.RemoteNodes[static_cast<std::size_t>(i)]));
}

bool NodeSkedsPage::save(Settings& settings, QString*) const {
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i)
        settings.RemoteNodes[static_cast<std::size_t>(i)] = saveNodeScheduleRow(row(i));
    return true;
}

NodeScheduleRow NodeSkedsPage::row(int i) const {
    const RowWidgets& r = rows_.at(static_cast<std::size_t>(i));
    NodeScheduleRow out;
    out.node = s(r.node);
    out.autoConnect = r.autoConnect->isChecked();
    for (std::size_t k = 0; k < r.times.size(); ++k)
        out.times[k] = s(r.times[k]);
    out.delay = s(r.delay);
    out.daily = r.daily->isChecked();
    for (std::size_t d = 0; d < r.days.size(); ++d)
        out.days[d] = r.days[d]->isChecked();
    out.dtmf = s(r.dtmf);
    return out;
}

void NodeSkedsPage::show(int i, const NodeScheduleRow& row) {
    RowWidgets& r = rows_.at(static_cast<std::size_t>(i));
    r.node->setText(q(row.node));
    r.autoConnect->setChecked(row.autoConnect);
    for (std::size_t k = 0; k < r.times.size(); ++k)
        r.times[k]->setText(q(row.times[k]));
    r.delay->setText(q(row.delay));
    r.dtmf->setText(q(row.dtmf));
    showDays(i, row);
}

void NodeSkedsPage::showDays(int i, const NodeScheduleRow& row) {
    RowWidgets& r = rows_.at(static_cast<std::size_t>(i));
    r.daily->setChecked(row.daily);
    for (std::size_t d = 0; d < r.days.size(); ++d)
        r.days[d]->setChecked(row.days[d]);
}

SetupDialog* createNodeSkedsDialog(SetupDialog::Current current, SetupDialog::Apply apply,
                                   QWidget* parent) {
    auto* dialog = new SetupDialog(QString::fromLatin1(kNodeSkedsCaption), std::move(current),
                                   std::move(apply), parent);
    dialog->setObjectName(QStringLiteral("frmNodeSkeds"));
    dialog->addPage(new NodeSkedsPage(dialog));
    return dialog;
}

}  // namespace vox
