#pragma once

#include <QPointer>
#include <QWidget>

namespace vandrel {

// Program-wide state that windows of several subsystems read and write.
struct SharedState {
    // Suspend the details' reaction to row moves while a batch walks a list.
    bool BatchInProgress = false;
    bool ListWalkInProgress = false;
    // The order and quotation windows that last lost the focus; the toolbar acts on
    // LastDocumentWindow.
    QPointer<QWidget> LastOrderWindow;
    QPointer<QWidget> LastQuotationWindow;
    QPointer<QWidget> LastDocumentWindow;
};

SharedState& shared();

} // namespace vandrel
