#include "ui/reading_order.h"

#include <algorithm>
#include <vector>

#include <QGridLayout>
#include <QLayout>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

namespace vox {

namespace {

void collect(QLayout* layout, std::vector<QWidget*>& out);

void collect(QWidget* w, std::vector<QWidget*>& out) {
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        out.push_back(tabs->tabBar());
        for (int i = 0; i < tabs->count(); ++i)
            collect(tabs->widget(i), out);
        return;
    }
    if (w->focusPolicy() & Qt::TabFocus)
        out.push_back(w);
    if (w->layout())
        collect(w->layout(), out);
}

void collect(QLayout* layout, std::vector<QWidget*>& out) {
    std::vector<QLayoutItem*> items;
    for (int i = 0; i < layout->count(); ++i)
        items.push_back(layout->itemAt(i));
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        auto cell = [grid](QLayoutItem* item) {
            int row = 0, column = 0, rows = 0, columns = 0;
            grid->getItemPosition(grid->indexOf(item), &row, &column, &rows, &columns);
            return std::make_pair(row, column);
        };
        std::stable_sort(items.begin(), items.end(),
                         [&cell](QLayoutItem* a, QLayoutItem* b) { return cell(a) < cell(b); });
    }
    for (QLayoutItem* item : items) {
        if (QWidget* w = item->widget())
            collect(w, out);
        else if (QLayout* inner = item->layout())
            collect(inner, out);
    }
}

}  // namespace

void setTabsInReadingOrder(QWidget* window) {
    std::vector<QWidget*> order;
    if (window->layout())
        collect(window->layout(), order);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace vox
