#pragma once

// A fresh directory for each test, removed afterwards. Its name holds the process id and
// the test's name, because ctest runs the tests of one program side by side.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace cockpix {

class ScratchDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root = std::filesystem::temp_directory_path() /
               ("cockpix_" + std::to_string(::getpid()) + "_" + test->test_suite_name() + "_" +
                test->name());
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    std::string at(const std::string& relative) const { return (root / relative).string(); }
    // Writes a file, making its directories, and returns its path.
    std::string touch(const std::string& relative, const std::string& bytes = "x") const {
        const std::filesystem::path path = root / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    std::filesystem::path root;
};

} // namespace cockpix
