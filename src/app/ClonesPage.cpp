#include "app/ClonesPage.h"

#include "app/BusyState.h"
#include "app/DesignSizes.h"
#include "app/Controls.h"
#include "app/HandlerGuard.h"
#include "app/TMain.h"
#include "fileops/BatchOperation.h"
#include "reporting/Prompts.h"
#include "session/Session.h"
#include "util/Paths.h"
#include "widgets/AnchorLayout.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>

namespace quarvel {

namespace {

const QString GoCaption = QStringLiteral("Go");
const QString CancelCaption = QStringLiteral("Cancel");

} // namespace

ClonesPage::ClonesPage(Services services, QPlainTextEdit* memo1, QProgressBar* progressBar1, QWidget* parent)
    : QWidget(parent)
    , services_(std::move(services))
    , memo1_(memo1)
    , progressBar1_(progressBar1)
{
    setObjectName(QStringLiteral("TabSheet1"));
    CreateControls();
    ConnectHandlers();
    services_.page.busy.Register([this](bool busy) { ApplyBusyRule(busy); });
}

void ClonesPage::CreateControls()
{
    auto* page = new AnchorLayout(this, PageDesignSize);
    constexpr int LeftTopRight = AnchorLayout::Left | AnchorLayout::Top | AnchorLayout::Right;
    constexpr int AllSides = LeftTopRight | AnchorLayout::Bottom;
    constexpr int BottomRight = AnchorLayout::Right | AnchorLayout::Bottom;

    pngSpeedButton1_ = MakeButton(QStringLiteral("Source roms folder"), "PngSpeedButton1", this);
    edit1_ = Named(new QLineEdit(this), "Edit1");
    edit1_->setReadOnly(true);
    pngSpeedButton2_ = MakeButton(QStringLiteral("Output folder"), "PngSpeedButton2", this);
    edit2_ = Named(new QLineEdit(this), "Edit2");
    label1_ = Named(new QLabel(QStringLiteral("File operations"), this), "Label1");
    comboBox1_ = MakeDropDown({QStringLiteral("Delete clone files"), QStringLiteral("Move clone files"),
                               QStringLiteral("Move non-clones"), QStringLiteral("Copy non-clones")},
                              "ComboBox1", this);
    buttonGoFile_ = MakeButton(GoCaption, "ButtonGoFile", this);
    label2_ = Named(new QLabel(QStringLiteral("XML operations (tbd)"), this), "Label2");
    comboBox2_ = MakeDropDown({QStringLiteral("Remove clone entries")}, "ComboBox2", this);
    button3_ = MakeButton(QStringLiteral("Go"), "Button3", this);
    memo1_->setParent(this);
    memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1_->setPlainText(QStringLiteral("Log. Use Roms List page to filter roms and copy/move selections."));
    progressBar1_->setParent(this);
    progressBar1_->setRange(0, 100);
    progressBar1_->setValue(0);
    progressBar1_->setTextVisible(false);
    button1_ = MakeButton(QStringLiteral("Check Version"), "Button1", this);
    label4_ = Named(new QLabel(QString::fromLatin1(TMain::WebAddress), this), "Label4");
    label4_->setStyleSheet(QStringLiteral("color: #6f8cff; text-decoration: underline; font-size: 7pt;"));
    label4_->setCursor(Qt::PointingHandCursor);
    label4_->installEventFilter(this);

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
}

void ClonesPage::ConnectHandlers()
{
    const HandlerGuard& guard = services_.page.guard;
    // The session's output folder follows what the user types or picks.
    connect(edit2_, &QLineEdit::textChanged, this,
            [this](const QString& text) { services_.page.session.Settings().OutFolder = text; });
    connect(pngSpeedButton1_, &QAbstractButton::clicked, this, guard.Guarded([this] { PngSpeedButton1Click(); }));
    connect(pngSpeedButton2_, &QAbstractButton::clicked, this, guard.Guarded([this] { PngSpeedButton2Click(); }));
    connect(buttonGoFile_, &QAbstractButton::clicked, this, guard.Guarded([this] { ButtonGoFileClick(); }));
    connect(button1_, &QAbstractButton::clicked, this, guard.Guarded([this] { Button1Click(); }));
}

void ClonesPage::ApplyBusyRule(bool busy)
{
    const Session& session = services_.page.session;
    pngSpeedButton1_->setEnabled(!busy);
    pngSpeedButton2_->setEnabled(session.SourceScanned() && !busy);
    edit2_->setEnabled(session.SourceScanned() && !busy);
    label1_->setEnabled(session.ListImported());
    comboBox1_->setEnabled(session.ListImported() && !busy);
    // A running batch keeps its button, which cancels it.
    buttonGoFile_->setEnabled(session.ListImported() && (!busy || BatchRunning()));
}

bool ClonesPage::BatchRunning() const
{
    return buttonGoFile_->text() == CancelCaption;
}

void ClonesPage::ShowSettings()
{
    edit1_->setText(services_.page.session.Settings().SourceFolder);
    edit2_->setText(services_.page.session.Settings().OutFolder);
}

void ClonesPage::FocusSourceFolder()
{
    edit1_->setFocus();
}

void ClonesPage::PngSpeedButton1Click()
{
    const std::optional<QString> chosen =
        services_.page.prompts.PickFolder(QStringLiteral("Select Source Roms Folder"), edit1_->text());
    if (!chosen)
        return;
    edit1_->setText(AddSlash(*chosen));
    Session& session = services_.page.session;
    session.Settings().SourceFolder = edit1_->text();
    const BusyState::Scope busy(services_.page.busy);
    session.RescanSourceFolder();
}

void ClonesPage::PngSpeedButton2Click()
{
    const QString start = FolderExists(edit2_->text()) ? edit2_->text() : edit1_->text();
    const std::optional<QString> chosen = services_.page.prompts.PickFolder(QStringLiteral("Select Output Folder"), start);
    if (chosen)
        edit2_->setText(AddSlash(*chosen));
}

void ClonesPage::ButtonGoFileClick()
{
    // Only the pump of a running batch lets this click through; the batch stops before its next name.
    if (BatchRunning()) {
        batchCancel_.Request();
        return;
    }
    RunBatch();
}

void ClonesPage::RunBatch()
{
    const std::optional<BatchOperation> operation = BatchOperationAt(comboBox1_->currentIndex());
    if (!operation)
        return;
    buttonGoFile_->setText(CancelCaption);
    const auto goAgain = qScopeGuard([this] { buttonGoFile_->setText(GoCaption); });
    // The lists and folders the batch walks stay as they are until it ends.
    const BusyState::Scope busy(services_.page.busy);
    services_.page.session.RunBatch(*operation, batchCancel_);
}

void ClonesPage::Button1Click()
{
    button1_->setEnabled(false);
    const auto enableAgain = qScopeGuard([this] { button1_->setEnabled(true); });
    services_.page.session.CheckVersion(httpClient_, services_.versionUrl);
}

bool ClonesPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && watched == label4_) {
        services_.page.guard.Run([this] { Label4Click(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ClonesPage::Label4Click()
{
    if (services_.openInShell)
        services_.openInShell(label4_->text());
}

} // namespace quarvel
