// The manual window: a short guide through the pages of the main window.
#pragma once

#include "programs/Tekstsecties.h"

class QScrollArea;

namespace korvalinde {

class TFrmHandleiding : public TTekstVenster {
    Q_OBJECT
  public:
    explicit TFrmHandleiding(QWidget* parent = nullptr);

    QScrollArea* SbxHandleiding;
};

} // namespace korvalinde
