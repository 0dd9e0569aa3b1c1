// The dump's JSON of a big later panel, whose windows are written two at a time: the same
// text as written one after the other, held or written out to a file.

#include "cli/fs2kjson.h"
#include "cli/jsonwriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace fs2k = cockpix::fs2k;

namespace {

using cockpix::cli::JsonWriter;
using cockpix::fs2k::Gauges;
using cockpix::fs2k::PanelLines;

// Seven windows (an odd number), of very different sizes, one without gauges, then a
// virtual cockpit: more than 20000 lines in all.
std::string bigFs2kPanel() {
    std::string text = "[Window Titles]\r\n";
    for (int w = 0; w < 7; ++w)
        text += "Window0" + std::to_string(w) + "=Window " + std::to_string(w) + "\r\n";
    const int gauges[] = {9000, 3, 0, 7000, 4500, 1, 2000};
    for (int w = 0; w < 7; ++w) {
        text += "\r\n[Window0" + std::to_string(w) + "]\r\nBackground_color=0,0,0\r\n";
        for (int g = 0; g < gauges[w]; ++g)
            text += "gauge" + std::to_string(g) + "=Mod" + std::to_string(g % 50) + "!G \"" +
                    std::to_string(g) + "\", " + std::to_string(g % 900) + ",7,,\xE9\r\n";
    }
    return text + "\r\n[Vcockpit01]\r\ntexture=$a\r\ngauge00=a!b,1,2,3,4\r\n";
}

TEST(Fs2kJson, ABigPanelComesOutTheSameOnTwoThreadsAsOnOne) {
    const fs2k::PanelLines lines(bigFs2kPanel());
    ASSERT_GT(lines.lineCount(), 20000u);
    const auto panel = cockpix::fs2k::readPanel(lines, fs2k::Gauges::Left);
    const std::string one = cockpix::cli::fs2kPanelJson(lines, panel, "/p/", 1);
    EXPECT_EQ(cockpix::cli::fs2kPanelJson(lines, panel, "/p/", 2), one);
    EXPECT_NE(one.find("\"section\": \"Vcockpit01\""), std::string::npos);

    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    JsonWriter streamed(file);
    cockpix::cli::writeFs2kPanelJson(streamed, lines, panel, "/p/", 2);
    EXPECT_TRUE(streamed.finish());
    std::rewind(file);
    std::string written(one.size() + 1, '\0');
    written.resize(std::fread(written.data(), 1, written.size(), file));
    std::fclose(file);
    EXPECT_EQ(written, one);
}

// The JSON without its blanks and line breaks (those inside texts too), to look for a part.
std::string squeezed(const std::string& json) {
    std::string out;
    for (char c : json) {
        if (c != ' ' && c != '\n')
            out += c;
    }
    return out;
}

// Each key as written, comment and all, and beside them the values FS reads, which stop at
// the comment.
TEST(Fs2kJson, KeysAsWrittenAndTheValuesFsReadsUpToTheirComments) {
    const fs2k::PanelLines lines(
        "[Window00]\r\nsize_mm=847,860 ; Adding padding\r\nposition=2 // bottom\r\n"
        "ident=MAIN_PANEL ; x\r\nBackground_color=0,0,0\r\nwindow_pos= 0.1,x\r\n"
        "[VCockpit01]\r\ntexture=$PFD ; screen\r\npixel_size=1024,768\r\n");
    const std::string json =
        squeezed(cockpix::cli::fs2kPanelJson(lines, cockpix::fs2k::readPanel(lines), "/p/"));
    EXPECT_NE(json.find("\"value\":\"847,860;Addingpadding\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"fsValues\":{\"size\":[847,860],\"position\":[2],\"windowPos\":[0.1,"
                        "null],\"backgroundColor\":[0,0,0],\"ident\":\"MAIN_PANEL\"}"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"fsValues\":{\"pixelSize\":[1024,768],\"texture\":\"$PFD\"}"),
              std::string::npos)
        << json;
}

} // namespace
