// Black-box tests of "cockpix-cli dump" and of the tool's command handling.

#include "tools/clirun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSampleRoot = fs::path(COCKPIX_FIXTURES_DIR) / "../../samples/fs98/aircraft";

using cockpix::test::CliRun;
using cockpix::test::fileText;
using cockpix::test::runCli;
using cockpix::test::writeFile;

// A strict check that text is one JSON value (RFC 8259), so that a number like ".5" or an
// unescaped control character fails the test.
class JsonChecker {
public:
    explicit JsonChecker(std::string_view text) : m_text(text) {}
    bool valid() {
        skipSpace();
        if (!value())
            return false;
        skipSpace();
        return m_pos == m_text.size();
    }

private:
    char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }
    void skipSpace() {
        while (m_pos < m_text.size() &&
               std::string_view(" \t\r\n").find(peek()) != std::string_view::npos)
            ++m_pos;
    }
    bool literal(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }
    bool digits() {
        const std::size_t start = m_pos;
        while (peek() >= '0' && peek() <= '9')
            ++m_pos;
        return m_pos > start;
    }
    bool number() {
        if (peek() == '-')
            ++m_pos;
        if (peek() == '0')
            ++m_pos;
        else if (!digits())
            return false;
        if (peek() == '.' && (++m_pos, !digits()))
            return false;
        if (peek() == 'e' || peek() == 'E') {
            ++m_pos;
            if (peek() == '+' || peek() == '-')
                ++m_pos;
            return digits();
        }
        return true;
    }
    bool string() {
        ++m_pos; // the opening quote
        while (m_pos < m_text.size()) {
            const unsigned char c = static_cast<unsigned char>(m_text[m_pos++]);
            if (c == '"')
                return true;
            if (c < 0x20)
                return false;
            if (c == '\\') {
                const char e = peek();
                ++m_pos;
                if (e == 'u') {
                    for (int i = 0; i < 4; ++i, ++m_pos) {
                        if (!std::isxdigit(static_cast<unsigned char>(peek())))
                            return false;
                    }
                } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
                    return false;
                }
            }
        }
        return false;
    }
    bool sequence(char close, bool isObject) {
        ++m_pos;
        skipSpace();
        if (peek() == close)
            return ++m_pos, true;
        while (true) {
            skipSpace();
            if (isObject) {
                if (peek() != '"' || !string())
                    return false;
                skipSpace();
                if (peek() != ':')
                    return false;
                ++m_pos;
                skipSpace();
            }
            if (!value())
                return false;
            skipSpace();
            if (peek() == close)
                return ++m_pos, true;
            if (peek() != ',')
                return false;
            ++m_pos;
        }
    }
    bool value() {
        switch (peek()) {
        case '{':
            return sequence('}', true);
        case '[':
            return sequence(']', false);
        case '"':
            return string();
        case 't':
            return literal("true");
        case 'f':
            return literal("false");
        case 'n':
            return literal("null");
        default:
            return number();
        }
    }
    std::string_view m_text;
    std::size_t m_pos = 0;
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1))
        ++count;
    return count;
}

class DumpCommand : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "cockpix-dump-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path m_dir;
};

TEST_F(DumpCommand, PrintsTheSampleModelAsJson) {
    const fs::path sample = fs::canonical(kSampleRoot / "sample_cessna/panel/panel.cfg");
    const CliRun run = runCli(m_dir, {"dump", sample.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(JsonChecker(run.out).valid()) << run.out;
    EXPECT_TRUE(contains(run.out, "\"panelDir\": \"" + sample.parent_path().string() + "/\""));
    EXPECT_TRUE(contains(run.out, "\"windowCount\": 3,"));
    EXPECT_TRUE(contains(run.out, "\"// Sample Cessna panel for COCKPIX\""));
    EXPECT_TRUE(contains(run.out, "\"c02=64,64,72\""));
    EXPECT_TRUE(contains(run.out, "\"defaultViewSizeX\": 8191,"));
    EXPECT_TRUE(contains(run.out, "\"windowSizeRatio\": 0.5,"));
    EXPECT_TRUE(contains(run.out, "\"gaugeName\": \"cessna_182.attitude\","));
    EXPECT_TRUE(contains(run.out, "\"gaugeRefSize\": -1"));
    EXPECT_EQ(occurrences(run.out, "\"windowTitle\""), 9); // every slot
    EXPECT_EQ(occurrences(run.out, "\"gaugeName\""), 9);   // only gauges below the counts
    // Window 2 has no windowsize_ratio line: Open's rule makes it 1, so no window has 0.
    EXPECT_EQ(occurrences(run.out, "\"windowSizeRatio\": 1,"), 2);
    EXPECT_FALSE(fs::exists(m_dir / "config")); // the settings file is never written
}

TEST_F(DumpCommand, FollowsAnAliasAndSaysSoOnStderr) {
    const fs::path alias = fs::canonical(kSampleRoot / "sample_alias/panel/panel.cfg");
    const std::string cessnaDir = fs::canonical(kSampleRoot / "sample_cessna/panel").string() + "/";
    const CliRun run = runCli(m_dir, {"dump", alias.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "'panel.cfg' rerouted CockPix to [" + cessnaDir + "]\n");
    EXPECT_TRUE(contains(run.out, "\"panelDir\": \"" + cessnaDir + "\""));
    EXPECT_TRUE(contains(run.out, "\"windowTitle\": \"Main Panel\""));
    EXPECT_FALSE(fs::exists(m_dir / "config"));
}

TEST_F(DumpCommand, TextsBecomeUtf8AndAreEscaped) {
    const fs::path panel = m_dir / "panel.cfg";
    std::ofstream(panel, std::ios::binary)
        << "// Caf\xE9 \x80 \x81\r\n[Window Titles]\r\nWindow00=\"Q\" \\ \x01\tx\r\n\r\n"
           "[Window00]\r\nfile=a.bmp\r\nident=.5\r\nsize_mm=1e300\r\n";
    const CliRun run = runCli(m_dir, {"dump", panel.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(JsonChecker(run.out).valid()) << run.out;
    EXPECT_TRUE(contains(run.out, "\"// Caf\xC3\xA9 \xE2\x82\xAC \\u0081\""));
    EXPECT_TRUE(contains(run.out, "\"windowTitle\": \"\\\"Q\\\" \\\\ \\u0001\\tx\""));
    EXPECT_TRUE(contains(run.out, "\"windowIdent\": 0.5,"));
    EXPECT_TRUE(contains(run.out, "\"windowSizeMm\": 1e+300,"));
}

TEST_F(DumpCommand, StructuralErrorsGoToStderrWithStatusTwo) {
    const fs::path broken = fs::path(COCKPIX_FIXTURES_DIR) / "broken/gauge_64.cfg";
    const CliRun run = runCli(m_dir, {"dump", broken.string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    const std::string message = "Abnormal structure of 'Panel.cfg'.\n"
                                "Please edit and correct 'panel.cfg' manually.\n";
    EXPECT_EQ(run.err.substr(0, message.size()), message);
    EXPECT_TRUE(contains(run.err, "gauge_64.cfg: line 6: gauge number 64 is out of range"))
        << run.err;
    EXPECT_EQ(occurrences(run.err, "\n"), 3);

    const CliRun missing = runCli(m_dir, {"dump", (m_dir / "absent.cfg").string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_TRUE(contains(missing.err, "absent.cfg: the file cannot be opened")) << missing.err;
}

TEST_F(DumpCommand, HelpAndUsageErrors) {
    const CliRun help = runCli(m_dir, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(contains(help.out, "dump PANEL_CFG"));

    const CliRun dumpHelp = runCli(m_dir, {"dump", "--help"});
    EXPECT_EQ(dumpHelp.status, 0);
    EXPECT_TRUE(contains(dumpHelp.out, "Usage: cockpix-cli dump PANEL_CFG"));

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"frobnicate"}, {"dump"}, {"dump", "a.cfg", "b.cfg"}}) {
        const CliRun run = runCli(m_dir, args);
        EXPECT_EQ(run.status, 64) << args.size();
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_TRUE(contains(runCli(m_dir, {"frobnicate"}).err, "unknown command 'frobnicate'"));
}

} // namespace
