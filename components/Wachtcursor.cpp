#include "components/Wachtcursor.h"

#include <QApplication>

#include <memory>
#include <vector>

namespace korvalinde {

TWachtcursor::TWachtcursor(QWidget* uitzetten) : uitgezet_(uitzetten) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (uitgezet_) {
        // The control's own setting, not what it inherits: a window disabled around it (the print
        // progress disables every window) must not leave the control disabled afterwards.
        wasAan_ = !uitgezet_->testAttribute(Qt::WA_ForceDisabled);
        uitgezet_->setEnabled(false);
    }
}

TWachtcursor::~TWachtcursor() {
    QApplication::restoreOverrideCursor();
    if (uitgezet_) uitgezet_->setEnabled(wasAan_);
}

std::function<void(bool)> TWachtcursor::Volger(QWidget* uitzetten) {
    auto lopend = std::make_shared<std::vector<std::unique_ptr<TWachtcursor>>>();
    QPointer<QWidget> control(uitzetten);
    return [lopend, control](bool bezig) {
        if (bezig)
            lopend->push_back(std::make_unique<TWachtcursor>(control.data()));
        else if (!lopend->empty())
            lopend->pop_back();
    };
}

} // namespace korvalinde
