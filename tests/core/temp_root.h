#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vox {

// A fresh folder of its own for each test, named after the test and removed after it.
class TempRootTest : public ::testing::Test {
protected:
    explicit TempRootTest(std::string prefix) : prefix_(std::move(prefix)) {}
    void SetUp() override {
        namespace fs = std::filesystem;
        root = fs::temp_directory_path() /
               (prefix_ + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { std::filesystem::remove_all(root); }
    static std::string contents(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::filesystem::path root;

private:
    std::string prefix_;
};

}  // namespace vox
