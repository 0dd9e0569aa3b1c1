#pragma once

// The file helpers every test program shares: panel text written line by line or with other
// line ends, whole files read and written byte for byte, and a directory's files with their
// bytes. Qt test
// programs also get the same on QString paths.

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#ifdef QT_CORE_LIB
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#endif

namespace cockpix::test {

#ifdef COCKPIX_FIXTURES_DIR
// The sample Cessna of samples/: three windows, a preamble, gauges with and without a size,
// colour lines and a default view.
inline const std::string kSamplePanel =
    COCKPIX_FIXTURES_DIR "/../../samples/fs98/aircraft/sample_cessna/panel/panel.cfg";
#endif

// The lines of a file, separated by '|', each ending with CR LF as FS98 writes them.
inline std::string crlf(std::string_view lines) {
    std::string text;
    for (char c : lines)
        text += c == '|' ? std::string("\r\n") : std::string(1, c);
    return text + "\r\n";
}

// The same text with every line end (CR LF, LF or CR) made `end`.
inline std::string withLineEnds(std::string_view text, std::string_view end) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            out += text[i];
            continue;
        }
        i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        out += end;
    }
    return out;
}

// The bytes of a file; empty when it cannot be read.
inline std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Writes a file whole, making its directories.
inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Each entry of dir with its bytes, "<dir>" for a directory, in name order.
inline std::map<std::string, std::string> filesIn(const std::filesystem::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        files[entry.path().filename().string()] =
            entry.is_directory() ? "<dir>" : fileText(entry.path());
    return files;
}

// The same as one text, "name:bytes" separated by blanks.
inline std::string listingText(const std::filesystem::path& dir) {
    std::string text;
    for (const auto& [name, bytes] : filesIn(dir))
        text += (text.empty() ? "" : " ") + name + ":" + bytes;
    return text;
}

// The rows of a table file: one row a line, its fields separated by " | " ("" for an empty
// one), "\r" and "\n" the line-end bytes and each "$KEY" of vars replaced by its value; blank
// lines and lines starting with '#' are left out.
inline std::vector<std::vector<std::string>>
tableRows(const std::filesystem::path& path,
          const std::vector<std::pair<std::string, std::string>>& vars = {}) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(fileText(path));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        for (const auto& [from, to] : vars)
            for (std::size_t at; (at = line.find(from)) != std::string::npos;)
                line.replace(at, from.size(), to);
        for (const auto& [escape, byte] : {std::pair{"\\r", "\r"}, {"\\n", "\n"}})
            for (std::size_t at; (at = line.find(escape)) != std::string::npos;)
                line.replace(at, 2, byte);
        std::vector<std::string>& row = rows.emplace_back();
        for (std::size_t start = 0;;) {
            const std::size_t end = line.find(" | ", start);
            const std::string field = line.substr(start, end - start);
            row.push_back(field == "\"\"" ? "" : field);
            if (end == std::string::npos)
                break;
            start = end + 3;
        }
    }
    return rows;
}

#ifdef QT_CORE_LIB
// The bytes of a file, "<unreadable>" when it cannot be read.
inline QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Writes a file whole, making its directories; false when it cannot be written.
inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every file of dir (not its directories) with its bytes.
inline std::map<QString, QByteArray> filesIn(const QString& dir) {
    std::map<QString, QByteArray> files;
    for (const QFileInfo& entry : QDir(dir).entryInfoList(QDir::Files))
        files[entry.fileName()] = bytesOf(entry.filePath());
    return files;
}
#endif

} // namespace cockpix::test
