#pragma once

#include "exchange/zipcommand.h"

#include <memory>

namespace vandrel {

class PercForm;

// The archive work shown to the user: the progress window (PercForm) while it runs and
// a message box for each error (title "Bestand (de)compressie").
class ZipProgressWindow final : public ZipEvents {
public:
    ZipProgressWindow();
    ~ZipProgressWindow() override;

    void started() override;
    void compressing(const QString& name) override;
    void decompressing(const QString& name) override;
    void progress(int percent) override;
    void complete() override;
    void error(int code, const QString& text) override;

    // True once any run reported an error.
    bool failed() const { return failed_; }
    PercForm* form() const { return form_.get(); }

    static const QString messageTitle;

private:
    std::unique_ptr<PercForm> form_;
    bool failed_ = false;
};

} // namespace vandrel
