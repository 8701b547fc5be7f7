#include "app/TMain.h"

#include "catalogue/MachineListImport.h"
#include "catalogue/MameListGenerator.h"
#include "markup/TLibXML2.h"
#include "romfolder/SourceFolder.h"
#include "util/Paths.h"
#include "reporting/Prompts.h"
#include "util/QuarvelError.h"
#include "util/Stopwatch.h"
#include "util/TextFunctions.h"
#include "widgets/AnchorLayout.h"
#include "widgets/TrkGlassButton.h"
#include "widgets/TrkVistaPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace quarvel {

namespace {

constexpr QSize ClientSize(885, 630);
constexpr int TopBarHeight = 32;
// The Clones page as laid out at the window's design size.
constexpr QSize ClonesPageDesignSize(885, 630 - TopBarHeight);

template <typename Widget>
Widget* Named(Widget* widget, const char* objectName)
{
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

QPushButton* MakeButton(const QString& caption, const char* objectName, QWidget* parent)
{
    return Named(new QPushButton(caption, parent), objectName);
}

TrkGlassButton* MakeGlassButton(const QString& caption, const char* objectName, QWidget* parent)
{
    auto* button = Named(new TrkGlassButton(caption, parent), objectName);
    button->SetColorDown(QColor(0x23, 0x23, 0x23));
    button->SetColorFrame(QColor(0x30, 0x30, 0x30));
    button->SetFontColor(Qt::white);
    button->SetGlossy(true);
    button->SetGlossyLevel(37);
    button->SetLightHeight(27);
    return button;
}

QComboBox* MakeDropDown(const QStringList& items, const char* objectName, QWidget* parent)
{
    auto* combo = Named(new QComboBox(parent), objectName);
    combo->addItems(items);
    combo->setCurrentIndex(0);
    return combo;
}

} // namespace

TMain::TMain(TMainServices services, QWidget* parent)
    : QWidget(parent)
    , services_(std::move(services))
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QString::fromLatin1(Caption));
    // Tahoma where the system has it; narrow fallbacks keep the captions inside their controls.
    // Under an application style sheet a font set on the window does not reach the controls
    // of the pages, so the window names it in a sheet of its own, which reaches them all.
    setStyleSheet(QStringLiteral("QWidget { font-family: \"Tahoma\", \"DejaVu Sans Condensed\", "
                                 "\"Liberation Sans Narrow\", \"Arial\"; font-size: 8pt; }"));
    resize(ClientSize);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateTopBar();
    pageControl1_ = Named(new QStackedWidget(this), "PageControl1");
    layout->addWidget(vpnlTop_);
    layout->addWidget(pageControl1_, 1);
    CreateClonesPage();
    CreateRomsListPage();
    pageControl1_->setCurrentIndex(0);

    log_ = std::make_unique<MemoLog>(memo1_);
    progress1_ = std::make_unique<ProgressBarSink>(progressBar1_);
    UpdateControlStates();
    ConnectHandlers();
    FormCreate();
    edit1_->setFocus();
}

TMain::~TMain()
{
    Guarded([this] { FormDestroy(); });
}

void TMain::CreateTopBar()
{
    vpnlTop_ = Named(new TrkVistaPanel(this), "vpnlTop");
    vpnlTop_->setFixedHeight(TopBarHeight);
    vpnlTop_->SetColors(Qt::white, QColor(0x80, 0x80, 0x80), QColor(0x40, 0x40, 0x40), QColor(0x49, 0x50, 0x7A));
    // Segoe UI at 12 pixels where the system has it, else a face no wider, so every caption fits.
    vpnlTop_->setStyleSheet(QStringLiteral("quarvel--TrkGlassButton { font-family: \"Segoe UI\", \"Liberation Sans\", "
                                           "\"Arial\", \"DejaVu Sans Condensed\"; font-size: 12px; }"));
    auto* bar = new AnchorLayout(vpnlTop_, QSize(ClientSize.width(), TopBarHeight));

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

void TMain::CreateClonesPage()
{
    tabSheet1_ = Named(new QWidget(pageControl1_), "TabSheet1");
    pageControl1_->addWidget(tabSheet1_);
    auto* page = new AnchorLayout(tabSheet1_, ClonesPageDesignSize);
    constexpr int LeftTopRight = AnchorLayout::Left | AnchorLayout::Top | AnchorLayout::Right;
    constexpr int AllSides = LeftTopRight | AnchorLayout::Bottom;
    constexpr int BottomRight = AnchorLayout::Right | AnchorLayout::Bottom;

    pngSpeedButton1_ = MakeButton(QStringLiteral("Source roms folder"), "PngSpeedButton1", tabSheet1_);
    edit1_ = Named(new QLineEdit(tabSheet1_), "Edit1");
    edit1_->setReadOnly(true);
    pngSpeedButton2_ = MakeButton(QStringLiteral("Output folder"), "PngSpeedButton2", tabSheet1_);
    edit2_ = Named(new QLineEdit(tabSheet1_), "Edit2");
    label1_ = Named(new QLabel(QStringLiteral("File operations"), tabSheet1_), "Label1");
    comboBox1_ = MakeDropDown({QStringLiteral("Delete clone files"), QStringLiteral("Move clone files"),
                               QStringLiteral("Move non-clones"), QStringLiteral("Copy non-clones")},
                              "ComboBox1", tabSheet1_);
    buttonGoFile_ = MakeButton(QStringLiteral("Go"), "ButtonGoFile", tabSheet1_);
    label2_ = Named(new QLabel(QStringLiteral("XML operations (tbd)"), tabSheet1_), "Label2");
    comboBox2_ = MakeDropDown({QStringLiteral("Remove clone entries")}, "ComboBox2", tabSheet1_);
    button3_ = MakeButton(QStringLiteral("Go"), "Button3", tabSheet1_);
    memo1_ = Named(new QPlainTextEdit(tabSheet1_), "Memo1");
    memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1_->setPlainText(QStringLiteral("Log. Use Roms List page to filter roms and copy/move selections."));
    progressBar1_ = Named(new QProgressBar(tabSheet1_), "ProgressBar1");
    progressBar1_->setRange(0, 100);
    progressBar1_->setValue(0);
    progressBar1_->setTextVisible(false);
    button1_ = MakeButton(QStringLiteral("Check Version"), "Button1", tabSheet1_);
    label4_ = Named(new QLabel(QString::fromLatin1(WebAddress), tabSheet1_), "Label4");
    label4_->setStyleSheet(QStringLiteral("color: #6f8cff; text-decoration: underline; font-size: 7pt;"));
    label4_->setCursor(Qt::PointingHandCursor);

    page->AddWidget(pngSpeedButton1_, QRect(3, 2, 112, 22));
    page->AddWidget(edit1_, QRect(121, 3, 753, 21), LeftTopRight);
    page->AddWidget(pngSpeedButton2_, QRect(3, 30, 112, 22));
    page->AddWidget(edit2_, QRect(121, 30, 753, 21), LeftTopRight);
    page->AddWidget(label1_, QRect(3, 58, 120, 15));
    page->AddWidget(comboBox1_, QRect(3, 77, 145, 21));
    page->AddWidget(buttonGoFile_, QRect(149, 75, 75, 25));
    page->AddWidget(label2_, QRect(236, 58, 140, 15));
    page->AddWidget(comboBox2_, QRect(236, 77, 145, 21));
    page->AddWidget(button3_, QRect(382, 75, 75, 25));
    page->AddWidget(memo1_, QRect(3, 104, 871, 450), AllSides);
    page->AddWidget(progressBar1_, QRect(3, 562, 697, 22), AnchorLayout::Left | BottomRight);
    page->AddWidget(button1_, QRect(706, 562, 86, 22), BottomRight);
    page->AddWidget(label4_, QRect(798, 568, 84, 15), BottomRight);

    // The XML operations are announced but not offered.
    for (QWidget* inert : {static_cast<QWidget*>(label2_), static_cast<QWidget*>(comboBox2_),
                           static_cast<QWidget*>(button3_)})
        inert->setEnabled(false);

    tabSheet1_->installEventFilter(this);
    vpnlTop_->installEventFilter(this);
    label4_->installEventFilter(this);
}

void TMain::CreateRomsListPage()
{
    tabSheet2_ = Named(new QWidget(pageControl1_), "TabSheet2");
    pageControl1_->addWidget(tabSheet2_);
    auto* page = new QVBoxLayout(tabSheet2_);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);

    panel1_ = Named(new QWidget(tabSheet2_), "Panel1");
    panel1_->setFixedHeight(24);
    auto* strip = new AnchorLayout(panel1_, QSize(ClientSize.width(), 24));
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
    catsBox_ = Named(new QListWidget(tabSheet2_), "CatsBox");
    catsBox_->setFixedWidth(193);
    listView1_ = Named(new QTableView(tabSheet2_), "ListView1");
    listView1_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView1_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    listView1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView1_->setFrameShape(QFrame::NoFrame);
    listView1_->verticalHeader()->hide();
    listView1_->setShowGrid(true);
    romListModel_ = new RomListModel(filteredRoms_, listView1_);
    listView1_->setModel(romListModel_);
    for (int column = 0; column < RomListModel::ColumnCount; ++column)
        listView1_->setColumnWidth(column, RomListModel::ColumnWidth(column));
    middle->addWidget(catsBox_);
    middle->addWidget(listView1_, 1);
    page->addLayout(middle, 1);

    progressBar2_ = Named(new QProgressBar(tabSheet2_), "ProgressBar2");
    progressBar2_->setFixedHeight(17);
    progressBar2_->setTextVisible(false);
    page->addWidget(progressBar2_);
}

void TMain::ConnectHandlers()
{
    auto guarded = [this](void (TMain::*handler)()) { return [this, handler] { Guarded([this, handler] { (this->*handler)(); }); }; };
    connect(buttonClones_, &QAbstractButton::clicked, this, guarded(&TMain::ButtonClonesClick));
    connect(buttonRomsList_, &QAbstractButton::clicked, this, guarded(&TMain::ButtonRomsListClick));
    connect(rkGlassButton2_, &QAbstractButton::clicked, this, guarded(&TMain::ButtonRomsLisClick));
    connect(comboBox3_, &QComboBox::activated, this, guarded(&TMain::ComboBox3Click));
    connect(pngSpeedButton1_, &QAbstractButton::clicked, this, guarded(&TMain::PngSpeedButton1Click));
    connect(pngSpeedButton2_, &QAbstractButton::clicked, this, guarded(&TMain::PngSpeedButton2Click));
}

void TMain::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const QuarvelError& error) {
        services_.prompts->ShowError(error.Message());
    } catch (const std::exception& error) {
        services_.prompts->ShowError(QString::fromLocal8Bit(error.what()));
    }
}

void TMain::FormCreate()
{
    categoryNames_.SetIgnoreDuplicates(true);
    categoryNames_.SetSorted(true);
    timer1_ = Named(new QTimer(this), "Timer1");
    timer1_->setInterval(50);
    connect(timer1_, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });
    timer1_->start();
}

void TMain::FormDestroy()
{
    categoryNames_.Clear();
    sourceFiles_.Clear();
    originalNames_.Clear();
    cloneNames_.Clear();
    xmlLines_.Clear();
    romList_.clear();
    SaveSettings();
}

void TMain::Timer1Timer()
{
    timer1_->stop();
    LoadSettings();
    ScanSourceFolder();
}

void TMain::LoadSettings()
{
    BuildCategories();
    RestoreSettings();
}

void TMain::SaveSettings()
{
    TLibXML2 document;
    document.WNew();
    document.WOpenNode(QStringLiteral("Settings"), QString());
    document.WAddChild(QStringLiteral("XMLLoc"), openDialog1FileName_);
    document.WAddChild(QStringLiteral("SourceFolder"), edit1_->text());
    document.WAddChild(QStringLiteral("OutFolder"), edit2_->text());
    document.WAddChildInt(QStringLiteral("SrcType"), comboBox3_->currentIndex());
    document.WCloseNode(QStringLiteral("Settings"));
    document.WSaveToRegistry(QString::fromLatin1(SettingsKey), QString::fromLatin1(SettingsValue), *services_.settings);
}

void TMain::RestoreSettings()
{
    TLibXML2 document;
    document.LoadFromRegistry(QString::fromLatin1(SettingsKey), QString::fromLatin1(SettingsValue),
                              *services_.settings, *services_.prompts);
    document.SetMainNode(QStringLiteral("Settings"), false);
    if (document.Nodes() == 0)
        return;
    document.LoadNode(1);
    openDialog1FileName_ = document.GetItem(QStringLiteral("XMLLoc"));
    edit1_->setText(document.GetItem(QStringLiteral("SourceFolder")));
    edit2_->setText(document.GetItem(QStringLiteral("OutFolder")));
    const qint32 sourceType = document.GetItemInt(QStringLiteral("SrcType"));
    comboBox3_->setCurrentIndex(sourceType >= 0 && sourceType < comboBox3_->count() ? sourceType : 0);
    // Only a list is imported at start-up, never a program, and the test is case-exact.
    if (ExtractFileExt(openDialog1FileName_) == QStringLiteral(".xml"))
        LoadRomList();
}

QString TMain::SourceExtension() const
{
    return SourceTypeExtension(comboBox3_->currentIndex());
}

void TMain::ButtonRomsLisClick()
{
    const std::optional<QString> chosen = services_.prompts->PickMachineListFile(openDialog1FileName_);
    if (!chosen)
        return;
    openDialog1FileName_ = *chosen;
    LoadRomList();
}

void TMain::LoadRomList()
{
    {
        const BusyScope busy(*this);
        bool deleteGeneratedList = false;
        QString generatedList;
        if (MameListGenerator::IsMameExecutable(openDialog1FileName_)) {
            log_->AppendLine(QStringLiteral("Generating XML, please wait.."));
            generatedList = MameListGenerator::ListPathFor(openDialog1FileName_);
            MameListGenerator::Generate(openDialog1FileName_, generatedList, pump_);
            if (!FileExistsInFolder(generatedList)) {
                services_.prompts->ShowMessage(QStringLiteral("Error, can't find generated XML file"));
                return;
            }
            deleteGeneratedList = services_.prompts->AskYesNo(
                QStringLiteral("Do you want to delete the generated XML file\r\n"
                               "after it's been loaded? (stored in the mame.exe folder)"));
            openDialog1FileName_ = generatedList;
        }
        if (LowerAscii(ExtractFileExt(openDialog1FileName_)) == QStringLiteral(".xml")) {
            log_->AppendLine(QStringLiteral("Loading XML.."));
            xmlLines_.LoadFromFile(openDialog1FileName_);
            if (deleteGeneratedList && !QFile::remove(generatedList))
                log_->AppendLine(QStringLiteral("Error, can't delete tmp file: ") + generatedList);
        }

        const std::int64_t parseMs = MachineListImport::Parse(
            xmlLines_, categories_, MachineTables{romList_, filteredRoms_, cloneNames_, originalNames_},
            *progress1_, pump_);
        MatchRomFiles();
        romListModel_->SetRowCount(static_cast<int>(romList_.size()));
        log_->AppendLine(MachineListImport::SummaryLine(originalNames_.Count(), cloneNames_.Count(), parseMs));
    }
    listImported_ = true;
    UpdateControlStates();
}

void TMain::ComboBox3Click()
{
    ScanSourceFolder();
    MatchRomFiles();
}

void TMain::PngSpeedButton1Click()
{
    const std::optional<QString> chosen =
        services_.prompts->PickFolder(QStringLiteral("Select Source Roms Folder"), edit1_->text());
    if (!chosen)
        return;
    edit1_->setText(AddSlash(*chosen));
    ScanSourceFolder();
    MatchRomFiles();
}

void TMain::PngSpeedButton2Click()
{
    const QString start = FolderExists(edit2_->text()) ? edit2_->text() : edit1_->text();
    const std::optional<QString> chosen = services_.prompts->PickFolder(QStringLiteral("Select Output Folder"), start);
    if (chosen)
        edit2_->setText(AddSlash(*chosen));
}

void TMain::ScanSourceFolder()
{
    bool scanned = false;
    {
        const BusyScope busy(*this);
        scanned = quarvel::ScanSourceFolder(edit1_->text(), SourceExtension(), sourceFiles_, *log_, pump_);
    }
    if (scanned) {
        sourceScanned_ = true;
        UpdateControlStates();
    }
}

void TMain::MatchRomFiles()
{
    const BusyScope busy(*this);
    quarvel::MatchRomFiles(romList_, edit1_->text(), SourceExtension(), *log_, *progress1_, pump_);
}

TMain::BusyScope::BusyScope(TMain& window)
    : window_(window)
{
    ++window_.busyDepth_;
    window_.UpdateControlStates();
}

TMain::BusyScope::~BusyScope()
{
    --window_.busyDepth_;
    window_.UpdateControlStates();
}

void TMain::UpdateControlStates()
{
    const bool idle = busyDepth_ == 0;
    for (QWidget* control : std::initializer_list<QWidget*>{rkGlassButton2_, buttonRomsList_, comboBox3_,
                                                            pngSpeedButton1_, buttonedEdit1_, checkBox1_, catsBox_})
        control->setEnabled(idle);
    pngSpeedButton2_->setEnabled(sourceScanned_ && idle);
    edit2_->setEnabled(sourceScanned_ && idle);
    label1_->setEnabled(listImported_);
    comboBox1_->setEnabled(listImported_ && idle);
    buttonGoFile_->setEnabled(listImported_ && idle);
}

void TMain::BuildCategories()
{
    const Stopwatch stopwatch;
    QFile resource(services_.genresResource);
    if (!resource.open(QIODevice::ReadOnly))
        throw QuarvelError(QStringLiteral("Resource %1 not found").arg(services_.genresResource));
    categories_.Build(resource.readAll(), categoryNames_);

    catsBox_->clear();
    catsBox_->addItem(QStringLiteral("-Missing Category-"));
    catsBox_->addItems(categoryNames_.Lines());
    for (int i = 0; i < catsBox_->count(); ++i) {
        QListWidgetItem* item = catsBox_->item(i);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    log_->AppendLine(QStringLiteral("Categories parsed [%1 ms]").arg(stopwatch.ElapsedMs()));
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
}

void TMain::Label4Click()
{
    if (services_.openInShell)
        services_.openInShell(label4_->text());
}

void TMain::TabSheet1MouseMove()
{
    if (services_.startWindowMove)
        services_.startWindowMove(this);
}

bool TMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && (watched == tabSheet1_ || watched == vpnlTop_)) {
        if (static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton) {
            TabSheet1MouseMove();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease && watched == label4_) {
        Guarded([this] { Label4Click(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quarvel
