#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QTableView;

namespace quarvel {

class BusyState;
class HandlerGuard;
class RomListModel;
class Session;

// The Roms List page: the filter strip, the category check list and the virtual list of the
// machines whose archive is present.
class RomsListPage : public QWidget {
    Q_OBJECT

public:
    RomsListPage(Session& session, BusyState& busy, const HandlerGuard& guard, QWidget* parent);

    // Fills the category check list from the session's category names, every item checked.
    void ShowCategories();
    // The rows of the list were replaced.
    void RowsChanged();

private:
    void CreateControls();
    void ApplyBusyRule(bool busy);

    Session& session_;
    const HandlerGuard& guard_;

    QWidget* panel1_ = nullptr;
    QLineEdit* buttonedEdit1_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    QLabel* label6_ = nullptr;
    QLabel* label3_ = nullptr;
    QListWidget* catsBox_ = nullptr;
    QTableView* listView1_ = nullptr;
    RomListModel* romListModel_ = nullptr;
    QProgressBar* progressBar2_ = nullptr;
};

} // namespace quarvel
