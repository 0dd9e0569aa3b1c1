#include "base/core/usertext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cockpix {
namespace {

using Kind = UserText::Kind;

std::vector<std::pair<Kind, std::string>> piecesOf(const UserText& text) {
    std::vector<std::pair<Kind, std::string>> pieces;
    for (const UserText::Piece& piece : text.pieces())
        pieces.emplace_back(piece.kind, std::string(piece.bytes));
    return pieces;
}

TEST(UserText, KeepsEachPieceByItsOriginAndJoinsNeighboursOfOneKind) {
    const UserText text = "the module '" + UserText::panelText("m\xE9ter") + ".gau' in " +
                          UserText::path("/fs98/gauges/") + UserText::path("x/") + "!";
    const std::vector<std::pair<Kind, std::string>> expected = {{Kind::Plain, "the module '"},
                                                                {Kind::PanelText, "m\xE9ter"},
                                                                {Kind::Plain, ".gau' in "},
                                                                {Kind::Path, "/fs98/gauges/x/"},
                                                                {Kind::Plain, "!"}};
    EXPECT_EQ(piecesOf(text), expected);
    EXPECT_EQ(text.bytes(), "the module 'm\xE9ter.gau' in /fs98/gauges/x/!");
    EXPECT_EQ(text.toUtf8(), "the module 'm\xC3\xA9ter.gau' in /fs98/gauges/x/!");
    // Built piece by piece or in one go, the same text compares equal.
    UserText stepwise("the module '");
    stepwise.append(Kind::PanelText, "m\xE9").append(Kind::PanelText, "ter");
    stepwise += UserText(".gau' in ") + UserText::path("/fs98/gauges/x/") + "!";
    EXPECT_EQ(stepwise, text);
    EXPECT_EQ(UserText::panelText("ter") + UserText::panelText("m\xE9"),
              UserText::panelText("term\xE9"));
    EXPECT_NE(UserText::path("\xE9"), UserText::panelText("\xE9"));
    EXPECT_NE(UserText::path("/a"), UserText("/a"));
}

TEST(UserText, AsciiPanelTextIsPlainAndEmptyPiecesAreDropped) {
    EXPECT_EQ(UserText::panelText("Fuel gauge"), UserText("Fuel gauge"));
    EXPECT_EQ(piecesOf("'" + UserText::panelText("abc") + "'"),
              (std::vector<std::pair<Kind, std::string>>{{Kind::Plain, "'abc'"}}));
    EXPECT_TRUE(UserText().empty());
    EXPECT_TRUE((UserText() + UserText::path("") + "").empty());
    EXPECT_TRUE(UserText().pieces().empty());
    // A UTF-8 file's texts are UTF-8 already.
    EXPECT_EQ(UserText::panelText("\xC3\xA9", TextEncoding::Utf8).toUtf8(), "\xC3\xA9");
    EXPECT_EQ(UserText::panelText("\x80\xFF").toUtf8(), "\xE2\x82\xAC\xC3\xBF");
    std::string out = "> ";
    UserText::panelText("\xE9").appendUtf8To(out);
    EXPECT_EQ(out, "> \xC3\xA9");
}

} // namespace
} // namespace cockpix
