#include "base/core/binarydata.h"

#include <gtest/gtest.h>

#include <string>

namespace cockpix {
namespace {

using namespace std::string_literals;

TEST(BinaryData, ProgramsAndPicturesAreToldFromPanelTexts) {
    const struct {
        std::string bytes;
        bool binary;
    } rows[] = {
        {"", false},
        {"[Window Titles]\r\nWindow00=Main\r\n", false},
        {"// Caf\xE9\tnote\f\r\n\x1A", false},      // Windows-1252, tab, form feed, DOS end mark
        {"MZ\x90\0\x03\0\0\0"s, true},              // a program
        {"\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s, true},   // a picture's header
        {std::string(38, 'a') + "\x01\x02"s, true}, // a twentieth of control bytes
        {std::string(200, 'a') + "\r\n\0\x01\xFF\r\n"s, false}, // a stray line of noise
        {std::string(64 * 1024, 'a') + std::string(200 * 1024, '\x01'), false}, // the start counts
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bytes.substr(0, 20));
        EXPECT_EQ(holdsBinaryData(row.bytes), row.binary);
    }
}

} // namespace
} // namespace cockpix
