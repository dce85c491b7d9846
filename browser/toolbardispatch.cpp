#include "browser/toolbardispatch.h"

#include <QWidget>

namespace vandrel {

MenuCommand toolbarCommand(const QString& key, DocumentKind doc)
{
    const auto is = [&](const char* k) { return key.compare(QLatin1String(k), Qt::CaseInsensitive) == 0; };
    const auto forDocument = [&](int index, bool orderWhenNone) {
        switch (doc) {
        case DocumentKind::Order: return MenuCommand{MenuCommand::OrderMenu, index};
        case DocumentKind::Quotation: return MenuCommand{MenuCommand::QuotationMenu, index};
        case DocumentKind::None:
            return orderWhenNone ? MenuCommand{MenuCommand::OrderMenu, index} : MenuCommand{};
        case DocumentKind::Other: break;
        }
        return MenuCommand{};
    };
    if (is("NewOrder"))
        return {MenuCommand::OrderMenu, 1};
    if (is("NewOffer"))
        return {MenuCommand::QuotationMenu, 1};
    if (is("OpenFile"))
        return forDocument(2, true);
    if (is("SaveFile"))
        return forDocument(6, false);
    if (is("Trashbin"))
        return forDocument(7, true);
    if (is("Printer"))
        return {MenuCommand::FileMenu, 6};
    if (is("XmitUpdate"))
        return {MenuCommand::OrderMenu, 9};
    if (is("ViewList"))
        return {MenuCommand::ViewMenu, 0};
    if (is("ViewDetails"))
        return {MenuCommand::ViewMenu, 1};
    return {};
}

DocumentKind lastDocumentKind(const QList<QWidget*>& openWindows, const QWidget* lastDocument)
{
    if (!lastDocument)
        return DocumentKind::None;
    for (const QWidget* w : openWindows) {
        if (w != lastDocument)
            continue;
        if (w->objectName() == QLatin1String("FrmBestel"))
            return DocumentKind::Order;
        if (w->objectName() == QLatin1String("FrmOfferte"))
            return DocumentKind::Quotation;
        return DocumentKind::Other;
    }
    return DocumentKind::None;
}

} // namespace vandrel
