#pragma once

#include "app/PageContext.h"
#include "fileops/SelectionOperation.h"
#include "romlist/RomFilterInputs.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QTableView;

namespace quarvel {

class ProgressBarSink;
class RomListModel;

// The Roms List page: the filter strip, the category check list and the virtual list of the
// machines whose archive is present, with the file operations over its selection.
class RomsListPage : public QWidget {
    Q_OBJECT

public:
    struct Services {
        PageContext page;
        // Loads a category list file, or the built-in list for an empty path; false when refused.
        std::function<bool(const QString&)> chooseCategories;
    };

    RomsListPage(Services services, QWidget* parent);
    ~RomsListPage() override;

    // Fills the category check list from the session's category names, every item checked.
    void ShowCategories();
    // The rows of the list were replaced.
    void RowsChanged();
    // The refilter: rebuilds the rows from the filter's controls.
    void ButtonedEdit1Change();
    // Opens the category check list's menu, which the Clones page's Button1 shares.
    void PopupCategoryMenu(const QPoint& globalPosition);

private:
    void CreateControls();
    void CreateMenus();
    void ConnectHandlers();
    void ApplyBusyRule(bool busy);
    RomFilterInputs FilterInputs() const;
    RowIndexes SelectedRows() const;
    void SetAllCategoriesChecked(bool checked);

    void PopupMenu1Popup(const QPoint& position);
    void SelectionFileClick(SelectionAction action);
    void CountSelectionSize1Click();
    void LoadCategoryListClick();
    void UseBuiltInListClick();

    Services services_;
    std::unique_ptr<ProgressBarSink> progress2_;

    QWidget* panel1_ = nullptr;
    QLineEdit* buttonedEdit1_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    QLabel* label6_ = nullptr;
    QLabel* label3_ = nullptr;
    QListWidget* catsBox_ = nullptr;
    QTableView* listView1_ = nullptr;
    RomListModel* romListModel_ = nullptr;
    QProgressBar* progressBar2_ = nullptr;
    QMenu* popupMenu1_ = nullptr;
    QMenu* popupMenu2_ = nullptr;
    QAction* copySelection_ = nullptr;
    QAction* moveSelection_ = nullptr;
    QAction* deleteSelection_ = nullptr;
    QAction* countSelectionSize_ = nullptr;
};

} // namespace quarvel
