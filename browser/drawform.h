#pragma once

#include "browser/digiform.h"

namespace vandrel {

// The line-drawing viewer.
class DrawForm final : public PictureViewer {
    Q_OBJECT
public:
    explicit DrawForm(const ViewerContext& context, QWidget* parent = nullptr);

    // Opens "Select * From Drawings Where LijnTekeningNummer = " + number, modally.
    static void showDrawing(qint64 lijnTekeningNummer, const ViewerContext& context);

    // Opening steps up to the modal show; false when the viewer must not be shown.
    bool open(const Recordset& recordset) override;
};

} // namespace vandrel
