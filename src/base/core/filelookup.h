#pragma once

// FS98 files come from Windows, where names ignore case: panel.cfg may name
// "Panel_Main" for Panel_main.BMP and "cessna_182.airspeed" for CESSNA_182.AIRSPEED.GAU.
// Every lookup of a file named by a panel goes through here.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

// The existing path that matches path component by component, ignoring ASCII case (an
// exact match is preferred), or nullopt when there is none.
std::optional<std::string> findPathIgnoringCase(const std::string& path);

// The existing match, or path itself when nothing matches (for creating a new file).
std::string resolvePathIgnoringCase(const std::string& path);

// The names of the regular files in dir whose extension is extension (".gau"), whatever
// its case, sorted as a Windows file list shows them (ignoring case). Empty when dir cannot
// be listed.
std::vector<std::string> filesWithExtension(const std::string& dir, const std::string& extension);

// The path of a file listed in dir: one "/" between them unless dir ends with one (a
// directory typed without its final separator).
std::string pathInDirectory(const std::string& dir, const std::string& fileName);

// text with A..Z made a..z and every other byte kept (Windows-1252 letters too): the case
// FS98 ignores in file names and keys.
std::string asciiLowered(std::string_view text);

// The whole content of a file, read in one go; nullopt when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);
// The same into bytes, whose storage is reused: reading many modules one after the other
// then neither allocates nor clears a fresh megabyte for each. False (bytes emptied) when
// the file cannot be read.
bool readWholeFileInto(const std::string& path, std::string& bytes);

// True when the file at path holds exactly bytes, compared piece by piece as it is read (no
// copy of the file is made; the first difference ends the reading).
bool fileHolds(const std::string& path, std::string_view bytes);

// What tells a file rewritten since from the one seen before, without reading it: its
// length and modification time.
struct FileStamp {
    std::uint64_t length = 0;
    std::int64_t modified = 0; // nanoseconds since 1970
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
// nullopt when the file cannot be looked at (missing, or not a regular file).
std::optional<FileStamp> fileStamp(const std::string& path);
// The same of a file already open (one look at it, where its path would take another walk).
std::optional<FileStamp> openFileStamp(int descriptor);

// A file read whole by readRegularFile, and the stamp it had then.
struct FileRead {
    enum class Outcome {
        Read,
        Missing,   // nothing has that path (or a folder on the way is missing)
        NotAFile,  // a folder, a device or a pipe
        TooLarge,  // longer than the limit asked for: not read
        Unreadable // there, but it cannot be opened or read
    };
    Outcome outcome = Outcome::Missing;
    std::string bytes; // the whole file when read
    FileStamp stamp;   // when read or too large
    bool read() const { return outcome == Outcome::Read; }
};
// The regular file at path read whole, when it is at most limit bytes long: one open, one
// look at the open file, one read, one close. Checking a Community folder reads a handful
// of small files in each of hundreds of packages, where every extra call on the disk counts.
FileRead readRegularFile(const std::string& path, std::uint64_t limit);

} // namespace cockpix
