// What the two programs need of the operating system beyond Qt, behind one header with one
// implementation per platform (SysteemPosix.cpp, SysteemWindows.cpp): how a request to end reaches
// the program, signals that would end it without a word, a closed standard output, and whether
// another run still lives.
#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

namespace korvalinde {

// Writing over a file-size limit (and, with `ookPijp`, into a closed pipe such as "| head") fails
// with an error that the program reports, instead of a signal ending it without a word. Nothing to
// do where writes only fail.
void NegeerSchrijfsignalen(bool ookPijp);

// A standard output that was closed at start gets the null device in its place, so that no file
// opened later becomes standard output and receives the results; true when it was closed. On Windows
// standard output also passes the bytes as written, so the results have the same line ends (LF) as
// on Linux. Called first in main, before anything opens a file.
bool BereidStandaarduitvoer();

// Whether no window system is at hand to draw with (Linux without X11 or Wayland display); the
// batch tool then draws offscreen. Windows always has one.
bool ZonderBeeldscherm();

// Whether the process with this id still runs; one of another user counts as running, and so does
// an id the system cannot answer for.
bool ProcesLoopt(qint64 pid);

// The batch calculator's stop: on an interrupt, a terminate request or the console window closing,
// `opruimen` runs on a thread of its own and the program then ends as that request expects (on
// POSIX by the same signal). Called first in main, before any other thread starts.
void BijAfbreken(void (*opruimen)());

// While it lives, a request to end the window program calls `einde` once in the message loop's
// thread, with the request's name for standard error: SIGTERM, SIGHUP or SIGINT on POSIX; on
// Windows a console closing, Ctrl+C, the user logging off or the system shutting down. Windows ends
// the process soon after a console closes or a session ends, so there the request waits (up to the
// few seconds Windows allows) until the message loop has been asked to end and left.
class TEindeVerzoek {
  public:
    explicit TEindeVerzoek(const std::function<void(const char* naam)>& einde);
    ~TEindeVerzoek();
    TEindeVerzoek(const TEindeVerzoek&) = delete;
    TEindeVerzoek& operator=(const TEindeVerzoek&) = delete;

    struct Deel;

  private:
    std::unique_ptr<Deel> deel_;
};

} // namespace korvalinde
