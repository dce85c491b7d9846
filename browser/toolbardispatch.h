#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace vandrel {

// Which menu entry a toolbar button stands for, given the kind of the document window
// that lost the focus last.
enum class DocumentKind { None, Order, Quotation, Other };

struct MenuCommand {
    enum Menu { Nothing, FileMenu, OrderMenu, QuotationMenu, ViewMenu };
    Menu menu = Nothing;
    int index = 0;
    friend bool operator==(const MenuCommand&, const MenuCommand&) = default;
};

MenuCommand toolbarCommand(const QString& key, DocumentKind lastDocument);

// The kind of the first open window that is the last document window; None when no open
// window is.
DocumentKind lastDocumentKind(const QList<QWidget*>& openWindows, const QWidget* lastDocument);

} // namespace vandrel
