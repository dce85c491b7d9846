#include "app/core/ui.h"

#include "app/core/apptitle.h"
#include "app/core/qtui.h"

namespace vandrel {

namespace {
Ui* installed = nullptr;
} // namespace

Ui& Ui::instance()
{
    static QtUi qtUi;
    return installed ? *installed : qtUi;
}

void Ui::install(Ui* ui) { installed = ui; }

MsgAnswer msgBox(const QString& text, MsgIcon icon, MsgButtons buttons, const QString& title,
                 int defaultButton)
{
    Message m;
    m.text = text;
    m.icon = icon;
    m.buttons = buttons;
    m.defaultButton = defaultButton;
    m.title = title.isEmpty() ? AppTitle::current() : title;
    return Ui::instance().message(m);
}

std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                const QString& defaultText)
{
    return Ui::instance().inputBox(prompt, title.isEmpty() ? AppTitle::current() : title,
                                   defaultText);
}

QString qtFileFilter(const QString& programFilter)
{
    const QStringList parts = programFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& label = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses of the label.
        if (label.contains(QLatin1Char('(')))
            filters << label;
        else
            filters << label + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    if (filters.isEmpty() && !programFilter.isEmpty())
        filters << programFilter;
    return filters.join(QStringLiteral(";;"));
}

std::optional<QStringList> Ui::openFileNames(const FileDialogRequest& request)
{
    const std::optional<QString> one = openFileName(request);
    if (!one)
        return std::nullopt;
    return QStringList{*one};
}

} // namespace vandrel
