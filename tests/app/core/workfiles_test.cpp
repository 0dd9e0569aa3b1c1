#include "app/core/workfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

class WorkFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("cockpix_workfiles_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "bmp");
    }
    void TearDown() override { fs::remove_all(root); }

    static void touch(const fs::path& path) { std::ofstream(path) << "x"; }
    std::string bmpDir() const { return (root / "bmp").string() + "/"; }

    fs::path root;
};

TEST_F(WorkFilesTest, DeletesFilesButKeepsSubdirectoriesAndTheirContent) {
    touch(root / "bmp" / "cessna.airspeed.bmp");
    touch(root / "bmp" / "NOEXTENSION");
    touch(root / "bmp" / ".hidden");
    fs::create_directory(root / "bmp" / "keep");
    touch(root / "bmp" / "keep" / "inner.bmp");
    touch(root / "outside.bmp");

    EXPECT_EQ(deleteFilesIn(bmpDir()), 3);

    EXPECT_FALSE(fs::exists(root / "bmp" / "cessna.airspeed.bmp"));
    EXPECT_FALSE(fs::exists(root / "bmp" / "NOEXTENSION"));
    EXPECT_TRUE(fs::is_directory(root / "bmp" / "keep"));
    EXPECT_TRUE(fs::exists(root / "bmp" / "keep" / "inner.bmp"));
    EXPECT_TRUE(fs::exists(root / "outside.bmp"));
    EXPECT_TRUE(fs::is_directory(root / "bmp"));
}

TEST_F(WorkFilesTest, LeavesTheTargetOfALinkToADirectoryAlone) {
    fs::create_directory(root / "elsewhere");
    touch(root / "elsewhere" / "precious.bmp");
    fs::create_directory_symlink(root / "elsewhere", root / "bmp" / "link");

    EXPECT_EQ(deleteFilesIn(bmpDir()), 0);
    EXPECT_TRUE(fs::exists(root / "elsewhere" / "precious.bmp"));
}

TEST_F(WorkFilesTest, AnEmptyDirectoryTextDeletesNothingInTheCurrentDirectory) {
    touch(root / "current.txt");
    const fs::path before = fs::current_path();
    fs::current_path(root);
    EXPECT_EQ(deleteFilesIn(""), 0);
    fs::current_path(before);
    EXPECT_TRUE(fs::exists(root / "current.txt"));
}

TEST_F(WorkFilesTest, AMissingDirectoryOrAFileNameIsNotAnError) {
    EXPECT_EQ(deleteFilesIn((root / "nowhere").string() + "/"), 0);
    touch(root / "plain");
    EXPECT_EQ(deleteFilesIn((root / "plain").string()), 0);
    EXPECT_TRUE(fs::exists(root / "plain"));
}

} // namespace
} // namespace cockpix
