#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/temp_folder.h"

namespace vox {

// A control of a window by its object name; a missing one fails the test.
template <class W>
W* named(QWidget* parent, const char* name) {
    auto* w = parent->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

}  // namespace vox
