#include "app/hostsessions.h"

#include "app/core/settings.h"
#include "browser/datacontrol.h"
#include "browser/frmartinfo.h"
#include "catalogdb/database.h"
#include "catalogdb/recordset.h"
#include "hostlink/bbs.h"
#include "hostlink/catalogupdate.h"
#include "hostlink/hostvalues.h"
#include "hostlink/orderreceipt.h"
#include "hostlink/orderupload.h"
#include "hostlink/sessionwindow.h"
#include "printing/printdevice.h"
#include "printing/qtprintdevice.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>

namespace vandrel {

namespace {

// The main window's side of a session, and its host link window.
class MainWindowSession final : public SessionWindow {
public:
    explicit MainWindowSession(FrmArtinfo& window) : window_(&window), bbs_(new BBS(&window))
    {
        bbs_->setAttribute(Qt::WA_DeleteOnClose);
        bbs_->link().setHostValues(HostValues::load());
    }
    ~MainWindowSession() override { unloadHostLink(); }

    HostLink& link() { return bbs_->link(); }

    void setMainWindowEnabled(bool enabled) override
    {
        if (!window_)
            return;
        window_->setEnabled(enabled);
        if (enabled)
            window_->activateWindow();
    }
    void setStatusCaption(const QString& text) override
    {
        if (window_ && window_->data3()) {
            window_->data3()->setCaption(text);
            window_->data3()->repaint();
        }
    }
    void unloadHostLink() override
    {
        if (bbs_)
            bbs_->close();
    }

private:
    QPointer<FrmArtinfo> window_;
    QPointer<BBS> bbs_;
};

std::optional<int> availability(Database* catalog, qint32 article)
{
    if (!catalog)
        return std::nullopt;
    auto rs = catalog->openRecordset(
        QStringLiteral("SELECT Beschikbaarheid FROM Products WHERE ArtikelNr = %1").arg(article), Recordset::ForwardOnly);
    if (!rs || rs->eof())
        return std::nullopt;
    return rs->value(0).toInt();
}

} // namespace

void runCatalogUpdate(FrmArtinfo& window)
{
    MainWindowSession side(window);
    CatalogUpdateSession::Options options;
    options.downloadDirectory = programState().productFile;
    options.settingsFile = settingsFileName();
    options.customerNumber = side.link().hostValues().customerNumber;
    CatalogUpdateSession session(side.link(), side, options);
    QPointer<FrmArtinfo> target(&window);
    session.setImport([target](const QString& directory) {
        if (target)
            target->ASCIIimport(directory, true);
    });
    session.run();
}

void runOrderUpload(FrmArtinfo& window, const QStringList& orderFiles)
{
    MainWindowSession side(window);
    const HostValues& values = side.link().hostValues();
    OrderUploadSession::Options options;
    options.customerNumber = values.customerNumber;
    options.orderIntake = values.orderIntake;
    options.orderRestart = values.orderRestart;
    OrderUploadSession session(side.link(), side, options);
    QPointer<FrmArtinfo> target(&window);
    session.setReceiptPrinter([target](const QString& orderFile) {
        QFile file(orderFile);
        if (!file.open(QIODevice::ReadOnly))
            return;
        const QByteArray bytes = file.readAll();
        file.close();
        Database* catalog = target ? target->catalogDatabase() : nullptr;
        // Each receipt's PDF (without a printer) is named after its order file.
        PrintDevice& device = currentPrintDevice();
        const bool printer = &device == &systemPrinter();
        const QString previousName = systemPrinter().jobName();
        if (printer)
            systemPrinter().setJobName(QStringLiteral("Vandrel bestelling verzonden ")
                                       + QFileInfo(orderFile).completeBaseName());
        OrderReceipt::print(device, bytes,
                            [catalog](qint32 article) { return availability(catalog, article); });
        if (printer)
            systemPrinter().setJobName(previousName);
    });
    session.run(orderFiles);
}

} // namespace vandrel
