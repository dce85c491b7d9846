#include "browser/drawform.h"

#include "catalogdb/recordset.h"

namespace vandrel {

DrawForm::DrawForm(const ViewerContext& context, QWidget* parent)
    : PictureViewer(context, QStringLiteral("Drawing informatie"), QStringLiteral("LijnTekening"), parent)
{
}

void DrawForm::showDrawing(qint64 lijnTekeningNummer, const ViewerContext& context)
{
    runQuery(context, QStringLiteral("Select * From Drawings Where LijnTekeningNummer = ") +
                          QString::number(lijnTekeningNummer),
             [&context] { return std::make_unique<DrawForm>(context, context.mainWindow); });
}

bool DrawForm::open(const Recordset& recordset)
{
    return prepare(recordset, recordset.value(QStringLiteral("Titel")).toString(),
                   QStringLiteral("LijnTekeningOmschrijving"),
                   QStringLiteral("De lijntekening kan niet worden getoond"));
}

} // namespace vandrel
