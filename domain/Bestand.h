// Writing and reading whole files safely, for every layer of the program (no Qt). One implementation
// per platform: BestandPosix.cpp and BestandWindows.cpp (paths in UTF-8 there).
//
// A file is written all or nothing: the bytes go to a new file next to the target, which is flushed
// to disk and only then renamed over the target, so a full disk, a size limit or a crash leaves the
// previous file byte for byte. Only regular files are written over; a device, a FIFO, a folder or a
// read-only file is refused, also when the program runs as root. A file is read only when it is a
// regular file, and never beyond a given size.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvalinde {

// What failed, so that a caller can show its own message for each case.
enum class BestandFout {
    Geen,       // it worked
    Geweigerd,  // the path names no regular file that may be written or read (or no name at all)
    Openen,     // the file, or the new file next to it, cannot be opened or made
    Overdracht, // reading, writing, flushing or putting the new file in place failed
};

// Why `pad` may not be written over; empty when it may. Checks only, writes nothing: no name, a
// link whose target is missing, a target that is no regular file, a read-only target.
std::string ControleerSchrijfdoel(const std::string& pad, BestandFout* fout = nullptr);

// Writes `bytes` as the whole content of `pad` (see above). A link is followed: its target is
// replaced and the link stays. A replaced file keeps its mode (and, where allowed, its owner); a new
// file gets the usual mode of new files. Empty on success, else a message naming the file and the
// reason ("File too large", "No space left on device", ...).
std::string SchrijfBestand(const std::string& pad, std::string_view bytes, BestandFout* fout = nullptr);

// Reads at most `max` bytes of the regular file `pad` into `bytes`; `teLang` tells whether the file
// holds more. Anything that is no regular file (a FIFO, a device, a folder) is refused without
// waiting on it. Empty on success, else a message naming the file and the reason.
std::string LeesBestand(const std::string& pad, std::size_t max, std::string& bytes, bool* teLang = nullptr,
                        BestandFout* fout = nullptr);

// Why `pad` cannot be opened as a file to read, in a few words that follow a message ("Cannot open
// file X: bestaat niet"): "bestaat niet", "het is een map", "geen gewoon bestand", "een kring van
// koppelingen", "een koppeling naar een bestand dat niet bestaat", "geen leesrecht", or the system's
// own reason. Empty when it is a regular file that can be opened. Portable: std::filesystem only.
std::string LeesReden(const std::string& pad);

// While it lives, standard error goes nowhere: a library that prints its own lines about a failed
// write ("[ERROR] ...") stays quiet, and the program says what failed in its own words. For short
// stretches of one thread only: other threads' messages would be lost too.
class TStilleFoutuitvoer {
  public:
    TStilleFoutuitvoer();
    ~TStilleFoutuitvoer();
    TStilleFoutuitvoer(const TStilleFoutuitvoer&) = delete;
    TStilleFoutuitvoer& operator=(const TStilleFoutuitvoer&) = delete;

  private:
    int bewaard_ = -1; // standard error's own descriptor while it points elsewhere
};

} // namespace korvalinde
