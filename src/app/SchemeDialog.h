#pragma once

#include "settings/SchemeDialogModel.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace app {

// "Colors & Fonts preferences": the tree of scheme items on the left, the current and default
// previews of the selected leaf, and the buttons. Changes go to the scheme at once.
class SchemeDialog : public QDialog {
    Q_OBJECT
public:
    SchemeDialog(QWidget* parent, settings::ColorScheme& scheme);

    const settings::SchemeDialogModel& model() const { return m_model; }
    QTreeWidget* tree() const { return m_tree; }
    // The node of the selected leaf; -1 when a branch or nothing is selected.
    int selectedLeaf() const;
    // Selects a node of the model's tree.
    void selectNode(int node);

    void changeSelected();
    void setSelectedToDefault();

private:
    void showPreviews();

    settings::SchemeDialogModel m_model;
    QTreeWidget* m_tree;
    QLabel* m_current;
    QLabel* m_default;
    QPushButton* m_setDefault;
    QPushButton* m_change;
};

// Runs the dialog on the scheme; true when anything changed (the chart is then repainted).
bool runSchemeDialog(QWidget* parent, settings::ColorScheme& scheme);

} // namespace app
