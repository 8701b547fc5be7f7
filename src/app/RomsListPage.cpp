#include "app/RomsListPage.h"

#include "app/BusyState.h"
#include "app/DesignSizes.h"
#include "app/Controls.h"
#include "app/HandlerGuard.h"
#include "app/ProgressBarSink.h"
#include "app/RomListModel.h"
#include "reporting/Prompts.h"
#include "romlist/RomFilter.h"
#include "session/Session.h"
#include "util/SizeText.h"
#include "widgets/AnchorLayout.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QTableView>
#include <QVBoxLayout>

#include <set>

namespace quarvel {

namespace {

constexpr int StripHeight = 24;

QAction* MenuItem(QMenu* menu, const QString& caption, const char* objectName)
{
    return Named(menu->addAction(caption), objectName);
}

} // namespace

RomsListPage::RomsListPage(Services services, QWidget* parent)
    : QWidget(parent)
    , services_(std::move(services))
{
    setObjectName(QStringLiteral("TabSheet2"));
    CreateControls();
    CreateMenus();
    ConnectHandlers();
    services_.page.busy.Register([this](bool busy) { ApplyBusyRule(busy); });
}

RomsListPage::~RomsListPage() = default;

void RomsListPage::CreateControls()
{
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);

    panel1_ = Named(new QWidget(this), "Panel1");
    panel1_->setFixedHeight(StripHeight);
    auto* strip = new AnchorLayout(panel1_, QSize(PageDesignSize.width(), StripHeight));
    buttonedEdit1_ = Named(new QLineEdit(panel1_), "ButtonedEdit1");
    buttonedEdit1_->setPlaceholderText(QStringLiteral("Filter by rom/name/year/category/manufacturer"));
    buttonedEdit1_->setClearButtonEnabled(true);
    checkBox1_ = Named(new QCheckBox(QStringLiteral("Clones"), panel1_), "CheckBox1");
    label6_ = Named(new QLabel(QStringLiteral("Categories"), panel1_), "Label6");
    label3_ = Named(new QLabel(QStringLiteral("Found:"), panel1_), "Label3");
    strip->AddWidget(buttonedEdit1_, QRect(-3, 0, 256, 21));
    strip->AddWidget(checkBox1_, QRect(259, 2, 54, 19));
    strip->AddWidget(label6_, QRect(315, 4, 80, 15));
    strip->AddWidget(label3_, QRect(556, 4, 200, 15));
    page->addWidget(panel1_);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    catsBox_ = Named(new QListWidget(this), "CatsBox");
    catsBox_->setFixedWidth(193);
    catsBox_->setContextMenuPolicy(Qt::CustomContextMenu);
    listView1_ = Named(new QTableView(this), "ListView1");
    listView1_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView1_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    listView1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView1_->setFrameShape(QFrame::NoFrame);
    listView1_->setShowGrid(true);
    listView1_->setWordWrap(false);
    listView1_->setTextElideMode(Qt::ElideRight);
    listView1_->setContextMenuPolicy(Qt::CustomContextMenu);
    // One text line per row at one height, so that the view never measures its rows.
    listView1_->verticalHeader()->hide();
    listView1_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    listView1_->verticalHeader()->setDefaultSectionSize(listView1_->fontMetrics().height() + 4);
    romListModel_ = new RomListModel(services_.page.session.FilteredRoms(), listView1_);
    listView1_->setModel(romListModel_);
    for (int column = 0; column < RomListModel::ColumnCount; ++column)
        listView1_->setColumnWidth(column, RomListModel::ColumnWidth(column));
    middle->addWidget(catsBox_);
    middle->addWidget(listView1_, 1);
    page->addLayout(middle, 1);

    progressBar2_ = Named(new QProgressBar(this), "ProgressBar2");
    progressBar2_->setFixedHeight(17);
    progressBar2_->setTextVisible(false);
    page->addWidget(progressBar2_);
    progress2_ = std::make_unique<ProgressBarSink>(progressBar2_);
}

void RomsListPage::CreateMenus()
{
    popupMenu1_ = Named(new QMenu(this), "PopupMenu1");
    copySelection_ = MenuItem(popupMenu1_, QStringLiteral("Copy Selection to (files)"), "CopySelectiontofiles1");
    moveSelection_ = MenuItem(popupMenu1_, QStringLiteral("Move Selection to (files)"), "MoveSelectiontofiles1");
    deleteSelection_ = MenuItem(popupMenu1_, QStringLiteral("Delete Selection (files)"), "Deleteselectionfiles1");
    QAction* selectAll1 = MenuItem(popupMenu1_, QStringLiteral("Select All"), "SelectAll1");
    countSelectionSize_ = MenuItem(popupMenu1_, QStringLiteral("Count Selection Size"), "CountSelectionSize1");
    connect(selectAll1, &QAction::triggered, listView1_, &QAbstractItemView::selectAll);

    popupMenu2_ = Named(new QMenu(this), "PopupMenu2");
    QAction* selectAll2 = MenuItem(popupMenu2_, QStringLiteral("Select All"), "SelectAll2");
    QAction* selectNone = MenuItem(popupMenu2_, QStringLiteral("Select None"), "SelectAll3");
    popupMenu2_->addSeparator();
    QAction* loadList = MenuItem(popupMenu2_, QStringLiteral("Load category list\u2026"), "LoadCategoryList1");
    QAction* builtIn = MenuItem(popupMenu2_, QStringLiteral("Use built-in list"), "UseBuiltInList1");

    const HandlerGuard& guard = services_.page.guard;
    connect(copySelection_, &QAction::triggered, this, guard.Guarded([this] { SelectionFileClick(SelectionAction::Copy); }));
    connect(moveSelection_, &QAction::triggered, this, guard.Guarded([this] { SelectionFileClick(SelectionAction::Move); }));
    connect(deleteSelection_, &QAction::triggered, this,
            guard.Guarded([this] { SelectionFileClick(SelectionAction::Delete); }));
    connect(countSelectionSize_, &QAction::triggered, this, guard.Guarded([this] { CountSelectionSize1Click(); }));
    connect(selectAll2, &QAction::triggered, this, guard.Guarded([this] { SetAllCategoriesChecked(true); }));
    connect(selectNone, &QAction::triggered, this, guard.Guarded([this] { SetAllCategoriesChecked(false); }));
    connect(loadList, &QAction::triggered, this, guard.Guarded([this] { LoadCategoryListClick(); }));
    connect(builtIn, &QAction::triggered, this, guard.Guarded([this] { UseBuiltInListClick(); }));
}

void RomsListPage::ConnectHandlers()
{
    const HandlerGuard& guard = services_.page.guard;
    auto refilter = guard.Guarded([this] { ButtonedEdit1Change(); });
    connect(buttonedEdit1_, &QLineEdit::textChanged, this, refilter);
    connect(checkBox1_, &QAbstractButton::clicked, this, refilter);
    connect(catsBox_, &QListWidget::itemChanged, this, refilter);
    connect(listView1_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { PopupMenu1Popup(position); });
    connect(catsBox_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { PopupCategoryMenu(catsBox_->viewport()->mapToGlobal(position)); });
}

void RomsListPage::ApplyBusyRule(bool busy)
{
    for (QWidget* control : std::initializer_list<QWidget*>{buttonedEdit1_, checkBox1_, catsBox_})
        control->setEnabled(!busy);
    popupMenu1_->setEnabled(!busy);
    popupMenu2_->setEnabled(!busy);
}

void RomsListPage::ShowCategories()
{
    // Filling the list checks its items one by one; the refilter waits for the whole list.
    const QSignalBlocker quiet(catsBox_);
    catsBox_->clear();
    for (const QString& text : RomFilter::CategoryItemTexts(services_.page.session.CategoryNames())) {
        auto* item = new QListWidgetItem(text, catsBox_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

void RomsListPage::RowsChanged()
{
    romListModel_->RowsChanged();
}

RomFilterInputs RomsListPage::FilterInputs() const
{
    RomFilterInputs inputs;
    inputs.FilterText = buttonedEdit1_->text();
    inputs.ShowClones = checkBox1_->isChecked();
    inputs.CategoryItems.reserve(std::size_t(catsBox_->count()));
    for (int i = 0; i < catsBox_->count(); ++i) {
        const QListWidgetItem* item = catsBox_->item(i);
        inputs.CategoryItems.push_back(CategoryItem{item->text(), item->checkState() == Qt::Checked});
    }
    return inputs;
}

void RomsListPage::ButtonedEdit1Change()
{
    const qsizetype rows = services_.page.session.Refilter(FilterInputs());
    romListModel_->RowsChanged();
    label3_->setText(RomFilter::FoundCaption(rows));
}

void RomsListPage::SetAllCategoriesChecked(bool checked)
{
    {
        const QSignalBlocker quiet(catsBox_);
        for (int i = 0; i < catsBox_->count(); ++i)
            catsBox_->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    ButtonedEdit1Change();
}

void RomsListPage::PopupCategoryMenu(const QPoint& globalPosition)
{
    popupMenu2_->popup(globalPosition);
}

RowIndexes RomsListPage::SelectedRows() const
{
    // In selection order: the operations put the rows in table order themselves.
    RowIndexes rows;
    for (const QModelIndex& index : listView1_->selectionModel()->selectedRows())
        rows.push_back(std::size_t(index.row()));
    return rows;
}

void RomsListPage::PopupMenu1Popup(const QPoint& position)
{
    const bool anySelected = listView1_->selectionModel()->hasSelection();
    for (QAction* item : {copySelection_, moveSelection_, deleteSelection_})
        item->setEnabled(anySelected);
    popupMenu1_->popup(listView1_->viewport()->mapToGlobal(position));
}

void RomsListPage::SelectionFileClick(SelectionAction action)
{
    QString destination;
    if (action != SelectionAction::Delete) {
        const std::optional<QString> chosen =
            services_.page.prompts.PickFolder(QStringLiteral("Select Destination Folder"),
                                              services_.page.session.Settings().OutFolder);
        if (!chosen)
            return;
        destination = *chosen;
    }
    const BusyState::Scope busy(services_.page.busy);
    services_.page.session.RunSelection(action, SelectedRows(), destination, *progress2_);
}

void RomsListPage::CountSelectionSize1Click()
{
    const SelectionSize size = CountSelectionSize(services_.page.session.FilteredRoms(), SelectedRows());
    services_.page.prompts.ShowMessage(FormatSize(size.totalBytes));
}

void RomsListPage::LoadCategoryListClick()
{
    const std::optional<QString> chosen = services_.page.prompts.PickCategoryListFile();
    if (chosen && services_.chooseCategories(*chosen)) {
        ShowCategories();
        ButtonedEdit1Change();
    }
}

void RomsListPage::UseBuiltInListClick()
{
    services_.chooseCategories(QString());
    ShowCategories();
    ButtonedEdit1Change();
}

} // namespace quarvel
