#pragma once

class QWidget;

namespace vox {

// Tab goes through a window's controls in reading order: the order of its layouts, a grid row by
// row, each group box in turn. Controls made in another order (a row's check box after the
// boxes beside it) would otherwise be skipped over and reached last.
void setTabsInReadingOrder(QWidget* window);

}  // namespace vox
