#include "browser/listexport.h"

#include "browser/articlegrid.h"
#include "browser/datacontrol.h"
#include "browser/recordsetmodel.h"
#include "exchange/articleexport.h"
#include "exchange/importwindow.h"

#include <QHeaderView>

#include <cmath>

namespace vandrel {

void exportShownList(QWidget* mainWindow, ArticleGrid* grid, DataControl* statusLine, bool standard)
{
    DataControl* data = grid->dataControl();
    ExportSource source;
    if (data) {
        source.database = data->database();
        source.recordSource = data->recordSource();
        source.recordCount = data->recordset() ? data->recordCount() : 0;
    }
    if (RecordsetModel* model = grid->recordsetModel(); model && !standard) {
        const QHeaderView* header = grid->horizontalHeader();
        const int charWidth = std::max(1, grid->fontMetrics().averageCharWidth());
        for (int visual = 0; visual < header->count(); ++visual) {
            const int column = header->logicalIndex(visual);
            if (header->isSectionHidden(column))
                continue;
            ExportColumn c;
            c.caption = model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
            c.width = std::max(1, int(std::lround(double(header->sectionSize(column)) / charWidth)));
            c.numberFormat = model->numberFormat(column);
            c.alignRight = model->alignment(column) == columnlayout::AlignRight;
            source.columns << c;
        }
        source.formatCell = [](const QVariant& v, const QString& format) {
            return RecordsetModel::formatValue(v, format);
        };
    }
    const QString caption = statusLine->caption();
    WidgetImportWindow window(mainWindow, [statusLine](const QString& text) {
        statusLine->setCaption(text);
        statusLine->repaint();
    });
    ArticleExport exporter(window);
    if (standard)
        exporter.runStandard(source);
    else
        exporter.runOverview(source);
    statusLine->setCaption(caption);
}

} // namespace vandrel
