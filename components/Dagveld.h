// Day edit: an edit for a day of the year without a year. The user types day and month as one
// number, day x 100 + month (1509 for 15 September), and sees it with the date separator (15/09)
// once he leaves the control. Leaving checks the entry; the program gets the date (in the non-leap
// year 2001) or its day number 1..365.
#pragma once

#include <QDate>
#include <QLineEdit>

#include <stdexcept>

namespace korvalinde {

// Errors of the component library.
class EDlxException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
class EDlxError : public EDlxException {
  public:
    using EDlxException::EDlxException;
};

// Numeric edit holding a whole number (no decimals) with a display format for when it does not
// have the focus, specialised for day x 100 + month.
class TznCustomDayEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit TznCustomDayEdit(QWidget* parent = nullptr);

    // The digits of day x 100 + month, for example "1509"; empty when nothing is entered.
    QString Text() const { return tekst_; }
    void SetText(const QString& tekst);
    // The number of the text, limited to MinValue..MaxValue when they differ; 0 for an empty
    // text or one that is not a number.
    double Value() const;
    void SetValue(double waarde);

    double MinValue() const { return min_; }
    double MaxValue() const { return max_; }
    void SetMinValue(double waarde) { min_ = waarde; }
    void SetMaxValue(double waarde) { max_ = waarde; }

    // Check day and month when the focus leaves the control (on by default).
    bool CheckOnExit() const { return checkOnExit_; }
    void SetCheckOnExit(bool aan) { checkOnExit_ = aan; }
    // Enter moves the focus to the next control (on by default).
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool aan) { tabOnEnter_ = aan; }
    // A value of 0 shows as an empty field (on by default).
    bool ZeroEmpty() const { return zeroEmpty_; }
    void SetZeroEmpty(bool aan);
    // Select the whole text when the control gets the focus (on by default).
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool aan) { autoSelect_ = aan; }
    // A beep when a typed character is refused (on by default).
    bool BeepOnError() const { return beepOnError_; }
    void SetBeepOnError(bool aan) { beepOnError_ = aan; }
    // Show the display format also while editing (off by default).
    bool FormatOnEditing() const { return formatOnEditing_; }
    void SetFormatOnEditing(bool aan);
    Qt::Alignment Alignment() const { return alignment(); }
    void SetAlignment(Qt::Alignment uitlijning) { setAlignment(uitlijning); }

    // The number format shown outside editing, for example 0'/'00.
    QString DisplayFormat() const { return formaat_; }
    void SetDisplayFormat(const QString& formaat);
    // What the control shows when it does not have the focus, for example "15/09".
    QString DisplayText() const;

    // The entered day and month in 2001 (the typed text is taken into Value first). An invalid
    // QDate when the number is no date (as for an empty field).
    QDate AsDate();
    // Day of the year 1..365 of AsDate; 0 when there is no valid date.
    int DayOfYear();

    // Raises EDlxError "Ongeldige maand ingegeven" or "Ongeldige dag ingegeven" when the text is
    // not empty and is no day and month of 2001.
    void CheckDay() const;

    // The display format from a short date pattern and its separator: the year and the separator
    // before it are dropped, a run of d becomes 0, a run of M becomes 00, the separator is quoted.
    // "dd/MM/yyyy" with "/" gives 0'/'00.
    static QString DisplayFormatFor(const QString& patroon, const QString& scheiding);
    // A whole number written with such a format, digits filled from the right; the first
    // placeholder takes the remaining digits (1509 -> 15/09, 104 -> 1/04).
    static QString FormatNumber(const QString& formaat, long long waarde);
    // The short date pattern and separator that new day edits build their format from; the
    // program sets them once at start ("dd/MM/yyyy" and "/" unless set otherwise).
    static void SetDateNotation(const QString& patroon, const QString& scheiding);

  signals:
    // The text was changed by typing.
    void TextEdited(const QString& tekst);
    // The check on leaving failed: the focus goes back to the control and the message is for the
    // program to show. Without a receiver the control shows it itself in an error box.
    void Error(const QString& melding);
    // The focus left the control and the entry passed the check (the exit handler).
    void Exit();

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Toon();
    bool Bewerken() const { return hasFocus() && !formatOnEditing_; }

    QString tekst_;
    double min_ = 0;
    double max_ = 0;
    bool checkOnExit_ = true;
    bool tabOnEnter_ = true;
    bool zeroEmpty_ = true;
    bool autoSelect_ = true;
    bool formatOnEditing_ = false;
    bool beepOnError_ = true;
    QString formaat_;
};

class TznDayEdit : public TznCustomDayEdit {
    Q_OBJECT
  public:
    using TznCustomDayEdit::TznCustomDayEdit;
};

} // namespace korvalinde
