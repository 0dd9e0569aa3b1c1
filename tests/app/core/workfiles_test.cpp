#include "app/core/workfiles.h"

#include "base/core/scratchdir.h"

namespace cockpix {
namespace {

namespace fs = std::filesystem;

class WorkFiles : public ScratchDirTest {};

TEST_F(WorkFiles, DeletesFilesButKeepsSubdirectoriesLinkedDirectoriesAndOthers) {
    for (const char* file : {"bmp/cessna.airspeed.bmp", "bmp/NOEXTENSION", "bmp/.hidden",
                             "bmp/keep/inner.bmp", "outside.bmp", "elsewhere/precious.bmp"})
        touch(file);
    fs::create_directory_symlink(at("elsewhere"), at("bmp/link"));

    EXPECT_EQ(deleteFilesIn(at("bmp/")), 3);

    EXPECT_FALSE(fs::exists(at("bmp/cessna.airspeed.bmp")));
    EXPECT_FALSE(fs::exists(at("bmp/NOEXTENSION")));
    EXPECT_TRUE(fs::exists(at("bmp/keep/inner.bmp")));
    EXPECT_TRUE(fs::exists(at("outside.bmp")));
    EXPECT_TRUE(fs::exists(at("elsewhere/precious.bmp")));
    EXPECT_TRUE(fs::is_directory(at("bmp")));
}

TEST_F(WorkFiles, AnEmptyMissingOrFileNameDeletesNothing) {
    touch("current.txt");
    const fs::path before = fs::current_path();
    fs::current_path(root);
    EXPECT_EQ(deleteFilesIn(""), 0); // never the current directory
    fs::current_path(before);
    EXPECT_TRUE(fs::exists(at("current.txt")));
    EXPECT_EQ(deleteFilesIn(at("nowhere/")), 0);
    EXPECT_EQ(deleteFilesIn(at("current.txt")), 0);
    EXPECT_TRUE(fs::exists(at("current.txt")));
}

TEST(QuitNotice, SaysWhatQuitWillErase) {
    const Directories dirs{"/g/", "/g/bmp/", "/g/palette/", "/panel/", "/prog/"};
    const struct {
        bool bitmaps, palette;
        Directories dirs;
        std::string notice;
    } rows[] = {
        {false, false, dirs, ""},
        {true, false, dirs, "Quit will erase the files of the bitmap work directory (/g/bmp/)."},
        {false, true, dirs,
         "Quit will erase the files of the palette work directory (/g/palette/)."},
        {true, true, dirs,
         "Quit will erase the files of the bitmap work directory (/g/bmp/) and the palette "
         "work directory (/g/palette/)."},
        {true, false, Directories{},
         "Quit will erase the files of the bitmap work directory (not set yet: nothing is "
         "erased)."},
    };
    for (const auto& row : rows) {
        Options options;
        options.eraseBitmapsOnQuit = row.bitmaps;
        options.erasePaletteFilesOnQuit = row.palette;
        EXPECT_EQ(eraseAtQuitNotice(options, row.dirs), row.notice);
    }
}

} // namespace
} // namespace cockpix
