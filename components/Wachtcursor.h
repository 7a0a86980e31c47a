// The wait cursor while the program is busy, as one guard: on for as long as a TWachtcursor lives,
// whatever happens in between, and optionally a control disabled for that time (the main window's
// pages while the report is painted). Guards nest.
//
// Widget-free parts of the program do not hold the cursor; they say when they are busy, in pairs
// (the calculation's Rekent(true)/Rekent(false), the report's Bezig(true)/Bezig(false)), and the
// window follows such a pair with Volger().
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

namespace korvalinde {

class TWachtcursor {
  public:
    // The wait cursor on; `uitzetten` (may be null) disabled until the guard ends, then back to the
    // state it had.
    explicit TWachtcursor(QWidget* uitzetten = nullptr);
    ~TWachtcursor();
    TWachtcursor(const TWachtcursor&) = delete;
    TWachtcursor& operator=(const TWachtcursor&) = delete;

    // A receiver for a busy report in pairs: true starts a guard, false ends the latest one.
    // Copies of the receiver share their guards.
    static std::function<void(bool bezig)> Volger(QWidget* uitzetten = nullptr);

  private:
    QPointer<QWidget> uitgezet_;
    bool wasAan_ = false;
};

} // namespace korvalinde
