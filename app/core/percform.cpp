#include "app/core/percform.h"

#include "app/core/events.h"
#include "app/core/quickpak.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace vandrel {

PercForm::PercForm(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      label_(new QLabel(this)), meter_(new QProgressBar(this))
{
    setObjectName(QStringLiteral("PercForm"));
    label_->setObjectName(QStringLiteral("Label"));
    meter_->setObjectName(QStringLiteral("Meter"));
    meter_->setRange(0, 100);
    meter_->setValue(0);
    meter_->setTextVisible(true);
    meter_->setFormat(QStringLiteral("%p%"));
    meter_->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(meter_);
    setFixedSize(360, sizeHint().height());
}

void PercForm::setCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void PercForm::setLabel(const QString& text)
{
    label_->setText(text);
}

void PercForm::setPercent(int percent)
{
    meter_->setValue(quickpak::Trapint(percent, 0, 100));
}

int PercForm::percent() const
{
    return meter_->value();
}

QString PercForm::label() const
{
    return label_->text();
}

void PercForm::refresh()
{
    if (isVisible())
        repaint();
    pumpEvents();
}

void PercForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!centred_) {
        centred_ = true;
        centre();
    }
}

void PercForm::centre()
{
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect area = s->geometry();
    move(area.x() + area.width() / 2 - frameGeometry().width() / 2,
         area.y() + area.height() / 2 - frameGeometry().height() / 2);
}

} // namespace vandrel
