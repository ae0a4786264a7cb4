#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <fstream>
#include <sstream>
#include <string>

namespace vox {

// A control of a window by its object name; a missing one fails the test.
template <class W>
W* named(QWidget* parent, const char* name) {
    auto* w = parent->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// A file's bytes, empty when it cannot be read.
inline std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace vox
