#include "app/RomsListPage.h"

#include "app/BusyState.h"
#include "app/Controls.h"
#include "app/RomListModel.h"
#include "session/Session.h"
#include "widgets/AnchorLayout.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTableView>
#include <QVBoxLayout>

namespace quarvel {

namespace {

constexpr int DesignWidth = 885;
constexpr int StripHeight = 24;

} // namespace

RomsListPage::RomsListPage(Session& session, BusyState& busy, const HandlerGuard& guard, QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , guard_(guard)
{
    setObjectName(QStringLiteral("TabSheet2"));
    CreateControls();
    busy.Register([this](bool isBusy) { ApplyBusyRule(isBusy); });
}

void RomsListPage::CreateControls()
{
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);

    panel1_ = Named(new QWidget(this), "Panel1");
    panel1_->setFixedHeight(StripHeight);
    auto* strip = new AnchorLayout(panel1_, QSize(DesignWidth, StripHeight));
    buttonedEdit1_ = Named(new QLineEdit(panel1_), "ButtonedEdit1");
    buttonedEdit1_->setPlaceholderText(QStringLiteral("Filter by rom/name/year/category/manufacturer"));
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
    listView1_ = Named(new QTableView(this), "ListView1");
    listView1_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView1_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    listView1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView1_->setFrameShape(QFrame::NoFrame);
    listView1_->verticalHeader()->hide();
    listView1_->setShowGrid(true);
    romListModel_ = new RomListModel(session_.FilteredRoms(), listView1_);
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
}

void RomsListPage::ApplyBusyRule(bool busy)
{
    for (QWidget* control : std::initializer_list<QWidget*>{buttonedEdit1_, checkBox1_, catsBox_})
        control->setEnabled(!busy);
}

void RomsListPage::ShowCategories()
{
    catsBox_->clear();
    catsBox_->addItem(QStringLiteral("-Missing Category-"));
    catsBox_->addItems(session_.CategoryNames().Lines());
    for (int i = 0; i < catsBox_->count(); ++i) {
        QListWidgetItem* item = catsBox_->item(i);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

void RomsListPage::RowsChanged()
{
    romListModel_->RowsChanged();
}

} // namespace quarvel
