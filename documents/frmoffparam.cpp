#include "documents/frmoffparam.h"

#include "app/core/ui.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vandrel {

frmOffParam::frmOffParam(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmOffParam"));
    setWindowTitle(QStringLiteral("Afdruk instellingen"));
    setModal(true);

    const auto check = [this](const char* name, const char* caption) {
        auto* c = new QCheckBox(QString::fromUtf8(caption), this);
        c->setObjectName(QString::fromLatin1(name));
        return c;
    };
    chkPrintHeader_ = check("chkPrintHeader", "Koptekst afdrukken");
    chkPrintCodes_ = check("chkPrintCodes", "Artikelnummers afdrukken");
    chkPrintOfferte_ = check("chkPrintOfferte", "Offerteteksten afdrukken");
    chkPrintValues_ = check("chkPrintValues", "Regelwaarden afdrukken");
    chkExportOptions_ = check("chkExportOptions", "Uitvoeroptie toepassen");
    uitvoerGroup_ = new QButtonGroup(this);
    const char* outputs[] = {"naar tekstverwerker", "naar tab-gescheiden bestand"};
    for (int i = 0; i < 2; ++i) {
        auto* o = new QRadioButton(QString::fromUtf8(outputs[i]), this);
        o->setObjectName(QStringLiteral("optUitvoer%1").arg(i));
        uitvoerGroup_->addButton(o, i);
        optUitvoer_ << o;
    }

    Frame1_ = new QGroupBox(QStringLiteral("Tekst inspringen"), this);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    auto* margins = new QGridLayout(Frame1_);
    marginCaptions_ = {QStringLiteral("Links:"), QStringLiteral("Rechts:"), QStringLiteral("Boven:"),
                       QStringLiteral("Onder:"), QStringLiteral("Bovenmarge eerste pagina:")};
    for (int i = 0; i < 5; ++i) {
        auto* box = new QLineEdit(Frame1_);
        box->setObjectName(QStringLiteral("Text1%1").arg(i));
        box->setMaxLength(3);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("8888")) + 16);
        auto* label = new QLabel(marginCaptions_[i], Frame1_);
        label->setBuddy(box);
        // Four boxes in two columns, the first-page margin on a row of its own.
        const int row = i < 4 ? i / 2 : 2;
        const int column = i < 4 ? (i % 2) * 3 : 0;
        margins->addWidget(label, row, column);
        margins->addWidget(box, row, column + 1);
        margins->addWidget(new QLabel(QStringLiteral("(mm)"), Frame1_), row, column + 2);
        Text1_ << box;
    }
    margins->setColumnStretch(2, 1);
    margins->setColumnStretch(5, 1);

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("Command2"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Annuleren"), this);
    cancel->setObjectName(QStringLiteral("Command1"));
    connect(ok, &QPushButton::clicked, this, &frmOffParam::Command2_Click);
    connect(cancel, &QPushButton::clicked, this, &frmOffParam::Command1_Click);
    connect(chkPrintOfferte_, &QCheckBox::clicked, this, &frmOffParam::chkPrintOfferte_Click);
    connect(chkExportOptions_, &QCheckBox::clicked, this, &frmOffParam::chkExportOptions_Click);

    auto* outputFrame = new QGroupBox(QStringLiteral("Uitvoer"), this);
    auto* outputLayout = new QVBoxLayout(outputFrame);
    outputLayout->addWidget(chkExportOptions_);
    for (QRadioButton* o : optUitvoer_) {
        auto* row = new QHBoxLayout;
        row->addSpacing(20);
        row->addWidget(o);
        outputLayout->addLayout(row);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    for (QCheckBox* c : {chkPrintHeader_, chkPrintCodes_, chkPrintOfferte_, chkPrintValues_})
        layout->addWidget(c);
    layout->addWidget(outputFrame);
    layout->addWidget(Frame1_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setOptions(QuotationPrintOptions::load());
}

void frmOffParam::setOptions(const QuotationPrintOptions& o)
{
    chkPrintHeader_->setChecked(o.printHeader);
    chkPrintCodes_->setChecked(o.printCodes);
    chkPrintOfferte_->setChecked(o.printOfferte);
    chkPrintOfferte_Click(); // setting the box runs its rule
    chkPrintValues_->setChecked(o.printValues);
    chkExportOptions_->setChecked(o.exportOptions);
    optUitvoer_[0]->setChecked(o.printEditor);
    optUitvoer_[1]->setChecked(!o.printEditor);
    const QString values[] = {o.leftMargin, o.rightMargin, o.topMargin, o.botMargin, o.firstPageTopMargin};
    for (int i = 0; i < 5; ++i)
        Text1_[i]->setText(values[i]);
    chkExportOptions_Click();
}

QuotationPrintOptions frmOffParam::options() const
{
    QuotationPrintOptions o;
    o.printHeader = chkPrintHeader_->isChecked();
    o.printCodes = chkPrintCodes_->isChecked();
    o.printOfferte = chkPrintOfferte_->isChecked();
    o.printValues = chkPrintValues_->isChecked();
    o.exportOptions = chkExportOptions_->isChecked();
    o.printEditor = optUitvoer_[0]->isChecked();
    o.leftMargin = Text1_[0]->text();
    o.rightMargin = Text1_[1]->text();
    o.topMargin = Text1_[2]->text();
    o.botMargin = Text1_[3]->text();
    o.firstPageTopMargin = Text1_[4]->text();
    return o;
}

void frmOffParam::chkPrintOfferte_Click()
{
    // Quotation texts replace the description: the article numbers go with them.
    if (chkPrintOfferte_->isChecked())
        chkPrintCodes_->setChecked(false);
    chkPrintCodes_->setEnabled(!chkPrintOfferte_->isChecked());
}

void frmOffParam::chkExportOptions_Click()
{
    const bool exporting = chkExportOptions_->isChecked();
    for (QRadioButton* o : optUitvoer_)
        o->setEnabled(exporting);
    Frame1_->setEnabled(!exporting);
    for (QLineEdit* box : Text1_) {
        box->setEnabled(!exporting);
        QPalette p = box->palette();
        p.setColor(QPalette::Base, exporting ? palette().color(QPalette::Button) : palette().color(QPalette::Base));
        box->setPalette(p);
    }
}

void frmOffParam::Command2_Click()
{
    // Margins are whole millimetres; anything else would print at a place nobody chose.
    if (!chkExportOptions_->isChecked()) {
        for (int i = 0; i < Text1_.size(); ++i) {
            if (!isMarginText(Text1_[i]->text())) {
                msgBox(QStringLiteral("Vul bij \"") + marginCaptions_[i] +
                           QStringLiteral("\" een aantal millimeters in (0 tot 999)."),
                       MsgIcon::Warning, MsgButtons::Ok, windowTitle());
                Text1_[i]->setFocus();
                Text1_[i]->selectAll();
                return;
            }
        }
    }
    ok_ = true;
    hide();
    done(QDialog::Accepted);
}

void frmOffParam::Command1_Click()
{
    ok_ = false;
    hide();
    done(QDialog::Rejected);
}

bool frmOffParam::ask()
{
    ok_ = false;
    exec();
    return ok_;
}

bool frmOffParam::unloadSettings() const
{
    return !ok_ || options().save();
}

} // namespace vandrel
