#include "components/Dagveld.h"

#include "core/Meldingen.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QRegularExpressionValidator>
#include <QTimer>

#include <cmath>

namespace korvalinde {

namespace {

QString& DatumPatroon() {
    static QString patroon = QStringLiteral("dd/MM/yyyy");
    return patroon;
}
QString& DatumScheiding() {
    static QString scheiding = QStringLiteral("/");
    return scheiding;
}

// Plain digits only: the number is typed without separator.
bool LeesGeheel(const QString& tekst, double& waarde) {
    bool ok = false;
    const QString t = tekst.trimmed();
    waarde = QLocale::c().toDouble(t, &ok);
    return ok && std::isfinite(waarde);
}

} // namespace

TznCustomDayEdit::TznCustomDayEdit(QWidget* parent) : QLineEdit(parent) {
    formaat_ = DisplayFormatFor(DatumPatroon(), DatumScheiding());
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), this));
    connect(this, &QLineEdit::inputRejected, this, [this] {
        if (beepOnError_) QApplication::beep();
    });
    connect(this, &QLineEdit::textEdited, this, [this](const QString& tekst) {
        if (!Bewerken()) return;
        tekst_ = tekst;
        emit TextEdited(tekst_);
    });
}

void TznCustomDayEdit::SetText(const QString& tekst) {
    tekst_ = tekst;
    Toon();
}

double TznCustomDayEdit::Value() const {
    double waarde = 0;
    if (!LeesGeheel(tekst_, waarde)) return 0;
    if (max_ != min_) waarde = qBound(min_, waarde, max_);
    return std::round(waarde);
}

void TznCustomDayEdit::SetValue(double waarde) {
    if (max_ != min_) waarde = qBound(min_, waarde, max_);
    const auto n = static_cast<long long>(std::llround(waarde));
    SetText(n == 0 && zeroEmpty_ ? QString() : QString::number(n));
}

void TznCustomDayEdit::SetZeroEmpty(bool aan) {
    zeroEmpty_ = aan;
    Toon();
}

void TznCustomDayEdit::SetFormatOnEditing(bool aan) {
    formatOnEditing_ = aan;
    Toon();
}

void TznCustomDayEdit::SetDisplayFormat(const QString& formaat) {
    formaat_ = formaat;
    Toon();
}

QString TznCustomDayEdit::DisplayText() const {
    if (tekst_.isEmpty()) return {};
    const auto n = static_cast<long long>(Value());
    if (n == 0 && zeroEmpty_) return {};
    return FormatNumber(formaat_, n);
}

void TznCustomDayEdit::Toon() {
    const QString tonen = Bewerken() ? tekst_ : DisplayText();
    if (text() != tonen) setText(tonen);
}

QDate TznCustomDayEdit::AsDate() {
    SetValue(Value());
    const auto n = static_cast<long long>(Value());
    return QDate(2001, static_cast<int>(n % 100), static_cast<int>(n / 100));
}

int TznCustomDayEdit::DayOfYear() {
    const QDate datum = AsDate();
    return datum.isValid() ? datum.dayOfYear() : 0;
}

void TznCustomDayEdit::CheckDay() const {
    if (tekst_.trimmed().isEmpty()) return;
    double waarde = 0;
    if (!LeesGeheel(tekst_, waarde) || std::fabs(waarde) >= 1e9) throw EDlxError("Ongeldige maand ingegeven");
    const auto n = static_cast<long long>(waarde);
    const long long maand = n % 100;
    if (maand < 1 || maand > 12) throw EDlxError("Ongeldige maand ingegeven");
    const long long dag = n / 100;
    if (dag < 1 || dag > QDate(2001, static_cast<int>(maand), 1).daysInMonth())
        throw EDlxError("Ongeldige dag ingegeven");
}

void TznCustomDayEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    Toon();
    if (autoSelect_) selectAll();
}

void TznCustomDayEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Another window (a message box, a drop-down) taking the focus is no exit from the control.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    if (checkOnExit_) {
        try {
            CheckDay();
        } catch (const EDlxError& fout) {
            const QString melding = QString::fromUtf8(fout.what());
            Toon();
            // Back into the control once the focus change has finished, then the message.
            QTimer::singleShot(0, this, [this, melding] {
                setFocus(Qt::OtherFocusReason);
                selectAll();
                if (isSignalConnected(QMetaMethod::fromSignal(&TznCustomDayEdit::Error)))
                    emit Error(melding);
                else
                    StandaardMelder().Fout(melding);
            });
            return;
        }
    }
    // Range check and the display format.
    if (!tekst_.isEmpty()) SetValue(Value());
    Toon();
    emit Exit();
}

void TznCustomDayEdit::keyPressEvent(QKeyEvent* event) {
    if (tabOnEnter_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        focusNextChild();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

QString TznCustomDayEdit::DisplayFormatFor(const QString& patroon, const QString& scheiding) {
    QString deel = patroon;
    const qsizetype jaar = patroon.toUpper().indexOf(QLatin1Char('Y'));
    if (jaar > 1) deel = patroon.left(jaar - 1);
    QString uit;
    QChar vorige;
    for (qsizetype i = 0; i < deel.size(); ++i) {
        if (!scheiding.isEmpty() && deel.mid(i, scheiding.size()) == scheiding) {
            uit += QLatin1Char('\'') + scheiding + QLatin1Char('\'');
            i += scheiding.size() - 1;
            vorige = QChar();
            continue;
        }
        const QChar c = deel.at(i).toUpper();
        if (c == u'D' || c == u'M') {
            if (c != vorige) uit += c == u'D' ? QStringLiteral("0") : QStringLiteral("00");
            vorige = c;
        }
    }
    return uit;
}

QString TznCustomDayEdit::FormatNumber(const QString& formaat, long long waarde) {
    // Split the format into placeholders ('0') and literal texts (quoted or not).
    struct Stuk {
        bool cijfer;
        QString tekst;
    };
    QList<Stuk> stukken;
    int plaatsen = 0;
    for (qsizetype i = 0; i < formaat.size(); ++i) {
        const QChar c = formaat.at(i);
        if (c == u'0') {
            stukken.append(Stuk{true, QString()});
            ++plaatsen;
        } else if (c == u'\'' || c == u'"') {
            const qsizetype eind = formaat.indexOf(c, i + 1);
            const qsizetype tot = eind < 0 ? formaat.size() : eind;
            stukken.append(Stuk{false, formaat.mid(i + 1, tot - i - 1)});
            i = tot;
        } else {
            stukken.append(Stuk{false, QString(c)});
        }
    }
    QString cijfers = QString::number(waarde < 0 ? -waarde : waarde);
    if (cijfers.size() < plaatsen) cijfers = QString(plaatsen - cijfers.size(), QLatin1Char('0')) + cijfers;
    // From the right: each placeholder one digit, the first one all that is left.
    qsizetype rest = cijfers.size();
    int over = plaatsen;
    QStringList delen;
    for (qsizetype i = stukken.size() - 1; i >= 0; --i) {
        if (!stukken[i].cijfer) {
            delen.prepend(stukken[i].tekst);
            continue;
        }
        --over;
        const qsizetype lengte = over == 0 ? rest : 1;
        delen.prepend(cijfers.mid(rest - lengte, lengte));
        rest -= lengte;
    }
    return (waarde < 0 ? QStringLiteral("-") : QString()) + delen.join(QString());
}

void TznCustomDayEdit::SetDateNotation(const QString& patroon, const QString& scheiding) {
    DatumPatroon() = patroon;
    DatumScheiding() = scheiding;
}

} // namespace korvalinde
