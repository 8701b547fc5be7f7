#include "app/TMain.h"

#include "app/ClonesPage.h"
#include "app/DesignSizes.h"
#include "app/Controls.h"
#include "app/RomsListPage.h"
#include "catalogue/CategoryListChooser.h"
#include "catalogue/CategoryListFinder.h"
#include "reporting/Prompts.h"
#include "settings/CategoriesSetting.h"
#include "util/QuarvelError.h"
#include "widgets/AnchorLayout.h"
#include "widgets/TopBarLook.h"
#include "widgets/TrkGlassButton.h"
#include "widgets/TrkVistaPanel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace quarvel {

namespace {

TrkGlassButton* MakeGlassButton(const QString& caption, const char* objectName, QWidget* parent)
{
    auto* button = Named(new TrkGlassButton(caption, parent), objectName);
    ApplyTopBarLook(*button);
    return button;
}

} // namespace

TMain::TMain(TMainServices services, QWidget* parent)
    : QWidget(parent)
    , services_(std::move(services))
    , guard_(*services_.prompts)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QString::fromLatin1(Caption));
    // Tahoma where the system has it; narrow fallbacks keep the captions inside their controls.
    // Under an application style sheet a font set on the window does not reach the controls
    // of the pages, so the window names it in a sheet of its own, which reaches them all.
    setStyleSheet(QStringLiteral("QWidget { font-family: \"Tahoma\", \"DejaVu Sans Condensed\", "
                                 "\"Liberation Sans Narrow\", \"Arial\"; font-size: 8pt; }"));
    resize(ClientDesignSize);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateTopBar();
    pageControl1_ = Named(new QStackedWidget(this), "PageControl1");
    layout->addWidget(vpnlTop_);
    layout->addWidget(pageControl1_, 1);
    CreatePages();
    pageControl1_->setCurrentIndex(0);

    busy_.Register([this](bool busy) { ApplyBusyRule(busy); });
    ConnectHandlers();
    FormCreate();
    clonesPage_->FocusSourceFolder();
}

TMain::~TMain()
{
    guard_.Run([this] { FormDestroy(); });
}

void TMain::CreateTopBar()
{
    vpnlTop_ = Named(new TrkVistaPanel(this), "vpnlTop");
    vpnlTop_->setFixedHeight(TopBarHeight);
    ApplyTopBarLook(*vpnlTop_);
    // Segoe UI at 12 pixels where the system has it, else a face no wider, so every caption fits.
    vpnlTop_->setStyleSheet(QStringLiteral("quarvel--TrkGlassButton { font-family: \"Segoe UI\", \"Liberation Sans\", "
                                           "\"Arial\", \"DejaVu Sans Condensed\"; font-size: 12px; }"));
    auto* bar = new AnchorLayout(vpnlTop_, QSize(ClientDesignSize.width(), TopBarHeight));

    rkGlassButton2_ = MakeGlassButton(QStringLiteral("Open Mame exe/xml"), "rkGlassButton2", vpnlTop_);
    buttonClones_ = MakeGlassButton(QStringLiteral("Clones"), "ButtonClones", vpnlTop_);
    buttonRomsList_ = MakeGlassButton(QStringLiteral("Roms List (XML/in disk)"), "ButtonRomsList", vpnlTop_);
    buttonClones_->SetDown(true);
    comboBox3_ = MakeDropDown({QStringLiteral("Source: 7zip"), QStringLiteral("Source: zips")}, "ComboBox3", vpnlTop_);

    bar->AddWidget(rkGlassButton2_, QRect(0, 0, 132, TopBarHeight));
    bar->AddWidget(buttonClones_, QRect(132, 0, 77, TopBarHeight));
    bar->AddWidget(buttonRomsList_, QRect(209, 0, 144, TopBarHeight));
    bar->AddWidget(comboBox3_, QRect(786, 5, 88, 22), AnchorLayout::Top | AnchorLayout::Right);
}

void TMain::CreatePages()
{
    // The log and the Clones page's progress bar are the session's reporting, so they exist
    // before the session and the pages that use it; the Clones page lays them out.
    auto* memo1 = Named(new QPlainTextEdit(this), "Memo1");
    auto* progressBar1 = Named(new QProgressBar(this), "ProgressBar1");
    log_ = std::make_unique<MemoLog>(memo1, services_.echoLog);
    progress1_ = std::make_unique<ProgressBarSink>(progressBar1);
    session_ = std::make_unique<Session>(Reporting{*log_, *progress1_, pump_, *services_.prompts});

    clonesPage_ = new ClonesPage(ClonesPage::Services{PageContext{*session_, busy_, guard_, *services_.prompts},
                                                      services_.openInShell, services_.versionUrl},
                                 memo1, progressBar1, pageControl1_);
    romsListPage_ = new RomsListPage(
        RomsListPage::Services{PageContext{*session_, busy_, guard_, *services_.prompts},
                               [this](const QString& path) { return ChooseCategories(path); }},
        pageControl1_);
    pageControl1_->addWidget(clonesPage_);
    pageControl1_->addWidget(romsListPage_);
    // The category menu opens on the Clones page's Button1 too.
    QWidget* button1 = clonesPage_->Button1();
    button1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button1, &QWidget::customContextMenuRequested, this,
            [this, button1](const QPoint& position) { romsListPage_->PopupCategoryMenu(button1->mapToGlobal(position)); });
    clonesPage_->installEventFilter(this);
    vpnlTop_->installEventFilter(this);
}

void TMain::ConnectHandlers()
{
    connect(buttonClones_, &QAbstractButton::clicked, this, guard_.Guarded([this] { ButtonClonesClick(); }));
    connect(buttonRomsList_, &QAbstractButton::clicked, this, guard_.Guarded([this] { ButtonRomsListClick(); }));
    connect(rkGlassButton2_, &QAbstractButton::clicked, this, guard_.Guarded([this] { ButtonRomsLisClick(); }));
    // The session's source type follows the control however it changes; choosing one rescans.
    connect(comboBox3_, &QComboBox::currentIndexChanged, this,
            [this](int index) { session_->Settings().SrcType = index; });
    connect(comboBox3_, &QComboBox::activated, this, guard_.Guarded([this] { ComboBox3Click(); }));
}

void TMain::ApplyBusyRule(bool busy)
{
    for (QWidget* control : std::initializer_list<QWidget*>{rkGlassButton2_, buttonRomsList_, comboBox3_})
        control->setEnabled(!busy);
}

void TMain::FormCreate()
{
    timer1_ = Named(new QTimer(this), "Timer1");
    timer1_->setInterval(50);
    connect(timer1_, &QTimer::timeout, this, guard_.Guarded([this] { Timer1Timer(); }));
    timer1_->start();
}

void TMain::closeEvent(QCloseEvent* event)
{
    // A version check waiting for the server ends at once; the window then closes as usual.
    clonesPage_->AbortVersionCheck();
    QWidget::closeEvent(event);
}

void TMain::FormDestroy()
{
    session_->Clear();
    SaveSettings();
}

void TMain::Timer1Timer()
{
    timer1_->stop();
    LoadSettings();
    const BusyState::Scope busy(busy_);
    session_->ScanSourceFolder();
}

void TMain::LoadSettings()
{
    // The settings are read first, as the folder of the remembered MAME executable is one of
    // the places a category list is looked for; the list is imported once the table is built.
    const bool importList = session_->RestoreSettings(*services_.settings);
    clonesPage_->ShowSettings();
    comboBox3_->setCurrentIndex(session_->Settings().SrcType);
    BuildCategories();
    if (importList)
        LoadRomList();
}

CategoryListChooser TMain::MakeCategoryListChooser() const
{
    return CategoryListChooser(services_.genresResource,
                               CategoryListFinder(services_.homeFolder, session_->Settings().XmlLoc), *log_);
}

void TMain::BuildCategories()
{
    CategoryListChooser chooser = MakeCategoryListChooser();
    session_->ChooseCategoriesAtStartup(chooser, RememberedCategories());
    romsListPage_->ShowCategories();
}

CategoriesChoice TMain::RememberedCategories() const
{
    try {
        return ReadCategoriesChoice(*services_.settings, QString::fromLatin1(SettingsKey));
    } catch (const QuarvelError& error) {
        // A value that cannot be read is a choice not made yet: the lists are looked for again.
        log_->AppendLine(error.Message());
        return {};
    }
}

bool TMain::ChooseCategories(const QString& path)
{
    CategoryListChooser chooser = MakeCategoryListChooser();
    const QString key = QString::fromLatin1(SettingsKey);
    if (path.isEmpty()) {
        session_->UseBuiltInCategories(chooser);
        RememberBuiltInCategories(*services_.settings, key);
        return true;
    }
    if (!session_->LoadCategoryList(chooser, path))
        return false;
    RememberCategoryFile(*services_.settings, key, path);
    return true;
}

void TMain::SaveSettings()
{
    session_->SaveSettings(*services_.settings);
}

void TMain::ButtonRomsLisClick()
{
    const std::optional<QString> chosen = services_.prompts->PickMachineListFile(session_->Settings().XmlLoc);
    if (!chosen)
        return;
    session_->Settings().XmlLoc = *chosen;
    LoadRomList();
}

void TMain::LoadRomList()
{
    const BusyState::Scope busy(busy_);
    session_->LoadRomList();
    romsListPage_->RowsChanged();
}

void TMain::ComboBox3Click()
{
    const BusyState::Scope busy(busy_);
    session_->RescanSourceFolder();
}

void TMain::ButtonClonesClick()
{
    pageControl1_->setCurrentIndex(0);
    buttonClones_->SetDown(true);
    buttonRomsList_->SetDown(false);
}

void TMain::ButtonRomsListClick()
{
    pageControl1_->setCurrentIndex(1);
    buttonClones_->SetDown(false);
    buttonRomsList_->SetDown(true);
    romsListPage_->ButtonedEdit1Change();
}

void TMain::TabSheet1MouseMove()
{
    if (services_.startWindowMove)
        services_.startWindowMove(this);
}

bool TMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && (watched == clonesPage_ || watched == vpnlTop_)) {
        if (static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton) {
            TabSheet1MouseMove();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quarvel
