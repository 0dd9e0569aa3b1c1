#include "palette/core/paletteworkfiles.h"
#include "palette/core/referencetable.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

TEST(PaletteWorkFiles, NamesStayInTheWorkDirectory) {
    const PaletteWorkFiles files = paletteWorkFiles("/w/palette/", "..\\up/Main");
    EXPECT_EQ(files.palette, "/w/palette/palette_.._up_Main.txt");
    EXPECT_EQ(files.structure, "/w/palette/structure_.._up_Main.txt");
    EXPECT_EQ(files.source, "/w/palette/source_.._up_Main.txt");
    EXPECT_EQ(files.result, "/w/palette/result_.._up_Main.txt");
}

// The optimizer's own files are compared byte for byte where it writes them; these come
// from elsewhere: commas, other line ends.
TEST(PaletteWorkFiles, FilesOfOtherWritersAreReadToo) {
    EXPECT_EQ(parsePaletteFile("200,16,8\n0, 0, 255"),
              (std::vector<Rgb>{{200, 16, 8}, {0, 0, 255}}));
    EXPECT_EQ(parseStructureFile("0,12\r1 0\n2, 4000000000"),
              (std::vector<std::uint64_t>{12, 0, 4000000000}));
}

// A damaged work file is scanned again rather than trusted.
TEST(PaletteWorkFiles, DamagedFilesAreRefused) {
    for (const char* text : {"1 2", "1 2 3 4", "1 2 256", "1 2 x", "1 2 -3", "1 2 3.5"})
        EXPECT_EQ(parsePaletteFile(text), std::nullopt) << text;
    for (const char* text : {"0", "0 5 2 7", "1 5", "0 5 1 x", "0 -5", "0 2.5", "256 1"})
        EXPECT_EQ(parseStructureFile(text), std::nullopt) << text;
    EXPECT_EQ(parsePaletteFile(""), std::vector<Rgb>{});
}

TEST(ReferenceTable, TheFirst118ColoursWhateverTheSeparators) {
    std::string text = "1, 2, 3\r\n4 5 6\n";
    for (int i = 2; i < 118; ++i)
        text += std::to_string(i) + "," + std::to_string(i) + "," + std::to_string(i) + "\n";
    text += "this is never read";
    const ReferenceTable table = parseReferenceTable(text, "/p/table.pcl");
    ASSERT_TRUE(table.problem.empty()) << table.problem.toUtf8();
    ASSERT_EQ(table.colors.size(), 118u);
    EXPECT_EQ(table.colors[0], (Rgb{1, 2, 3}));
    EXPECT_EQ(table.colors[1], (Rgb{4, 5, 6}));
    EXPECT_EQ(table.colors[117], (Rgb{117, 117, 117}));
}

TEST(ReferenceTable, AShortOrBrokenTableSaysWhy) {
    std::string text;
    for (int i = 0; i < 117; ++i)
        text += "9, 9, 9\r\n";
    EXPECT_EQ(parseReferenceTable(text + "1, 2", "/p/t.pcl").problem.toUtf8(),
              "The colour mapping table '/p/t.pcl' cannot be used:\n"
              "It holds 117 colours; the optimizer needs 118.");
    EXPECT_EQ(parseReferenceTable("1, 2, 3\r\n4, 300, 6", "/p/t.pcl").problem.toUtf8(),
              "The colour mapping table '/p/t.pcl' cannot be used:\n"
              "Line 2: '300' is not a whole number from 0 to 255.");
    EXPECT_EQ(readReferenceTable("/nowhere/t.pcl").problem.toUtf8(),
              "The colour mapping table '/nowhere/t.pcl' cannot be used:\n"
              "The file cannot be read.");
}

} // namespace
} // namespace cockpix
