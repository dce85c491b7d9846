#pragma once

#include <QWidget>

#include <array>
#include <memory>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace vandrel {

class ArticleListHost;
class Recordset;

// "Selecteren op klassificerende eigenschappen": the articles of one product group chosen
// by up to four classifying properties, shown in the main window's article list.
// Modeless; stays open until closed.
class KlasseForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int propertyCount = 4;

    explicit KlasseForm(ArticleListHost& host, QWidget* parent = nullptr);
    ~KlasseForm() override;

    // Opens the groups, fills cmbGroep and shows the first group's properties.
    void Form_Load();

    // The group chosen in cmbGroep (by its position in the list).
    void cmbGroep_Click();
    // Rebuilds the four property panels for the current group row.
    void MoveCompleted();
    // 0 "&Toon selectie", 1 "&Sluiten".
    void Command1_Click(int index);

    QComboBox* groupList() const { return cmbGroep_; }
    QComboBox* valueList(int k) const { return panels_[k].list; }
    QRadioButton* option(int index) const { return panels_[index / 3].options[index % 3]; }
    QSlider* slider(int k) const { return panels_[k].slider; }
    QGroupBox* frame(int k) const { return panels_[k].frame; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Panel {
        QGroupBox* frame = nullptr;
        QComboBox* list = nullptr;
        QSlider* slider = nullptr;
        std::array<QRadioButton*, 3> options{};
        QButtonGroup* group = nullptr;
        std::unique_ptr<Recordset> values;
    };

    void buildPanel(int k);
    void fillValueList(int k);
    void optKlasse_Click(int index);
    void showSelection();

    ArticleListHost& host_;
    QLabel* label1_;
    QComboBox* cmbGroep_;
    std::array<Panel, propertyCount> panels_;
    std::unique_ptr<Recordset> groups_;
    bool filling_ = false;
    bool moving_ = false;
};

} // namespace vandrel
