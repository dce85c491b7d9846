#include "browser/klasseform.h"

#include "app/core/events.h"
#include "app/core/ui.h"
#include "browser/articlegrid.h"
#include "browser/articlelisthost.h"
#include "browser/classificationquery.h"
#include "browser/columnlayout.h"
#include "browser/datacontrol.h"
#include "catalogdb/database.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace vandrel {

namespace cq = classificationquery;

namespace {

const char* const tagProperty = "Tag";
const QString colourField = QStringLiteral("Kleurnaam");
const QString searchTitle = QStringLiteral("Zoeken op klassificaties");
const QString selectTitle = QStringLiteral("Selecteren met klassificaties");

constexpr int colourType = 6;
constexpr int textType = 5;

} // namespace

KlasseForm::KlasseForm(ArticleListHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(host), label1_(new QLabel(QStringLiteral("Selecteer een productgroep:"), this)),
      cmbGroep_(new QComboBox(this))
{
    setObjectName(QStringLiteral("KlasseForm"));
    setWindowTitle(QStringLiteral("Selecteren op klassificerende eigenschappen"));
    label1_->setObjectName(QStringLiteral("Label1"));
    cmbGroep_->setObjectName(QStringLiteral("cmbGroep"));
    cmbGroep_->setMinimumWidth(360);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addWidget(cmbGroep_);
    auto* grid = new QGridLayout;
    for (int k = 0; k < propertyCount; ++k) {
        buildPanel(k);
        grid->addWidget(panels_[k].frame, k / 2, k % 2);
    }
    layout->addLayout(grid);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const QString captions[] = {QStringLiteral("&Toon selectie"), QStringLiteral("&Sluiten")};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(captions[i], this);
        b->setObjectName(QStringLiteral("Command1%1").arg(i));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    layout->addLayout(buttons);

    connect(cmbGroep_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            cmbGroep_Click();
    });
}

KlasseForm::~KlasseForm() = default;

void KlasseForm::buildPanel(int k)
{
    Panel& p = panels_[k];
    p.frame = new QGroupBox(this);
    p.frame->setObjectName(QStringLiteral("fraKlasse%1").arg(k));
    p.list = new QComboBox(p.frame);
    p.list->setObjectName(QStringLiteral("cmbKlasse%1").arg(k));
    p.list->setEditable(true);
    p.list->setInsertPolicy(QComboBox::NoInsert);
    p.list->setMinimumWidth(200);
    connect(p.list, &QComboBox::currentTextChanged, p.list, &QWidget::setToolTip);

    p.slider = new QSlider(Qt::Horizontal, p.frame);
    p.slider->setObjectName(QStringLiteral("Slider1%1").arg(k));
    p.slider->setRange(0, 25);
    p.slider->setValue(10);
    p.slider->setPageStep(5);
    p.slider->setTickInterval(5);
    p.slider->setTickPosition(QSlider::TicksBelow);
    p.slider->setToolTip(QStringLiteral("Afwijking waarde tot max. 25%"));
    p.slider->setMouseTracking(true);
    p.slider->installEventFilter(this);

    const QString captions[] = {QStringLiteral("Exacte vergelijking"), QStringLiteral("% tolerantie:"),
                                QStringLiteral("Negeer klassificatie")};
    p.group = new QButtonGroup(p.frame);
    for (int j = 0; j < 3; ++j) {
        const int index = 3 * k + j;
        p.options[j] = new QRadioButton(captions[j], p.frame);
        p.options[j]->setObjectName(QStringLiteral("optKlasse%1").arg(index));
        p.group->addButton(p.options[j], index);
    }
    p.options[0]->setChecked(true);
    connect(p.group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            optKlasse_Click(id);
    });

    auto* g = new QGridLayout(p.frame);
    g->addWidget(p.list, 0, 0, 1, 2);
    g->addWidget(p.options[0], 1, 0, 1, 2);
    g->addWidget(p.options[1], 2, 0);
    g->addWidget(p.slider, 2, 1);
    g->addWidget(p.options[2], 3, 0, 1, 2);
}

void KlasseForm::Form_Load()
{
    Database* db = host_.illustrationDatabase();
    if (db && db->isOpen())
        groups_ = db->openRecordset(cq::groupQuery(), Recordset::Dynaset);
    filling_ = true;
    cmbGroep_->clear();
    if (groups_) {
        for (bool row = groups_->moveFirst(); row && groups_->hasCurrent(); row = groups_->moveNext())
            cmbGroep_->addItem(groups_->value(QStringLiteral("GroepOmschrijving")).toString(),
                               groups_->value(QStringLiteral("ProduktGroep")).toString().trimmed().toInt());
        groups_->moveFirst();
    }
    cmbGroep_->setCurrentIndex(cmbGroep_->count() > 0 ? 0 : -1);
    filling_ = false;
    MoveCompleted();
}

void KlasseForm::cmbGroep_Click()
{
    if (cmbGroep_->currentText().isEmpty() || !groups_)
        return;
    // The list holds one entry per group row in the same order, so the position finds
    // the row even when one code is the prefix of another.
    const int index = cmbGroep_->currentIndex();
    if (index < 0 || !groups_->setAbsolutePosition(index))
        return;
    MoveCompleted();
}

void KlasseForm::MoveCompleted()
{
    if (moving_ || filling_)
        return;
    moving_ = true;
    WaitCursor wait;
    const bool hasRow = groups_ && groups_->hasCurrent();
    const QString code = hasRow ? groups_->value(QStringLiteral("ProduktGroep")).toString().trimmed() : QString();
    for (int k = 0; k < propertyCount; ++k) {
        Panel& p = panels_[k];
        const int n = k + 1;
        const QVariant type = hasRow ? groups_->value(QStringLiteral("KlassificatieType_%1").arg(n)) : QVariant();
        if (type.isNull() || type.toInt() == 0) {
            p.frame->setTitle(QString());
            p.group->setExclusive(false);
            p.options[2]->setChecked(false);
            p.group->setExclusive(true);
            p.frame->hide();
            p.list->hide();
            for (QRadioButton* o : p.options)
                o->hide();
            continue;
        }
        p.frame->setTitle(groups_->value(QStringLiteral("KlassificatieNaam_%1").arg(n)).toString());
        p.frame->show();
        p.list->show();
        for (QRadioButton* o : p.options)
            o->show();

        const bool colour = type.toInt() == colourType;
        p.values.reset();
        if (colour) {
            Database* illustration = host_.illustrationDatabase();
            Database* catalog = host_.catalogDatabase();
            if (illustration && catalog)
                p.values = illustration->openRecordset(cq::colourValuesQuery(code, n, catalog->name()),
                                                       Recordset::Dynaset);
        } else if (Database* catalog = host_.catalogDatabase()) {
            p.values = catalog->openRecordset(cq::valuesQuery(code, n), Recordset::Dynaset);
        }
        // Colours are chosen by their code, so only the listed names can be taken.
        p.list->setEditable(!colour);
        p.list->setProperty(tagProperty, colour ? colourField : QStringLiteral("Klassificatie_%1").arg(n));
        if (p.values && p.values->hasCurrent()) {
            fillValueList(k);
            p.list->setCurrentIndex(0);
        } else {
            p.list->clear();
        }

        const bool text = type.toInt() == textType;
        p.options[1]->setText(text ? QStringLiteral("Bevat deze tekst") : QStringLiteral(" tolerantie:"));
        // A percentage of a packed colour code would pick unrelated colours: colours
        // compare exactly.
        p.options[1]->setEnabled(!colour);
        p.slider->setVisible(!text && !colour);
        const int chosen = colour ? 0 : 1;
        p.options[chosen]->setChecked(true);
        optKlasse_Click(3 * k + chosen);
    }
    moving_ = false;
}

void KlasseForm::fillValueList(int k)
{
    Panel& p = panels_[k];
    p.list->clear();
    Recordset& rs = *p.values;
    const bool withData = rs.fieldCount() > 1;
    for (bool row = rs.moveFirst(); row && rs.hasCurrent(); row = rs.moveNext()) {
        if (withData)
            p.list->addItem(rs.value(0).toString(), qint32(rs.value(1).toLongLong()));
        else
            p.list->addItem(rs.value(0).toString());
    }
}

void KlasseForm::optKlasse_Click(int index)
{
    panels_[index / 3].list->setEnabled(index % 3 != 2);
}

bool KlasseForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        if (auto* s = qobject_cast<QSlider*>(watched))
            s->setToolTip(QStringLiteral("Afwijking tot max. %1%").arg(s->value()));
    return QWidget::eventFilter(watched, event);
}

void KlasseForm::Command1_Click(int index)
{
    if (index == 0)
        showSelection();
    else if (index == 1)
        close();
}

void KlasseForm::showSelection()
{
    WaitCursor wait;
    QStringList conditions;
    for (int k = 0; k < propertyCount; ++k) {
        const Panel& p = panels_[k];
        cq::PropertyChoice c;
        c.shown = !p.frame->isHidden();
        c.listEnabled = p.list->isEnabled();
        c.comparison = p.options[0]->isChecked()   ? cq::Comparison::Exact
                       : p.options[1]->isChecked() ? cq::Comparison::Tolerance
                                                   : cq::Comparison::Ignore;
        c.numeric = !p.slider->isHidden();
        c.tolerance = p.slider->value();
        const bool colourList = p.list->property(tagProperty).toString() == colourField;
        if (colourList && c.listEnabled)
            c.value = p.list->currentIndex() >= 0 ? QString::number(p.list->currentData().toInt()) : QString();
        else
            c.value = p.list->currentText();
        if (c.shown && c.listEnabled && c.comparison == cq::Comparison::Tolerance && c.numeric &&
            !cq::hasLeadingNumber(c.value)) {
            msgBox(QStringLiteral("Vul bij '") + p.frame->title() +
                       QStringLiteral("' een getal in voor de vergelijking met tolerantie."),
                   MsgIcon::Warning, MsgButtons::Ok, searchTitle);
            p.list->setFocus();
            return;
        }
        const QString condition = cq::propertyCondition(k + 1, c);
        if (!condition.isEmpty())
            conditions << condition;
    }
    if (conditions.isEmpty()) {
        msgBox(QStringLiteral("FOUT: U dient tenminste één klassificatie te selecteren voor de selectie.") +
                   QStringLiteral("\r\n") +
                   QStringLiteral("Als u alle artikelen uit deze Productgroep wilt kiezen, gebruik dan de inhoudsopgave."),
               MsgIcon::Warning, MsgButtons::Ok, searchTitle);
        return;
    }
    if (!groups_ || !groups_->hasCurrent()) // conditions come only from a group's panels
        return;
    const QString code = groups_->value(QStringLiteral("ProduktGroep")).toString();
    const QString statement = cq::selectionStatement(columnlayout::ReeksDef(QStringLiteral("Table3")), code, conditions);

    host_.showListView();
    DataControl* data = host_.listData();
    data->setRecordSource(statement);
    // The status line names this selection, not the search that filled the list before.
    const QVariant groupName = groups_->value(QStringLiteral("GroepOmschrijving"));
    data->setCaption(QStringLiteral("Klassificatie = ") +
                     (groupName.isNull() ? code.trimmed() : groupName.toString().trimmed()));
    PendingError::clear();
    if (!data->refresh()) {
        msgBox(QStringLiteral("De selectie kan niet worden uitgevoerd.") + QStringLiteral("\n\n") +
                   PendingError::get().text,
               MsgIcon::Critical, MsgButtons::Ok, selectTitle);
    } else if (data->recordCount() == 0) {
        msgBox(QStringLiteral("Er zijn geen artikelen gevonden die aan de gestelde criteria voldoen. "
                              "Probeer het opnieuw met andere waarden."),
               MsgIcon::Warning, MsgButtons::Ok, selectTitle);
    } else {
        host_.listGrid()->SetColumnWidth();
    }
    cmbGroep_->setFocus();
}

} // namespace vandrel
