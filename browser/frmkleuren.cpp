#include "browser/frmkleuren.h"

#include "app/core/events.h"
#include "app/core/helpers.h"
#include "app/core/ui.h"
#include "browser/articlegrid.h"
#include "browser/articlelisthost.h"
#include "browser/classificationquery.h"
#include "browser/columnlayout.h"
#include "browser/datacontrol.h"
#include "catalogdb/database.h"

#include <QLabel>
#include <QMouseEvent>

#include <cmath>

namespace vandrel {

namespace cq = classificationquery;

namespace {
const char* const codeProperty = "KleurCode";
// Room the window manager takes in a title bar besides the title (icon, buttons).
constexpr int titleBarButtonsWidth = 110;
}

FrmKleuren::FrmKleuren(ArticleListHost& host, QWidget* parent) : QWidget(parent, Qt::Window), host_(host)
{
    setObjectName(QStringLiteral("frmKleuren"));
}

bool FrmKleuren::Form_Load()
{
    bool ok = false;
    const QVariant fanValue = host_.seriesColourFan();
    const qint64 fan = fanValue.isNull() ? 0 : fanValue.toLongLong(&ok);
    Database* db = host_.illustrationDatabase();
    // The details only offer the fan for a series with one; anything else has nothing to show.
    if (!ok || !db || !db->isOpen()) {
        close();
        return false;
    }
    WaitCursor wait;
    const QString fanText = QString::number(fan);
    std::unique_ptr<Recordset> scheme =
        db->openRecordset(QStringLiteral("SELECT * FROM ColorSchemes WHERE KleurenWaaier = ") + fanText);
    setWindowTitle(scheme && scheme->hasCurrent() ? scheme->value(QStringLiteral("Waaiernaam")).toString() : QString());

    qDeleteAll(label1_);
    label1_.clear();
    std::unique_ptr<Recordset> colours = db->openRecordset(
        QStringLiteral("SELECT * FROM ColorSpecifications WHERE KleurenWaaier = ") + fanText +
        QStringLiteral(" ORDER BY KleurCode"));
    QFont swatchFont = font();
    swatchFont.setPointSizeF(7);
    if (colours) {
        for (bool row = colours->moveFirst(); row && colours->hasCurrent(); row = colours->moveNext()) {
            const QVariant codeValue = colours->value(QStringLiteral("KleurCode"));
            const qint64 code = codeValue.isNull() ? 0 : codeValue.toLongLong();
            const QVariant nameValue = colours->value(QStringLiteral("KleurNaam"));
            // A name stored as the text "null" is an unknown colour, as in the details.
            const QString name = nameValue.isNull()                        ? QStringLiteral("......")
                                 : nameValue.toString() == QLatin1String("null") ? QStringLiteral("Onbekend")
                                                                                 : nameValue.toString();
            auto* swatch = new QLabel(name, this);
            swatch->setObjectName(QStringLiteral("Label1_%1").arg(label1_.size() + 1));
            swatch->setProperty(codeProperty, code);
            swatch->setToolTip(name);
            swatch->setFont(swatchFont);
            swatch->setAlignment(Qt::AlignCenter);
            swatch->setWordWrap(true);
            swatch->setAutoFillBackground(true);
            QPalette p = swatch->palette();
            p.setColor(QPalette::Window, cq::packedColour(code));
            p.setColor(QPalette::WindowText, cq::textColourOn(code));
            swatch->setPalette(p);
            swatch->setCursor(Qt::PointingHandCursor);
            swatch->installEventFilter(this);
            label1_ << swatch;
        }
    }

    const cq::FanLayout layout = cq::fanLayout(int(label1_.size()));
    // The swatches grow, all by one factor, until the longest word of a colour name fits
    // on one; the window is at least wide enough for its title.
    const QFontMetrics swatchMetrics(swatchFont);
    int widestWord = 0;
    for (const QLabel* swatch : std::as_const(label1_)) {
        for (const QString& word : swatch->text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
            widestWord = std::max(widestWord, swatchMetrics.horizontalAdvance(word));
    }
    const double grow = std::max(1.0, (widestWord + 8.0) / twipsToPixelsX(cq::FanLayout::swatchSize));
    const auto x = [grow](double twips) { return int(std::lround(twipsToPixelsX(twips) * grow)); };
    const auto y = [grow](double twips) { return int(std::lround(twipsToPixelsY(twips) * grow)); };
    for (qsizetype i = 0; i < label1_.size(); ++i) {
        label1_[i]->setGeometry(x(layout.positions[i].x()), y(layout.positions[i].y()), x(cq::FanLayout::swatchSize),
                                y(cq::FanLayout::swatchSize));
        label1_[i]->show();
    }
    QFont titleFont = font();
    titleFont.setBold(true); // title bars mostly are
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + titleBarButtonsWidth;
    setFixedSize(std::max(x(layout.clientWidth()), titleWidth), y(layout.clientHeight()));
    return true;
}

bool FrmKleuren::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const qsizetype index = label1_.indexOf(qobject_cast<QLabel*>(watched));
        if (index >= 0) {
            Label1_Click(int(index));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmKleuren::Label1_Click(int index)
{
    if (index < 0 || index >= label1_.size())
        return;
    const QLabel* swatch = label1_[index];
    WaitCursor wait;
    pumpEvents();
    const QString statement = cq::colourStatement(columnlayout::ReeksDef(QStringLiteral("Table3")),
                                                  swatch->property(codeProperty).toLongLong());
    host_.showListView();
    DataControl* data = host_.listData();
    data->setRecordSource(statement);
    data->setCaption(QStringLiteral("Kleur = ") + swatch->toolTip());
    PendingError::clear();
    if (!data->refresh()) {
        msgBox(QStringLiteral("De selectie kan niet worden uitgevoerd.") + QStringLiteral("\n\n") +
                   PendingError::get().text,
               MsgIcon::Critical);
        return;
    }
    host_.listGrid()->SetColumnWidth();
    host_.listGrid()->setFocus();
}

} // namespace vandrel
