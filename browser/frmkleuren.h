#pragma once

#include <QList>
#include <QWidget>

class QLabel;

namespace vandrel {

class ArticleListHost;

// The colour fan of the details' series as a grid of swatches; a click on a swatch lists
// every article with that colour in the main window. Modeless; the opener owns it.
class FrmKleuren : public QWidget {
    Q_OBJECT
public:
    explicit FrmKleuren(ArticleListHost& host, QWidget* parent = nullptr);

    // The details-pane property the window was opened for.
    void setTag(int property) { tag_ = property; }
    int tag() const { return tag_; }

    // Reads the fan and lays out the swatches. Without a series row (or a series without
    // a fan) the window closes itself and the result is false.
    bool Form_Load();

    const QList<QLabel*>& swatches() const { return label1_; }
    // Lists the articles with the colour of swatch index (0-based).
    void Label1_Click(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ArticleListHost& host_;
    QList<QLabel*> label1_;
    int tag_ = 0;
};

} // namespace vandrel
