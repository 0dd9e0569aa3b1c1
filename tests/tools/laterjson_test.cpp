// The dump's JSON of a big later panel, whose windows are written two at a time: the same
// text as written one after the other, held or written out to a file.

#include "cli/jsonwriter.h"
#include "cli/laterjson.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using cockpix::LaterGauges;
using cockpix::PanelLines;
using cockpix::cli::JsonWriter;

// Seven windows (an odd number), of very different sizes, one without gauges, then a
// virtual cockpit: more than 20000 lines in all.
std::string bigLaterPanel() {
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

TEST(LaterJson, ABigPanelComesOutTheSameOnTwoThreadsAsOnOne) {
    const PanelLines lines(bigLaterPanel());
    ASSERT_GT(lines.lineCount(), 20000u);
    const auto panel = cockpix::readLaterPanel(lines, LaterGauges::Left);
    const std::string one = cockpix::cli::laterPanelJson(lines, panel, "/p/", 1);
    EXPECT_EQ(cockpix::cli::laterPanelJson(lines, panel, "/p/", 2), one);
    EXPECT_NE(one.find("\"section\": \"Vcockpit01\""), std::string::npos);

    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    JsonWriter streamed(file);
    cockpix::cli::writeLaterPanelJson(streamed, lines, panel, "/p/", 2);
    EXPECT_TRUE(streamed.finish());
    std::rewind(file);
    std::string written(one.size() + 1, '\0');
    written.resize(std::fread(written.data(), 1, written.size(), file));
    std::fclose(file);
    EXPECT_EQ(written, one);
}

} // namespace
