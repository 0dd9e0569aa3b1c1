#include "fs2kjson.h"

#include "jsonwriter.h"

#include "base/core/textencoding.h"
#include "panel/core/panelformat.h"

#include <algorithm>
#include <future>
#include <limits>
#include <optional>
#include <span>
#include <system_error>
#include <utility>
#include <vector>

namespace cockpix::cli {
namespace {

// fs2k panels come as Windows-1252 or as UTF-8: a text that is valid UTF-8 with bytes above
// 127 is taken for UTF-8 (a Windows-1252 text almost never is), any other as Windows-1252.
// Nearly all are ASCII, which both write alike.
void textValue(JsonWriter& json, std::string_view text) {
    if (hasHighBytes(text) && isUtf8(text))
        json.utf8Value(text);
    else
        json.value(text);
}

void textField(JsonWriter& json, std::string_view name, std::string_view text) {
    json.key(name);
    textValue(json, text);
}

double orNull(const std::optional<double>& number) {
    return number ? *number : std::numeric_limits<double>::quiet_NaN();
}

// x, y, width and height: the fields of a gauge line that place it.
constexpr std::size_t kPlaceFieldCount = 4;

int lineNumber(std::size_t line) {
    return static_cast<int>(line + 1);
}

// Each key with its value as written, a comment after it included.
void writeKeys(JsonWriter& json, const fs2k::PanelLines& lines,
               const std::vector<fs2k::Key>& keys) {
    json.key("keys");
    json.beginArray();
    for (const fs2k::Key& key : keys) {
        json.beginObject();
        textField(json, "key", key.key);
        textField(json, "value", lines.rawValue(key.line));
        json.field("line", lineNumber(key.line));
        json.endObject();
    }
    json.endArray();
}

void textArray(JsonWriter& json, std::string_view name, std::span<const std::string_view> texts) {
    json.key(name);
    json.beginArray();
    for (std::string_view text : texts)
        textValue(json, text);
    json.endArray();
}

// An MSFS instrument's PATH?QUERY, split at the first "?": the instrument reads everything
// after it, a second "?" included. No query is null.
void writeInstrumentName(JsonWriter& json, std::string_view name) {
    const std::size_t question = name.find('?');
    textField(json, "path", name.substr(0, question));
    json.key("query");
    if (question == std::string_view::npos)
        json.value(std::numeric_limits<double>::quiet_NaN());
    else
        textValue(json, name.substr(question + 1));
}

// fields: the room for each gauge's fields, kept from one gauge to the next.
void writeGauge(JsonWriter& json, const fs2k::PanelLines& lines, const fs2k::Gauge& gauge,
                std::vector<std::string_view>& fields) {
    json.beginObject();
    json.field("number", static_cast<double>(gauge.number));
    json.field("kind", fs2k::gaugeKeyPrefix(gauge.kind));
    const std::string_view name = fs2k::gaugeLineName(lines, gauge.line);
    textField(json, "name", name);
    if (gauge.kind != fs2k::GaugeLineKind::Gauge)
        writeInstrumentName(json, name);
    fs2k::gaugeFields(lines, gauge.line, fields);
    textArray(json, "fields", fields);
    json.field("x", orNull(gauge.x));
    json.field("y", orNull(gauge.y));
    json.field("width", orNull(gauge.width));
    json.field("height", orNull(gauge.height));
    // What follows x, y, w and h: a parameter of the gauge or instrument.
    textArray(json, "moreFields",
              std::span<const std::string_view>(fields).subspan(
                  std::min<std::size_t>(fields.size(), kPlaceFieldCount)));
    json.field("line", lineNumber(gauge.line));
    json.endObject();
}

std::string_view windowKindName(fs2k::WindowKind kind) {
    switch (kind) {
    case fs2k::WindowKind::Vcockpit:
        return "vcockpit";
    case fs2k::WindowKind::Vpainting:
        return "vpainting";
    case fs2k::WindowKind::Window:
        break;
    }
    return "window";
}

// What FS takes from the section's keys it sizes, places and names it by: the numbers of
// each value up to its comment (null for a field without one), and the texts. Keys the
// section lacks are left out.
void writeFsValues(JsonWriter& json, const fs2k::Window& window) {
    static constexpr std::pair<const char*, const char*> kNumbers[] = {
        {"size", "size_mm"},           {"pixelSize", "pixel_size"},
        {"position", "position"},      {"windowPos", "window_pos"},
        {"windowSize", "window_size"}, {"backgroundColor", "background_color"}};
    static constexpr std::pair<const char*, const char*> kTexts[] = {
        {"ident", "ident"}, {"texture", "texture"}, {"location", "location"}};
    json.key("fsValues");
    json.beginObject();
    for (const auto& [name, key] : kNumbers) {
        const fs2k::Key* found = window.find(key);
        if (found == nullptr)
            continue;
        json.key(name);
        json.beginArray();
        for (const std::optional<double>& number : fs2k::numbersOf(found->value))
            json.value(orNull(number));
        json.endArray();
    }
    for (const auto& [name, key] : kTexts) {
        if (const fs2k::Key* found = window.find(key))
            textField(json, name, found->value);
    }
    json.endObject();
}

void writeWindow(JsonWriter& json, const fs2k::PanelLines& lines, const fs2k::Panel& panel,
                 const fs2k::Window& window) {
    json.beginObject();
    textField(json, "section", window.header);
    json.field("kind", windowKindName(window.kind));
    json.field("number", static_cast<double>(window.number));
    const fs2k::Title* title =
        window.kind == fs2k::WindowKind::Window ? panel.titleOf(window.number) : nullptr;
    if (title)
        textField(json, "title", title->title);
    json.field("line", lineNumber(window.headerLine));
    writeKeys(json, lines, window.keys);
    writeFsValues(json, window);
    json.key("gauges");
    json.beginArray();
    std::vector<std::string_view> fields;
    const auto write = [&](const fs2k::Gauge& gauge) { writeGauge(json, lines, gauge, fields); };
    // A panel read without its gauges has them read here, one at a time.
    if (window.gauges.empty())
        fs2k::eachGauge(lines, window, write);
    else
        std::for_each(window.gauges.begin(), window.gauges.end(), write);
    json.endArray();
    json.endObject();
}

void writeSection(JsonWriter& json, const fs2k::PanelLines& lines, const fs2k::Section& section) {
    json.beginObject();
    textField(json, "section", section.name);
    json.field("line", lineNumber(section.headerLine));
    writeKeys(json, lines, section.keys);
    json.endObject();
}

void writeOptionalSection(JsonWriter& json, const fs2k::PanelLines& lines, std::string_view name,
                          const std::optional<fs2k::Section>& section) {
    if (!section)
        return;
    json.key(name);
    writeSection(json, lines, *section);
}

// From this many lines on, the windows are written two at a time, the second on another
// thread into a text of its own that follows the first: the JSON of a big panel is several
// times its size, and writing it is most of a dump's work.
constexpr std::size_t kTwoThreadsFrom = 20000;

void writeWindows(JsonWriter& json, const fs2k::PanelLines& lines, const fs2k::Panel& panel,
                  unsigned threads) {
    const std::vector<fs2k::Window>& windows = panel.windows;
    const bool twoAtATime = threads > 1 && lines.lineCount() >= kTwoThreadsFrom;
    JsonWriter part; // its room is kept from one window to the next
    for (std::size_t i = 0; i < windows.size(); ++i) {
        std::future<void> next;
        if (twoAtATime && i + 1 < windows.size()) {
            json.startPart(part, true);
            try {
                next = std::async(std::launch::async, [&part, &lines, &panel, &windows, i] {
                    writeWindow(part, lines, panel, windows[i + 1]);
                });
            } catch (const std::system_error&) {
                // No thread: the next window is written after this one, here.
            }
        }
        writeWindow(json, lines, panel, windows[i]);
        if (next.valid()) {
            next.get();
            json.appendPart(part);
            ++i;
        }
    }
}

} // namespace

std::string fs2kPanelJson(const fs2k::PanelLines& lines, const fs2k::Panel& panel,
                          const std::string& panelDir, unsigned threads) {
    JsonWriter json;
    writeFs2kPanelJson(json, lines, panel, panelDir, threads);
    return std::string(json.text());
}

void writeFs2kPanelJson(JsonWriter& json, const fs2k::PanelLines& lines, const fs2k::Panel& panel,
                        const std::string& panelDir, unsigned threads) {
    json.beginObject();
    json.field("format", panelFormatName(PanelFormat::Fs2k));
    textField(json, "panelDir", panelDir);
    json.field("lineCount", static_cast<double>(lines.lineCount()));
    json.key("titles");
    json.beginArray();
    for (const fs2k::Title& title : panel.titles) {
        json.beginObject();
        json.field("number", static_cast<double>(title.number));
        textField(json, "title", title.title);
        json.field("line", lineNumber(title.line));
        json.endObject();
    }
    json.endArray();
    json.key("windows");
    json.beginArray();
    writeWindows(json, lines, panel, threads);
    json.endArray();
    writeOptionalSection(json, lines, "color", panel.color);
    writeOptionalSection(json, lines, "views", panel.views);
    writeOptionalSection(json, lines, "defaultView", panel.defaultView);
    writeOptionalSection(json, lines, "fltsim", panel.fltsim);
    json.key("otherSections");
    json.beginArray();
    for (const fs2k::Section& section : panel.otherSections)
        writeSection(json, lines, section);
    json.endArray();
    json.endObject();
}

} // namespace cockpix::cli
