#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace vandrel {

// The progress window of long operations: a step text (`Label`) and a percentage meter
// (`Meter`, 0..100). Shown without waiting; users set the caption, label and percent and
// call refresh() so it repaints while their work keeps the event loop busy.
class PercForm : public QWidget {
    Q_OBJECT
public:
    explicit PercForm(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    void setLabel(const QString& text);
    // Limited to 0..100.
    void setPercent(int percent);
    int percent() const;
    QString label() const;
    // Repaints and lets pending window events run.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void centre();

    QLabel* label_;
    QProgressBar* meter_;
    bool centred_ = false;
};

} // namespace vandrel
