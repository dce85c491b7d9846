#pragma once

#include "app/core/infotexts.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vandrel {

// "Programma informatie": the version and a few facts about the machine. Shown modally;
// closes on "&Ok" and as soon as it loses the focus; "Af&drukken" prints an image of it.
class InfoForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 1027;

    explicit InfoForm(QWidget* parent = nullptr);
    // For tests: show given readings instead of this machine's.
    InfoForm(const infotexts::SystemReadings& readings, QWidget* parent = nullptr);

    // Opens the window modally, as the help menu does.
    static void showModal(QWidget* parent = nullptr);

    // Prints the window's image; returns the PDF path when it went to a file.
    QString printImage();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void build(const infotexts::SystemReadings& readings);
    void centre();

    bool printing_ = false;
};

} // namespace vandrel
